#include <gtest/gtest.h>

#include <filesystem>

#include "form_harness.h"
#include "text/local_path.h"

namespace quorvane::test {
namespace {

bool Exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(LocalPath(path), error);
}

TEST(Form1Unload, UnloadRemovesTheScratchFileEvenReadOnlyAndEndsTheProgramOnce) {
    for (const bool readOnly : {false, true}) {
        SCOPED_TRACE(readOnly ? "read-only" : "writable");
        FormHarness harness;
        Form1& form = harness.load();
        MakeFile(harness.scratchFile, "scratch");
        if (readOnly) {
            std::filesystem::permissions(LocalPath(harness.scratchFile),
                                         std::filesystem::perms::owner_read);
        }
        const long passesBefore = harness.view.passes;

        form.unload();
        EXPECT_FALSE(Exists(harness.scratchFile));
        EXPECT_EQ(harness.endProgramCalls, 1);
        EXPECT_TRUE(form.ending());
        EXPECT_GT(harness.view.passes, passesBefore) << "pending events run first";
        EXPECT_TRUE(harness.dialogs.messages.empty());

        // A second close, as from events that were still queued, ends nothing twice.
        form.unload();
        EXPECT_EQ(harness.endProgramCalls, 1);
    }
}

TEST(Form1Unload, UnloadWithoutAScratchFileEndsWithoutAMessage) {
    FormHarness harness;
    Form1& form = harness.load();
    form.unload();
    EXPECT_EQ(harness.endProgramCalls, 1);
    EXPECT_TRUE(harness.dialogs.messages.empty());
}

TEST(Form1Unload, DepthCheckQueuedBeforeTheCloseDoesNotRun) {
    FormHarness harness;
    Form1& form = harness.load();
    harness.view.setText(Control::DepthBox, "abc");
    form.unload();
    form.checkDepthEntry();
    EXPECT_TRUE(harness.dialogs.messages.empty());
}

}  // namespace
}  // namespace quorvane::test
