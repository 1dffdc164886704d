// The window under a dark desktop theme, measured in a picture of it: each control's text
// must stand out from the background it is drawn on.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTreeView>
#include <cmath>
#include <map>

#include "form_harness.h"

namespace quorvane::test {
namespace {

// A dark theme as qt6ct or a GTK theme gives it: light text on dark surfaces.
QPalette DarkPalette() {
    QPalette dark;
    const QColor surface(0x35, 0x35, 0x35), field(0x23, 0x23, 0x23), light(0xee, 0xee, 0xee);
    for (const auto role : {QPalette::Window, QPalette::Button, QPalette::AlternateBase}) {
        dark.setColor(role, surface);
    }
    dark.setColor(QPalette::Base, field);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText,
                            QPalette::BrightText, QPalette::HighlightedText}) {
        dark.setColor(role, light);
    }
    dark.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    dark.setColor(QPalette::Light, surface.lighter(150));
    dark.setColor(QPalette::Mid, surface.darker(120));
    dark.setColor(QPalette::Dark, surface.darker(150));
    dark.setColor(QPalette::Shadow, Qt::black);
    return dark;
}

// The application's palette for the life of the object.
class Theme {
  public:
    explicit Theme(const QPalette& palette) : before_(QApplication::palette()) {
        QApplication::setPalette(palette);
    }
    ~Theme() { QApplication::setPalette(before_); }

  private:
    QPalette before_;
};

// Relative luminance, as the web's contrast rules define it.
double Luminance(QRgb pixel) {
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(pixel)) + 0.7152 * linear(qGreen(pixel)) +
           0.0722 * linear(qBlue(pixel));
}

// The contrast ratio (1 to 21) between the colour that most of `area` shows, the background,
// and the one that stands out most from it, the strokes of the text.
double TextContrast(const QImage& picture, const QRegion& area) {
    std::map<QRgb, int> counts;
    for (const QRect& rect : area) {
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                ++counts[picture.pixel(x, y) | 0xff000000u];
    }
    if (counts.empty()) return 0;
    QRgb background = counts.begin()->first;
    for (const auto& [colour, count] : counts)
        if (count > counts[background]) background = colour;
    const double back = Luminance(background);
    double ratio = 1;
    for (const auto& [colour, count] : counts) {
        const double text = Luminance(colour);
        ratio = std::max(ratio, (std::max(back, text) + 0.05) / (std::min(back, text) + 0.05));
    }
    return ratio;
}

// Where a control shows its words, in the window's coordinates, less any control that lies
// on top of it.
QRegion WordsOf(QWidget* control) {
    QRect words = control->rect();
    if (auto* option = qobject_cast<QRadioButton*>(control)) {
        QStyleOptionButton style;
        style.initFrom(option);
        style.text = option->text();
        words = option->style()->subElementRect(QStyle::SE_RadioButtonContents, &style, option);
    } else if (auto* frame = qobject_cast<QGroupBox*>(control)) {
        // The caption's strip, above everything the frame holds.
        int top = frame->height();
        for (QWidget* inside : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            top = std::min(top, inside->y());
        words = QRect(0, 0, frame->width(), top);
    } else {
        // Inside the border of a button, a box or a list.
        words = control->rect().adjusted(4, 4, -4, -4);
    }
    QRegion region(QRect(control->mapTo(control->window(), words.topLeft()), words.size()));
    const QObjectList& siblings = control->parentWidget()->children();
    for (qsizetype i = siblings.indexOf(control) + 1; i < siblings.size(); ++i) {
        if (auto* above = qobject_cast<QWidget*>(siblings[i]); above && above->isVisible()) {
            region -=
                QRect(above->parentWidget()->mapTo(control->window(), above->pos()), above->size());
        }
    }
    return region;
}

TEST(Form1Theme, EveryTextStandsOutFromItsBackgroundUnderADarkTheme) {
    const Theme dark(DarkPalette());
    WindowHarness harness;
    harness.drives.list = {{"/ [System]", "/"}};
    Form1Widget& window = harness.load();
    window.form().Results().append("/srv/data/entry");
    window.form().Results().publishAppended();
    harness.showActive();
    const QImage picture = window.grab().toImage();
    // For a person to look at: beside the test program.
    picture.save(QCoreApplication::applicationDirPath() + QStringLiteral("/window-dark.png"));

    QList<QWidget*> controls{window.ListView1->header(), window.ListView1->viewport()};
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (!control->objectName().isEmpty() && control != window.ListView1) {
            controls.append(control);
        }
    }
    for (QWidget* control : controls) {
        if (!control->isVisible() || control->objectName().startsWith(QStringLiteral("qt_"))) {
            continue;
        }
        // The web's rule for body text: 4.5 to 1 at least.
        EXPECT_GE(TextContrast(picture, WordsOf(control)), 4.5)
            << control->objectName().toStdString() << " " << control->metaObject()->className();
    }
}

}  // namespace
}  // namespace quorvane::test
