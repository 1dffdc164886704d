#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <new>

#include "app/qt_dialogs.h"

namespace quorvane::test {
namespace {

TEST(QtDialogs, EachCarriageReturnOrCrLfIsOneLineBreak) {
    EXPECT_EQ(WithPlainLineBreaks(QStringLiteral("a\r\rb\rc\r\n\r\nd\r\ne\n")),
              QStringLiteral("a\n\nb\nc\n\nd\ne\n"));
}

TEST(QtDialogs, ClassicFilterBecomesQtsForm) {
    EXPECT_EQ(QtFileFilter("Text Files (*.txt)|*.txt|All Files (*.*)|*.*|"),
              QStringLiteral("Text Files (*.txt);;All Files (*.*)"));
}

// Memory that runs out while a dialog runs its loop: the failure does not unwind through Qt's
// loop (the test's application is the program's own, GuardedApplication), the dialog closes,
// and the call that showed it throws the failure, for the command's error trap. Qt's loop
// goes on as before.
TEST(QtDialogs, FailureInsideADialogIsThrownOnTheCallersSideOfItsLoop) {
    // Qt warns of an exception that reached its loop.
    static QStringList warnings;
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { warnings << text; });
    QtDialogs dialogs;
    QTimer::singleShot(0, [] { throw std::bad_alloc(); });
    EXPECT_THROW(dialogs.input("Text?", "Quorvane"), std::bad_alloc);
    qInstallMessageHandler(previous);
    EXPECT_EQ(warnings.filter(QStringLiteral("exception")), QStringList());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    QTimer::singleShot(0, [] {
        if (QWidget* box = QApplication::activeModalWidget()) box->close();
    });
    EXPECT_NO_THROW(dialogs.input("Text?", "Quorvane"));
    EXPECT_TRUE(ran);
}

}  // namespace
}  // namespace quorvane::test
