#include <QLineEdit>
#include <QRadioButton>

#include "app/error_report.h"
#include "app/error_trap.h"
#include "app/form1.h"
#include "app/locale_number_format.h"

namespace quorvane {

namespace {

constexpr char kNotNumeric[] = "Must be a numeric entry.";
constexpr char kBelowOne[] = "Must be 1 or higher.";
constexpr char kBrowsePrompt[] = "Please select folder:";

}  // namespace

void Form1::SetOptionValue(QRadioButton* option, bool selected) {
    if (selected) {
        if (!option->isChecked()) option->click();
        return;
    }
    if (!option->isChecked()) return;
    // The user cannot clear an option of an exclusive group, but code can.
    option->setAutoExclusive(false);
    option->setChecked(false);
    option->setAutoExclusive(true);
}

void Form1::LookAtFolder(const QString& folder) {
    SetOptionValue(Option5, true);
    Text1->setText(folder);
}

void Form1::Option3_Click() {
    StoreTargetChoice();
}
void Form1::Option4_Click() {
    StoreTargetChoice();
}
void Form1::Option5_Click() {
    StoreTargetChoice();
}
void Form1::Option6_Click() {
    StoreDepthChoice();
}
void Form1::Option7_Click() {
    StoreDepthChoice();
}
void Form1::Option8_Click() {
    StoreDepthChoice();
}

void Form1::StoreTargetChoice() {
    SettingsStore& settings = services_.settings;
    settings.write(QStringLiteral("Option5"),
                   QString::fromLatin1(BooleanWord(Option5->isChecked())));
    settings.write(QStringLiteral("Option4"),
                   QString::fromLatin1(BooleanWord(Option4->isChecked())));
    settings.write(QStringLiteral("Option3"),
                   QString::fromLatin1(BooleanWord(Option3->isChecked())));
}

void Form1::StoreDepthChoice() {
    SettingsStore& settings = services_.settings;
    settings.write(QStringLiteral("Option6"),
                   QString::fromLatin1(BooleanWord(Option6->isChecked())));
    settings.write(QStringLiteral("Option7"),
                   QString::fromLatin1(BooleanWord(Option7->isChecked())));
    settings.write(QStringLiteral("Option8"),
                   QString::fromLatin1(BooleanWord(Option8->isChecked())));
}

void Form1::Text1_Change() {
    services_.settings.write(QStringLiteral("Folder"), Text1->text());
}

void Form1::Text2_Change() {
    services_.settings.write(QStringLiteral("Text2"), Text2->text());
}

void Form1::Text2_GotFocus() {
    Text2->selectAll();
}

void Form1::queueDepthCheck() {
    if (depthCheckQueued_) return;
    depthCheckQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            depthCheckQueued_ = false;
            if (!ending_) Text2_LostFocus();
        },
        Qt::QueuedConnection);
}

void Form1::Text2_LostFocus() {
    const std::optional<double> depth = ParseNumber(Text2->text().toStdString(), numberFormat());
    const char* refusal = !depth ? kNotNumeric : *depth < 1 ? kBelowOne : nullptr;
    if (!refusal) return;
    services_.dialogs.message(QString::fromLatin1(refusal), applicationTitle_,
                              MessageStyle::OkOnly);
    // Back to the box with the entry selected, ready to be typed over. The selection is made
    // here as well because a window that is not active gets no focus event yet.
    Text2->setFocus(Qt::OtherFocusReason);
    Text2->selectAll();
}

void Form1::PushButton5_Click() {
    ErrorTrap trap(services_.dialogs, procedure::kBrowseFolder);
    QString folder;
    trap.step(100, [&] {
        const QString lastFolder = services_.settings.read(QStringLiteral("LastFolder"), {});
        folder = services_.dialogs.browseFolder(QString::fromLatin1(kBrowsePrompt), lastFolder);
    });
    if (trap.test(102, [&] { return folder.isEmpty(); })) return;
    trap.step(104, [&] {
        Text1->setText(folder);
        // So that the browser opens where the user was the last time.
        services_.settings.write(QStringLiteral("LastFolder"), folder);
    });
}

NumberFormat Form1::numberFormat() const {
    return NumberFormatOf(services_.locale);
}

}  // namespace quorvane
