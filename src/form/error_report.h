#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// The standard report of a failure that a command did not expect: a message box titled
// "Application Error" with the warning icon, naming the procedure and line that failed.

inline constexpr char kErrorReportTitle[] = "Application Error";
inline constexpr char kSupportAddress[] = "support@brindlework.example";

// The procedure paths that reports name, one per trapped procedure.
namespace procedure {
inline constexpr char kFormLoad[] = "in Velmora2021/08/31.Form1.Form_Load ";
inline constexpr char kFormUnload[] = "in Velmora2021/08/31.Form1.Form_Unload ";
inline constexpr char kBrowseFolder[] = "in Velmora2021/08/31.Form1.PushButton5_Click ";
inline constexpr char kStartCreatingList[] = "in Velmora2021/08/31.Form1.PushButton1_Click ";
inline constexpr char kClearResults[] = "in Velmora2021/08/31.Form1.PushButton6_Click ";
inline constexpr char kRemoveContaining[] = "in Velmora2021/08/31.Form1.PushButton19_Click ";
inline constexpr char kRemoveNotContaining[] = "in Velmora2021/08/31.Form1.PushButton20_Click ";
inline constexpr char kSaveTextFile[] = "in Velmora2021/08/31.Form1.PushButton2_Click ";
inline constexpr char kCopyToClipboard[] = "in Velmora2021/08/31.Form1.PushButton7_Click ";
inline constexpr char kSaveExcelFile[] = "in Velmora2021/08/31.Form1.PushButton4_Click ";
inline constexpr char kHelp[] = "in Velmora2021/08/31.Form1.PushButton3_Click ";
inline constexpr char kDepthHelp[] = "in Velmora2021/08/31.Form1.PushButton9_Click ";
inline constexpr char kLoadSample[] = "in Velmora2021/08/31.Form1.PushButton8_Click ";
// The walk's own, whose trap reports only the failure to make its list.
inline constexpr char kSubfolderWalk[] =
    "in Velmora2021/08/31.AddFolderUnique.GetSubDirectoriesUnique ";
}  // namespace procedure

// The report's text: the description, CR LF, the procedure path, "at line " and the line,
// two bare CRs, and the request to e-mail a screenshot.
std::string ErrorReportText(std::string_view description, std::string_view procedurePath, int line);

// The walk's report, in the extended form: as the report above up to the two bare CRs, then
// "Err.Number " and the number, " Path is " and the walk's path, two bare CRs, "Name is " and
// the entry's name, two bare CRs, and the request.
std::string WalkErrorReportText(std::string_view description, int line, long number,
                                std::string_view path, std::string_view name);

}  // namespace quorvane
