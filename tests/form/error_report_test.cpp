#include "form/error_report.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvane {
namespace {

const std::string kRequest =
    std::string("Please email screenshot of this message to ") + kSupportAddress;

TEST(ErrorReport, PlainFormHasCrLfAfterTheDescriptionAndBareCrsBeforeTheRequest) {
    EXPECT_EQ(
        ErrorReportText("Type mismatch", procedure::kStartCreatingList, 112),
        "Type mismatch\r\nin Velmora2021/08/31.Form1.PushButton1_Click at line 112\r\r" + kRequest);
    EXPECT_EQ(ErrorReportText("Overflow", procedure::kFormLoad, 0),
              "Overflow\r\nin Velmora2021/08/31.Form1.Form_Load at line 0\r\r" + kRequest);
    EXPECT_EQ(ErrorReportText("", procedure::kHelp, 100),
              "\r\nin Velmora2021/08/31.Form1.PushButton3_Click at line 100\r\r" + kRequest);
}

TEST(ErrorReport, WalkFormAddsTheNumberThePathAndTheNameEachEndedByBareCrs) {
    EXPECT_EQ(
        WalkErrorReportText("Out of memory", 100, 7, "", ""),
        "Out of memory\r\nin Velmora2021/08/31.AddFolderUnique.GetSubDirectoriesUnique at line "
        "100\r\rErr.Number 7 Path is \r\rName is \r\r" +
            kRequest);
    EXPECT_EQ(WalkErrorReportText("Too many open files", 102, 24, "C:\\Data\\", "Sub"),
              "Too many open files\r\nin Velmora2021/08/31.AddFolderUnique.GetSubDirectoriesUnique "
              "at line 102\r\rErr.Number 24 Path is C:\\Data\\\r\rName is Sub\r\r" +
                  kRequest);
}

}  // namespace
}  // namespace quorvane
