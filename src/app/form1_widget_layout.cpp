#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTreeView>
#include <algorithm>

#include "app/form1_widget.h"

namespace quorvane {

namespace {

QFont FontOf(const FontDesign& design) {
    QFont font(QString::fromLatin1(design.family));
    font.setPointSizeF(design.points);
    font.setBold(design.bold);
    return font;
}

}  // namespace

void Form1Widget::SetBackColor(QWidget* control, const QColor& colour) {
    // Buttons paint their background in the button role, frames and windows in the window
    // role.
    QPalette palette = control->palette();
    palette.setColor(control->backgroundRole(), colour);
    control->setPalette(palette);
}

void Form1Widget::useButtonFaceColour() {
    const QColor buttonFace = QGuiApplication::palette().color(QPalette::Button);
    SetBackColor(this, buttonFace);
    for (const ControlLayout& c : Form1Layout()) {
        if (c.kind == ControlKind::Frame || c.kind == ControlKind::Option) {
            SetBackColor(control(c.control), buttonFace);
        }
    }
}

void Form1Widget::createControls() {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Form1"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(PixelsFromTwips(kFormClientWidth), PixelsFromTwips(kFormClientHeight));
    setFont(FontOf(kWindowFont));
    SetBackColor(this, Qt::white);
    setAutoFillBackground(true);
    setMouseTracking(true);

    // Containers come before what they hold in no particular order of the table, so the
    // frames are made first.
    const auto layout = Form1Layout();
    std::vector<const ControlLayout*> order;
    for (const ControlLayout& c : layout) {
        if (c.kind == ControlKind::Frame) order.push_back(&c);
    }
    for (const ControlLayout& c : layout) {
        if (c.kind != ControlKind::Frame) order.push_back(&c);
    }
    for (const ControlLayout* c : order) {
        QWidget* container = control(c->container);
        const QString caption = c->caption ? QString::fromUtf8(c->caption) : QString();
        QWidget* widget = nullptr;
        switch (c->kind) {
            case ControlKind::Frame: {
                auto* box = new QGroupBox(caption, container);
                SetBackColor(box, Qt::white);
                box->setAutoFillBackground(true);
                widget = box;
                break;
            }
            case ControlKind::Option: {
                // It takes the colour of its frame, and paints none of its own over the
                // frame's, which a style may shade.
                auto* button = new QRadioButton(caption, container);
                SetBackColor(button, Qt::white);
                widget = button;
                break;
            }
            case ControlKind::TextBox:
                // The folder box is editable. It lays its text out in the application's
                // direction, right to left only where the system writes that way.
                widget = new QLineEdit(container);
                break;
            case ControlKind::DriveList:
                widget = new QComboBox(container);
                break;
            case ControlKind::ListView:
                widget = new QTreeView(container);
                break;
            case ControlKind::PushButton: {
                // A caption's "&" gives its Alt letter; a caption without a letter gets one.
                auto* button = new QPushButton(caption, container);
                if (c->altKey) {
                    button->setShortcut(QKeySequence(Qt::ALT | (Qt::Key_A + (c->altKey - 'A'))));
                }
                button->setFont(FontOf(kPushButtonFont));
                QPalette palette = button->palette();
                palette.setColor(QPalette::Button, Qt::white);
                button->setPalette(palette);
                widget = button;
                break;
            }
            case ControlKind::Window:
                continue;
        }
        widget->setObjectName(QString::fromLatin1(c->name));
        // What screen readers say: a caption is its control's name, without the mark of its
        // Alt letter; a control without words of its own has a name of its own.
        if (c->accessibleName) widget->setAccessibleName(QString::fromUtf8(c->accessibleName));
        if (c->description) widget->setAccessibleDescription(QString::fromUtf8(c->description));
        widget->setGeometry(PixelsFromTwips(c->left), PixelsFromTwips(c->top),
                            PixelsFromTwips(c->width), PixelsFromTwips(c->height));
        controls_[c->control] = widget;
    }
    // Within a container, a control listed earlier lies on top of one listed later.
    for (auto c = layout.rbegin(); c != layout.rend(); ++c)
        control(c->control)->raise();

    Frame1 = static_cast<QGroupBox*>(control(Control::Frame1));
    Frame2 = static_cast<QGroupBox*>(control(Control::Frame2));
    Option3 = static_cast<QRadioButton*>(control(Control::Option3));
    Option4 = static_cast<QRadioButton*>(control(Control::Option4));
    Option5 = static_cast<QRadioButton*>(control(Control::Option5));
    Option6 = static_cast<QRadioButton*>(control(Control::Option6));
    Option7 = static_cast<QRadioButton*>(control(Control::Option7));
    Option8 = static_cast<QRadioButton*>(control(Control::Option8));
    Text1 = static_cast<QLineEdit*>(control(Control::Text1));
    Text2 = static_cast<QLineEdit*>(control(Control::Text2));
    Drive1 = static_cast<QComboBox*>(control(Control::Drive1));
    ListView1 = static_cast<QTreeView*>(control(Control::ListView1));
    PushButton1 = static_cast<QPushButton*>(control(Control::PushButton1));
    PushButton2 = static_cast<QPushButton*>(control(Control::PushButton2));
    PushButton3 = static_cast<QPushButton*>(control(Control::PushButton3));
    PushButton4 = static_cast<QPushButton*>(control(Control::PushButton4));
    PushButton5 = static_cast<QPushButton*>(control(Control::PushButton5));
    PushButton6 = static_cast<QPushButton*>(control(Control::PushButton6));
    PushButton7 = static_cast<QPushButton*>(control(Control::PushButton7));
    PushButton8 = static_cast<QPushButton*>(control(Control::PushButton8));
    PushButton9 = static_cast<QPushButton*>(control(Control::PushButton9));
    PushButton19 = static_cast<QPushButton*>(control(Control::PushButton19));
    PushButton20 = static_cast<QPushButton*>(control(Control::PushButton20));

    ListView1->setRootIsDecorated(false);
    ListView1->setItemsExpandable(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setToolTip(QString::fromLatin1(kResultsToolTip));

    // The design's initial choice; Form_Load then restores the user's.
    Option5->setChecked(true);
    Option8->setChecked(true);

    for (const ControlLayout& c : layout) {
        switch (PointerReactionOf(c.control)) {
            case PointerReaction::Keep:
                keepPointerMovesToItself(control(c.control));
                break;
            default:
                watchPointer(control(c.control), c.control);
                break;
        }
    }
    // The list reacts wherever the pointer is on it: items, header or scroll bars.
    for (QWidget* part : ListView1->findChildren<QWidget*>())
        watchPointer(part, Control::ListView1);

    if (QScreen* display = screen()) {
        move(display->availableGeometry().center() - rect().center());
    }
    ListView1->setFocus();
}

void Form1Widget::setTabOrderOfControls() {
    // The frames take no focus; their place in the order is kept by their contents.
    const std::vector<Control> order = TabOrder();
    for (size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(control(order[i - 1]), control(order[i]));
    }
}

}  // namespace quorvane
