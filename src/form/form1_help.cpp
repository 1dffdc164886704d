// The two help messages and the sample folder command.

#include "form/error_report.h"
#include "form/error_trap.h"
#include "form/form1.h"
#include "form/help_texts.h"
#include "form/sample_folder.h"

namespace quorvane {

void Form1::showHelp() {
    ErrorTrap trap(services_.dialogs, procedure::kHelp);
    trap.step(100, [&] { message(GeneralHelpText()); });
}

void Form1::showDepthHelp() {
    ErrorTrap trap(services_.dialogs, procedure::kDepthHelp);
    // The caption as the window shows it now, not as it was designed.
    trap.step(100, [&] {
        message(DepthHelpText(CaptionWithoutMnemonic(view_.text(Control::AllSubfoldersOption))));
    });
}

void Form1::loadSample() {
    ErrorTrap trap(services_.dialogs, procedure::kLoadSample);
    // Selecting runs the folder option's click handler, which stores the target choice.
    trap.step(100, [&] { setOption(Control::FolderOption, true); });
    // A missing folder is the run's to report. The change handler stores the path under
    // "Folder".
    trap.step(102, [&] {
        view_.setText(Control::FolderBox, FindSampleFolder(services_.applicationFolder));
    });
}

}  // namespace quorvane
