// The window by keyboard alone, and as screen readers find it through Qt's accessibility
// interface.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include "app/qt_results_model.h"
#include "app/results_view.h"
#include "form/form1_layout.h"
#include "form_harness.h"

namespace quorvane::test {
namespace {

// The window's own controls: those placed on the window and in its two frames.
QList<QWidget*> controlsOf(Form1Widget& form) {
    QList<QWidget*> controls;
    for (QWidget* container :
         {static_cast<QWidget*>(&form), static_cast<QWidget*>(form.frame(Control::TargetFrame)),
          static_cast<QWidget*>(form.frame(Control::DepthFrame))}) {
        for (QWidget* control : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!qobject_cast<QGroupBox*>(control)) controls.append(control);
        }
    }
    return controls;
}

// The window's buttons and options; no other control holds one.
QList<QAbstractButton*> buttonsOf(Form1Widget& form) {
    return form.findChildren<QAbstractButton*>();
}

bool hasLetter(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
}

TEST(Form1Keyboard, EveryButtonAndOptionHasAnAltLetterOfItsOwnThatPressesIt) {
    WindowHarness harness;
    Form1Widget& form = harness.load();
    harness.showActive();
    form.option(Control::DriveOption)->click();
    form.option(Control::FirstSubfoldersOption)->click();
    // The commands have tests of their own; here only the press counts.
    for (QAbstractButton* button : buttonsOf(form)) {
        if (!qobject_cast<QRadioButton*>(button)) button->disconnect(&form);
    }

    QSet<int> letters;
    ASSERT_FALSE(buttonsOf(form).isEmpty());
    for (QAbstractButton* button : buttonsOf(form)) {
        SCOPED_TRACE(button->objectName().toStdString());
        const QKeySequence shortcut = button->shortcut();
        ASSERT_EQ(shortcut.count(), 1);
        EXPECT_EQ(shortcut[0].keyboardModifiers(), Qt::AltModifier);
        const Qt::Key key = shortcut[0].key();
        EXPECT_TRUE(key >= Qt::Key_A && key <= Qt::Key_Z) << shortcut.toString().toStdString();
        EXPECT_FALSE(letters.contains(key)) << "two controls share Alt+" << char(key);
        letters.insert(key);
        // A caption with letters marks its own; only a caption of punctuation has none.
        if (hasLetter(button->text())) {
            EXPECT_EQ(shortcut, QKeySequence::mnemonic(button->text()));
        }

        QSignalSpy pressed(button, &QAbstractButton::clicked);
        QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return pressed.count() == 1; }));
        if (qobject_cast<QRadioButton*>(button)) {
            EXPECT_TRUE(button->isChecked());
            EXPECT_EQ(harness.settings.stored(button->objectName().toStdString()), "True");
        }
    }
}

TEST(Form1Keyboard, AltLettersAreUnderlinedOnlyWhileAltIsHeld) {
    WindowHarness harness;
    Form1Widget& form = harness.load();
    harness.showActive();
    const QList<QWidget*> captioned{form.pushButton(Control::StartButton),
                                    form.option(Control::FolderOption),
                                    form.option(Control::AllSubfoldersOption)};
    const auto pictures = [&] {
        QList<QImage> taken;
        for (QWidget* control : captioned)
            taken.append(control->grab().toImage());
        return taken;
    };

    const QList<QImage> plain = pictures();
    QTest::keyPress(QApplication::focusWidget(), Qt::Key_Alt, Qt::AltModifier);
    const QList<QImage> cued = pictures();
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Alt);
    const QList<QImage> released = pictures();
    for (qsizetype i = 0; i < captioned.size(); ++i) {
        SCOPED_TRACE(captioned[i]->objectName().toStdString());
        EXPECT_NE(cued[i], plain[i]) << "no underline while Alt is held";
        EXPECT_EQ(released[i], plain[i]) << "the underline stays after Alt";
    }
}

TEST(Form1Keyboard, EnterInTheFolderBoxStartsTheList) {
    QTemporaryDir target;
    ASSERT_TRUE(QDir(target.path()).mkpath(QStringLiteral("A/B")));
    WindowHarness harness;
    Form1Widget& form = harness.load();
    harness.showActive();
    form.textBox(Control::FolderBox)->setFocus();
    form.textBox(Control::FolderBox)->setText(target.path());

    QTest::keyClick(form.textBox(Control::FolderBox), Qt::Key_Return);
    EXPECT_EQ(form.form().results().count(), 2);
    ASSERT_EQ(harness.dialogs.messages.size(), 1u);
    EXPECT_EQ(harness.dialogs.messages.front().text, "Done.");
}

// Escape reaches the run from whichever control has the focus; what was found stays.
TEST(Form1Keyboard, EscapeStopsARunAndKeepsWhatItFound) {
    WindowHarness harness;
    harness.walk = [](std::string_view, const WalkOptions&, FolderSink& sink) {
        for (int i = 0; !sink.stopped() && i < 50'000'000; ++i)
            sink.append({std::to_string(i), 1, nullptr});
        return Status();
    };
    Form1Widget& form = harness.load();
    harness.showActive();
    QTemporaryDir target;
    form.textBox(Control::FolderBox)->setText(target.path());
    form.resultsView()->setFocus();
    QTimer escape;
    QObject::connect(&escape, &QTimer::timeout, [&] {
        if (form.form().results().count() > 1000) {
            escape.stop();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        }
    });
    escape.start(5);
    form.form().startList();
    const ResultsList& results = form.form().results();
    ASSERT_GT(results.count(), 1000);
    EXPECT_LT(results.count(), 50'000'000);
    std::string last;
    ASSERT_TRUE(results.text(results.count(), last).ok());
    EXPECT_EQ(last, std::to_string(results.count() - 1));
    EXPECT_TRUE(harness.dialogs.messages.empty());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Quorvane"));
    EXPECT_FALSE(form.form().creatingList());
}

TEST(Form1Accessibility, EveryControlHasANameInWordsAndADescription) {
    WindowHarness harness;
    Form1Widget& form = harness.load();

    QSet<QString> names;
    for (QWidget* control : controlsOf(form)) {
        SCOPED_TRACE(control->objectName().toStdString());
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        ASSERT_NE(accessible, nullptr);
        const QString name = accessible->text(QAccessible::Name);
        EXPECT_TRUE(hasLetter(name)) << name.toStdString();
        EXPECT_FALSE(names.contains(name)) << "two controls are called " << name.toStdString();
        names.insert(name);
        EXPECT_FALSE(accessible->text(QAccessible::Description).isEmpty());
        auto* button = qobject_cast<QAbstractButton*>(control);
        if (!button) continue;
        // A caption in words is what is heard, as it is shown, and the Alt letter is told.
        if (hasLetter(button->text())) {
            EXPECT_EQ(name.toStdString(), CaptionWithoutMnemonic(button->text().toStdString()));
        }
        EXPECT_EQ(accessible->actionInterface()->keyBindingsForAction(
                      QAccessibleActionInterface::pressAction()),
                  QStringList{button->shortcut().toString()});
    }
}

}  // namespace
}  // namespace quorvane::test
