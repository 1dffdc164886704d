#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <stdexcept>

#include "app/access_key_cues.h"
#include "app/form1_widget.h"
#include "app/results_view.h"

namespace quorvane {

namespace {

QFont FontOf(const FontDesign& design) {
    QFont font(QString::fromLatin1(design.family));
    font.setPointSizeF(design.points);
    font.setBold(design.bold);
    return font;
}

ResultsView* NewResultsView(QWidget* container) {
    auto* list = new ResultsView(container);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setToolTip(QString::fromLatin1(kResultsToolTip));
    return list;
}

// The widget that shows a control of `layout`'s kind, in `container`.
QWidget* NewControl(const ControlLayout& layout, QWidget* container) {
    const QString caption = layout.caption ? QString::fromUtf8(layout.caption) : QString();
    switch (layout.kind) {
        case ControlKind::Frame: {
            auto* frame = new QGroupBox(caption, container);
            frame->setAutoFillBackground(true);
            return frame;
        }
        case ControlKind::Option:
            // It takes the colour of its frame, and paints none of its own over the frame's,
            // which a style may shade.
            return new QRadioButton(caption, container);
        case ControlKind::TextBox:
            // The folder box is editable. It lays its text out in the application's
            // direction, right to left only where the system writes that way.
            return new QLineEdit(container);
        case ControlKind::DriveList:
            return new QComboBox(container);
        case ControlKind::ListView:
            return NewResultsView(container);
        case ControlKind::PushButton: {
            // A caption's "&" gives its Alt letter; a caption without a letter gets one.
            auto* button = new QPushButton(caption, container);
            if (layout.altKey) {
                button->setShortcut(QKeySequence(Qt::ALT | (Qt::Key_A + (layout.altKey - 'A'))));
            }
            button->setFont(FontOf(kPushButtonFont));
            return button;
        }
        case ControlKind::Window:
            break;
    }
    throw std::invalid_argument("the window is no control in it");
}

// The white of the window is the design's, and so are its frames and buttons; the text boxes
// and the lists take the system's window colours, as designed, on every part of them.
bool OnTheWindowsWhite(ControlKind kind) {
    return kind == ControlKind::Frame || kind == ControlKind::Option ||
           kind == ControlKind::PushButton;
}

}  // namespace

void Form1Widget::SetColours(QWidget* control, const QColor& back, const QColor& text) {
    // A text takes the colour of its role, and a desktop's dark theme makes that light: every
    // role a background is set for gets its text colour with it, so no light text ever lands
    // on a white surface. The window and the frames paint the window role, which their
    // contents inherit; only the buttons themselves set the roles of a button's face and of
    // an option's circle and its dot, so that the text boxes, the drive list and the results
    // list keep the theme's colours, text and background alike.
    QPalette palette = control->palette();
    const auto pair = [&](QPalette::ColorRole backRole, QPalette::ColorRole textRole) {
        palette.setColor(backRole, back);
        palette.setColor(textRole, text);
    };
    pair(QPalette::Window, QPalette::WindowText);
    if (qobject_cast<QAbstractButton*>(control)) {
        pair(QPalette::Button, QPalette::ButtonText);
        pair(QPalette::Base, QPalette::Text);
    }
    control->setPalette(palette);
}

void Form1Widget::useButtonFaceColour() {
    const QPalette theme = QGuiApplication::palette();
    const QColor buttonFace = theme.color(QPalette::Button);
    const QColor buttonText = theme.color(QPalette::ButtonText);
    SetColours(this, buttonFace, buttonText);
    for (const ControlLayout& c : Form1Layout()) {
        if (c.kind == ControlKind::Frame || c.kind == ControlKind::Option) {
            SetColours(control(c.control), buttonFace, buttonText);
        }
    }
}

void Form1Widget::createControls() {
    setUpWindow();
    // Containers come before what they hold in no particular order of the table, so the
    // frames are made first.
    for (const bool frames : {true, false}) {
        for (const ControlLayout& c : Form1Layout()) {
            if ((c.kind == ControlKind::Frame) == frames) createControl(c);
        }
    }
    // Within a container, a control listed earlier lies on top of one listed later.
    const auto layout = Form1Layout();
    for (auto c = layout.rbegin(); c != layout.rend(); ++c)
        control(c->control)->raise();

    for (const Control choice : kInitialChoice)
        option(choice)->setChecked(true);
    watchPointerOverControls();
    // The Alt letters' underlines show only while Alt is held.
    AccessKeyCues::ApplyTo(this);

    if (QScreen* display = screen()) {
        move(display->availableGeometry().center() - rect().center());
    }
    resultsView()->setFocus();
}

void Form1Widget::setUpWindow() {
    setObjectName(QString::fromLatin1(kWindowName));
    setWindowTitle(QString::fromLatin1(kWindowName));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(PixelsFromTwips(kFormClientWidth), PixelsFromTwips(kFormClientHeight));
    setFont(FontOf(kWindowFont));
    SetColours(this, Qt::white, Qt::black);
    setAutoFillBackground(true);
    setMouseTracking(true);
}

void Form1Widget::createControl(const ControlLayout& c) {
    QWidget* widget = NewControl(c, control(c.container));
    if (OnTheWindowsWhite(c.kind)) {
        SetColours(widget, Qt::white, Qt::black);
    } else {
        const QPalette theme = QGuiApplication::palette();
        SetColours(widget, theme.color(QPalette::Window), theme.color(QPalette::WindowText));
    }
    widget->setObjectName(QString::fromLatin1(c.name));
    // What screen readers say: a caption is its control's name, without the mark of its Alt
    // letter; a control without words of its own has a name of its own.
    if (c.accessibleName) widget->setAccessibleName(QString::fromUtf8(c.accessibleName));
    if (c.description) widget->setAccessibleDescription(QString::fromUtf8(c.description));
    widget->setGeometry(PixelsFromTwips(c.left), PixelsFromTwips(c.top), PixelsFromTwips(c.width),
                        PixelsFromTwips(c.height));
    controls_[c.control] = widget;
}

void Form1Widget::setTabOrderOfControls() {
    // The frames take no focus; their place in the order is kept by their contents.
    const std::vector<Control> order = TabOrder();
    for (size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(control(order[i - 1]), control(order[i]));
    }
}

}  // namespace quorvane
