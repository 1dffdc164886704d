#include <gtest/gtest.h>

#include <QCloseEvent>

#include "form_harness.h"

namespace quorvane::test {
namespace {

TEST(Form1Unload, ClosingTheWindowUnloadsTheFormOnce) {
    WindowHarness harness;
    Form1Widget& window = harness.load();
    harness.showActive();
    MakeFile(harness.scratchFile, "scratch");

    EXPECT_TRUE(window.close());
    EXPECT_EQ(harness.endProgramCalls, 1);
    EXPECT_TRUE(window.form().ending());
    EXPECT_TRUE(ListedNames(harness.folder.path()) == std::vector<std::string>{"program"})
        << "the scratch file is gone";

    // A second close, as from events that were still queued, ends nothing twice.
    QCloseEvent again;
    QApplication::sendEvent(&window, &again);
    EXPECT_EQ(harness.endProgramCalls, 1);
    EXPECT_TRUE(harness.dialogs.messages.empty());
}

}  // namespace
}  // namespace quorvane::test
