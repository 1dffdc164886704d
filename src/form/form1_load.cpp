#include "engine/path_rules.h"
#include "form/error_report.h"
#include "form/error_trap.h"
#include "form/file_queries.h"
#include "form/file_removal.h"
#include "form/form1.h"
#include "form/run_time_error.h"
#include "form/settings_keys.h"
#include "form/value_conversions.h"

namespace quorvane {

namespace {

constexpr char kHomePage[] = "https://www.brindlework.example/";
constexpr size_t kTitleLimit = 40;

// The desktop folder in folder path form. Fails when the platform cannot name it.
std::string GetDesktopFolder(Desktop& desktop) {
    const std::string folder = desktop.desktopFolder();
    if (folder.empty()) throw RunTimeError("Invalid procedure call or argument", 5);
    return ToFolderPathForm(folder);
}

}  // namespace

void Form1::load() {
    ErrorTrap trap(services_.dialogs, procedure::kFormLoad);
    trap.step(100, [&] { applySkin(); });
    trap.step(104, [&] { view_.setCaption(kProductName); });
    trap.guard([&] { view_.showProgramIcon(); });
    trap.guard([&] { setApplicationTitle(); });
    const std::string cursorFile = applicationFile("HAND-M.CUR");
    if (trap.test(106, [&] { return FileExists(cursorFile); })) {
        trap.step(108, [&] { loadMouseIcon(cursorFile); });
    }
    trap.step(110, [&] { showHomePageOccasionally(); });
    trap.step(128, [&] { results_.addColumn(kResultsHeading); });
    trap.step(130, [&] { view_.setResultsColumnWidth(kResultsColumnWidth); });

    // Each restore goes through the controls like the user's own change, so the click and
    // change handlers store what they show; the order decides which option of an
    // inconsistently stored group wins.
    trap.step(132, [&] { restoreOption(Control::FolderOption, "1"); });
    trap.step(134, [&] { restoreOption(Control::DriveOption, "0"); });
    trap.step(136, [&] { restoreOption(Control::EntireComputerOption, "0"); });
    trap.step(138, [&] {
        // The default is needed, and can fail, whether or not the key exists.
        const std::string desktopFolder = GetDesktopFolder(services_.desktop);
        restoreText(Control::FolderBox, desktopFolder);
    });
    trap.step(140, [&] { restoreOption(Control::AllSubfoldersOption, "1"); });
    trap.step(142, [&] { restoreOption(Control::FirstSubfoldersOption, "0"); });
    trap.step(144, [&] { restoreOption(Control::LimitDepthOption, "0"); });
    trap.step(146, [&] { restoreText(Control::DepthBox, "3"); });
}

std::string Form1::applicationFile(const std::string& name) const {
    return FileInFolder(services_.applicationFolder, name);
}

void Form1::applySkin() {
    if (!IsVisiblePlainFile(applicationFile("x/o.cjs"))) return;
    view_.useButtonFaceColour();
}

void Form1::setApplicationTitle() {
    // Drop the last word until the title fits; a name of one word is kept whole.
    std::string title = kProductName;
    do {
        const size_t blank = title.rfind(' ');
        if (blank == std::string::npos) break;
        title.resize(blank);
    } while (title.size() > kTitleLimit);
    applicationTitle_ = title;
}

void Form1::loadMouseIcon(const std::string& path) {
    if (!view_.loadMouseIcon(path)) throw RunTimeError("Invalid picture", 481);
    view_.showPointer(mousePointer_);
}

void Form1::showHomePageOccasionally() {
    const int draw = static_cast<int>(services_.random.fraction() * 100) + 1;
    if (draw == 7) services_.desktop.openUrl(kHomePage);
}

void Form1::restoreOption(Control option, const std::string& defaultValue) {
    const std::string stored = services_.settings.read(SettingsKeyOf(option), defaultValue);
    setOption(option, ToBoolean(stored, services_.numberFormat));
}

void Form1::restoreText(Control textBox, const std::string& defaultValue) {
    view_.setText(textBox, services_.settings.read(SettingsKeyOf(textBox), defaultValue));
}

void Form1::unload() {
    if (ending_) return;
    ending_ = true;
    // A run's walk may go on until the process ends: it must not reach a window that is gone.
    wake_.windowGone();
    ErrorTrap trap(services_.dialogs, procedure::kFormUnload);
    trap.step(100, [&] { DeleteFileSafely(services_.scratchFile, view_); });
    RemovePendingFiles();
    trap.step(102, [&] {
        if (services_.endProgram) services_.endProgram();
    });
}

}  // namespace quorvane
