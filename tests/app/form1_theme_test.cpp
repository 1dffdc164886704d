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

#include "app/results_view.h"
#include "form_harness.h"
#include "support/text_contrast.h"

namespace quorvane::test {
namespace {

// A dark theme as qt6ct or a GTK theme gives it: Qt works out light text for the dark
// surfaces.
QPalette DarkPalette() {
    QPalette dark(QColor(0x35, 0x35, 0x35), QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::Base, QColor(0x23, 0x23, 0x23));
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

// The pixels of `area` in `picture`.
std::vector<std::uint32_t> PixelsOf(const QImage& picture, const QRegion& area) {
    std::vector<std::uint32_t> pixels;
    for (const QRect& rect : area) {
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                pixels.push_back(picture.pixel(x, y));
    }
    return pixels;
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
    window.form().results().append("/srv/data/entry");
    window.form().results().publishAppended();
    harness.showActive();
    const QImage picture = window.grab().toImage();
    // For a person to look at: beside the test program.
    picture.save(QCoreApplication::applicationDirPath() + QStringLiteral("/window-dark.png"));

    QList<QWidget*> controls{window.resultsView()->header(), window.resultsView()->viewport()};
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (!control->objectName().isEmpty() && control != window.resultsView()) {
            controls.append(control);
        }
    }
    for (QWidget* control : controls) {
        if (!control->isVisible() || control->objectName().startsWith(QStringLiteral("qt_"))) {
            continue;
        }
        EXPECT_GE(TextContrast(PixelsOf(picture, WordsOf(control))), 4.5)
            << control->objectName().toStdString() << " " << control->metaObject()->className();
    }
}

// Themes whose selection colour stands too close to its text: Fusion's own, and a light and a
// dark theme with a light blue behind near-white text, as Plasma's are.
TEST(Form1Theme, SelectedEntryStandsOutFromItsHighlightInEveryTheme) {
    QPalette lightBlue = QApplication::palette();
    lightBlue.setColor(QPalette::Highlight, QColor(0x3d, 0xae, 0xe9));
    lightBlue.setColor(QPalette::HighlightedText, QColor(0xfc, 0xfc, 0xfc));
    QPalette darkBlue = DarkPalette();
    darkBlue.setColor(QPalette::Highlight, QColor(0x3d, 0xae, 0xe9));
    darkBlue.setColor(QPalette::HighlightedText, QColor(0xfc, 0xfc, 0xfc));
    for (const auto& [name, palette] :
         {std::pair{"Fusion", QApplication::palette()}, std::pair{"light", lightBlue},
          std::pair{"dark", darkBlue}}) {
        SCOPED_TRACE(name);
        const Theme theme(palette);
        WindowHarness harness;
        Form1Widget& window = harness.load();
        for (const char* entry : {"/srv/data/entry", "/srv/data/other"})
            window.form().results().append(entry);
        window.form().results().publishAppended();
        harness.showActive();
        ResultsView* list = window.resultsView();
        list->setFocus();
        list->setCurrentIndex(list->model()->index(0, 0));
        const QRect row = list->visualRect(list->model()->index(0, 0)).adjusted(3, 2, -3, -2);
        const QRegion words(QRect(list->viewport()->mapTo(&window, row.topLeft()), row.size()));
        EXPECT_GE(TextContrast(PixelsOf(window.grab().toImage(), words)), 4.5) << "focused";
        window.textBox(Control::FolderBox)->setFocus();
        EXPECT_GE(TextContrast(PixelsOf(window.grab().toImage(), words)), 4.5) << "unfocused";
    }
}

}  // namespace
}  // namespace quorvane::test
