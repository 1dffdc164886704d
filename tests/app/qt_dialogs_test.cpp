#include <gtest/gtest.h>

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

}  // namespace
}  // namespace quorvane::test
