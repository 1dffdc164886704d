#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QFile>

#include "form_harness.h"

namespace quorvane::test {
namespace {

void createFile(const QString& path, bool readOnly) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("scratch");
    file.close();
    if (readOnly) {
        ASSERT_TRUE(file.setPermissions(QFileDevice::ReadOwner));
    }
}

TEST(Form1Unload, ClosingRemovesTheScratchFileAndEndsTheProgram) {
    for (const bool readOnly : {false, true}) {
        SCOPED_TRACE(readOnly ? "read-only" : "writable");
        FormHarness harness;
        Form1& form = harness.load();
        harness.showActive();
        createFile(harness.scratchFile, readOnly);

        EXPECT_TRUE(form.close());
        EXPECT_FALSE(QFile::exists(harness.scratchFile));
        EXPECT_EQ(harness.endProgramCalls, 1);
        EXPECT_TRUE(form.ending());
        EXPECT_TRUE(harness.dialogs.messages.empty());
    }
}

TEST(Form1Unload, ClosingWithoutAScratchFileEndsWithoutAMessage) {
    FormHarness harness;
    Form1& form = harness.load();
    harness.showActive();

    EXPECT_TRUE(form.close());
    EXPECT_EQ(harness.endProgramCalls, 1);
    EXPECT_TRUE(harness.dialogs.messages.empty());

    // A second close, as from events that were still queued, ends nothing twice.
    QCloseEvent again;
    QApplication::sendEvent(&form, &again);
    EXPECT_EQ(harness.endProgramCalls, 1);
}

}  // namespace
}  // namespace quorvane::test
