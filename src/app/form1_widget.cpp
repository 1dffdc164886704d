#include "app/form1_widget.h"

#include <QAbstractButton>
#include <QAbstractEventDispatcher>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <stdexcept>

#include "app/hand_cursor.h"
#include "app/program_icon.h"
#include "app/qt_results_model.h"
#include "app/results_view.h"
#include "form/event_failures.h"

namespace quorvane {

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A control as the widget class of its kind.
template <typename Widget>
Widget* As(QWidget* control) {
    auto* widget = qobject_cast<Widget*>(control);
    if (!widget) throw std::invalid_argument("the control is of another kind");
    return widget;
}

// The shift state of a key press as the form takes it: 1 Shift, 2 Ctrl, 4 Alt.
int ShiftState(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

}  // namespace

Form1Widget::Form1Widget(const FormServices& services, QWidget* parent) : QWidget(parent) {
    createControls();
    form_ = std::make_unique<Form1>(*this, services);
    depthCheck_ = new QueuedCheck(this, [this] { return form_->checkDepthEntry(); });
    dispatcher_ = QAbstractEventDispatcher::instance();
    results_ = new ResultsListModel(form_->results(), this);
    resultsView()->setModel(results_);
    resultsView()->header()->setStretchLastSection(false);
    resultsView()->header()->setSectionsMovable(false);
    setTabOrderOfControls();
    connectHandlers();
}

Form1Widget::~Form1Widget() {
    // The model observes the form's list: both go before the list.
    resultsView()->setModel(nullptr);
    delete results_;
    results_ = nullptr;
}

QWidget* Form1Widget::control(Control control) const {
    if (control == Control::Window) return const_cast<Form1Widget*>(this);
    return controls_.at(control);
}

QGroupBox* Form1Widget::frame(Control frame) const {
    return As<QGroupBox>(control(frame));
}

QRadioButton* Form1Widget::option(Control option) const {
    return As<QRadioButton>(control(option));
}

QLineEdit* Form1Widget::textBox(Control textBox) const {
    return As<QLineEdit>(control(textBox));
}

QPushButton* Form1Widget::pushButton(Control button) const {
    return As<QPushButton>(control(button));
}

QComboBox* Form1Widget::driveList() const {
    return As<QComboBox>(control(Control::DriveList));
}

ResultsView* Form1Widget::resultsView() const {
    return As<ResultsView>(control(Control::ResultsView));
}

void Form1Widget::connectHandlers() {
    for (const ControlLayout& layout : Form1Layout()) {
        const Control id = layout.control;
        if (layout.kind == ControlKind::Option || layout.kind == ControlKind::PushButton) {
            connect(static_cast<QAbstractButton*>(control(id)), &QAbstractButton::clicked, this,
                    [this, id] { RunEventHandler([&] { form_->click(id); }); });
        }
    }
    for (const Control box : {Control::FolderBox, Control::DepthBox}) {
        connect(textBox(box), &QLineEdit::textChanged, this,
                [this, box] { RunEventHandler([&] { form_->textChanged(box); }); });
    }
    // Enter in the folder box starts the list, as "Start Creating List" does.
    connect(textBox(Control::FolderBox), &QLineEdit::returnPressed, this,
            [this] { RunEventHandler([&] { form_->startList(); }); });
    // Escape stops a run, whichever control has the focus.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this,
            [this] { RunEventHandler([&] { form_->stopList(); }); });
    textBox(Control::DepthBox)->installEventFilter(this);
    resultsView()->installEventFilter(this);
    resultsView()->viewport()->installEventFilter(this);
}

void Form1Widget::closeEvent(QCloseEvent* event) {
    form_->unload();
    event->accept();
}

