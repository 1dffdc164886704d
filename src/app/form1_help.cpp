// The two help messages and the sample folder command.

#include <QLineEdit>
#include <QRadioButton>

#include "app/caption_text.h"
#include "app/error_report.h"
#include "app/error_trap.h"
#include "app/form1.h"
#include "app/sample_folder.h"
#include "help/help_texts.h"

namespace quorvane {

void Form1::PushButton3_Click() {
    ErrorTrap trap(services_.dialogs, procedure::kHelp);
    trap.step(100, [&] {
        services_.dialogs.message(QString::fromStdString(GeneralHelpText()), applicationTitle_,
                                  MessageStyle::OkOnly);
    });
}

void Form1::PushButton9_Click() {
    ErrorTrap trap(services_.dialogs, procedure::kDepthHelp);
    trap.step(100, [&] {
        // The caption as the window shows it now, not as it was designed.
        const std::string text =
            DepthHelpText(CaptionWithoutMnemonic(Option8->text()).toStdString());
        services_.dialogs.message(QString::fromStdString(text), applicationTitle_,
                                  MessageStyle::OkOnly);
    });
}

void Form1::PushButton8_Click() {
    ErrorTrap trap(services_.dialogs, procedure::kLoadSample);
    // Selecting runs Option5's click handler, which stores the target choice.
    trap.step(100, [&] { SetOptionValue(Option5, true); });
    // A missing folder is the run's to report. The change handler stores the path under
    // "Folder".
    trap.step(102, [&] { Text1->setText(FindSampleFolder(services_.applicationFolder)); });
}

}  // namespace quorvane