bool Form1Widget::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseMove: {
            const auto surface = pointerSurfaces_.constFind(watched);
            if (surface != pointerSurfaces_.constEnd()) form_->pointerMoved(*surface);
            break;
        }
        case QEvent::FocusIn:
        case QEvent::FocusOut: {
            if (watched != textBox(Control::DepthBox)) break;
            // Focus that comes and goes with the whole window (another window activated, a
            // menu opened) never left the control for another one of this window.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) break;
            if (event->type() == QEvent::FocusIn && reason == Qt::MouseFocusReason) {
                // The press that brought the focus puts the cursor where it was: the entry
                // is selected once the press is done.
                QMetaObject::invokeMethod(
                    this, [this] { form_->selectDepthEntry(); }, Qt::QueuedConnection);
            } else if (event->type() == QEvent::FocusIn) {
                form_->selectDepthEntry();
            } else {
                depthCheck_->queue();
            }
            break;
        }
        case QEvent::KeyPress: {
            if (watched != resultsView()) break;
            const auto* key = static_cast<QKeyEvent*>(event);
            form_->keyDownInResults(key->key() == Qt::Key_Delete ? Form1::kDeleteKeyCode : 0,
                                    ShiftState(key->modifiers()));
            break;
        }
        case QEvent::MouseButtonDblClick:
            // The press before it has selected the entry under the pointer.
            if (watched != resultsView()->viewport()) break;
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                form_->removeSelectedResult();
            }
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

bool Form1Widget::isChecked(Control option) const {
    return this->option(option)->isChecked();
}

void Form1Widget::setChecked(Control option, bool checked) {
    QRadioButton* button = this->option(option);
    if (checked) {
        button->setChecked(true);
        return;
    }
    // The user cannot clear an option of an exclusive group, but code can.
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(true);
}

std::string Form1Widget::text(Control id) const {
    QWidget* widget = control(id);
    if (auto* box = qobject_cast<QLineEdit*>(widget)) return box->text().toStdString();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text().toStdString();
    if (auto* frame = qobject_cast<QGroupBox*>(widget)) return frame->title().toStdString();
    return widget->windowTitle().toStdString();
}

void Form1Widget::setText(Control id, const std::string& text) {
    QWidget* widget = control(id);
    // QLineEdit tells of a change only when the text differs.
    if (auto* box = qobject_cast<QLineEdit*>(widget)) {
        box->setText(FromUtf8(text));
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(FromUtf8(text));
    } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
        frame->setTitle(FromUtf8(text));
    }
}

void Form1Widget::setFocus(Control id) {
    control(id)->setFocus(Qt::OtherFocusReason);
}

void Form1Widget::selectAllText(Control textBox) {
    if (auto* box = qobject_cast<QLineEdit*>(control(textBox))) box->selectAll();
}

void Form1Widget::showDrives(const std::vector<std::string>& texts, int current) {
    QComboBox* drives = driveList();
    drives->clear();
    for (const std::string& text : texts)
        drives->addItem(FromUtf8(text));
    drives->setCurrentIndex(current);
}

int Form1Widget::currentDrive() const {
    return driveList()->currentIndex();
}

std::int64_t Form1Widget::selectedResult() const {
    const QModelIndexList selected = resultsView()->selectionModel()->selectedRows();
    return selected.isEmpty() ? 0 : selected.first().row() + 1;
}

void Form1Widget::setResultsColumnWidth(int twips) {
    resultsView()->setColumnWidth(0, PixelsFromTwips(twips));
}

void Form1Widget::setCaption(const std::string& caption) {
    setWindowTitle(FromUtf8(caption));
}

void Form1Widget::showProgramIcon() {
    setWindowIcon(ProgramIcon());
}

bool Form1Widget::loadMouseIcon(const std::string& cursorFile) {
    std::optional<QCursor> cursor = LoadCursorFile(FromUtf8(cursorFile));
    if (!cursor) return false;
    mouseIcon_ = std::move(cursor);
    return true;
}

void Form1Widget::processEvents() {
    QCoreApplication::processEvents();
    // What an event handler threw was the event's own (see event_failures.h).
    ForgetEventFailure();
}

void Form1Widget::waitForEvents() {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    ForgetEventFailure();
}

void Form1Widget::wake() {
    // The one call of the event loop that another thread may make.
    if (dispatcher_) dispatcher_->wakeUp();
}

}  // namespace quorvane
