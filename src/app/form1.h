#pragma once

#include <QCursor>
#include <QHash>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <vector>

#include "app/form1_services.h"
#include "engine/numeric_text.h"
#include "results/pending_files.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeView;

namespace quorvane {

class ResultsListModel;
enum class ResultFilter;

// The main window: every control under its design name, the start-up that restores the
// user's choices, the handlers of the target and depth controls, and the pointer feedback.
// The sources are split by concern:
//   form1.cpp               construction, event routing
//   form1_layout.cpp        controls, positions, fonts, colours, Alt letters, tab order,
//                           what screen readers say of each control
//   form1_load.cpp          Form_Load, the skin layer, Form_Unload
//   form1_target_depth.cpp  the option, text box and browse handlers
//   form1_pointer.cpp       the MousePointer value and its feedback
//   form1_run.cpp           "Start Creating List"
//   form1_edit.cpp          removing entries, clearing and filtering the results
//   form1_export.cpp        text file, clipboard and spreadsheet exports
//   form1_help.cpp          the help messages and the sample folder
//
// Lifetime and shut-down. The program constructs the window, runs Form_Load, then shows it.
// Closing the window runs Form_Unload, which removes the scratch file, the partial file of a
// save in progress and the workbooks never handed to the spreadsheet program (PendingFile),
// and then ends the process at once through Form1Services::endProgram: no further event or
// statement of a command runs, hidden windows included. Long commands yield through a
// WindowYieldHook; a close that arrives during a yield ends the process inside that yield, so
// a command never needs to check whether the window is still there. Nothing needs saving
// then: every choice reached the settings store when it changed. Where endProgram returns
// (tests), ending() turns true and stays so, and a command may stop at its next yield by
// testing it.
class Form1 : public QWidget {
    Q_OBJECT

  public:
    // Values of MousePointer.
    static constexpr int kDefaultPointer = 0;
    static constexpr int kHourglassPointer = 11;  // a command is busy
    static constexpr int kCustomPointer = 99;     // the hand, over the push buttons

    // The key code of the Delete key, as ListView1_KeyDown receives it.
    static constexpr int kDeleteKeyCode = 46;

    // The item data role of Drive1 that holds each drive's root folder as bytes.
    static constexpr int kDriveRootRole = Qt::UserRole;

    // Window geometry is designed in twips, 15 to a pixel at 96 dots per inch.
    static constexpr int PixelsFromTwips(int twips) { return twips / 15; }

    explicit Form1(const Form1Services& services, QWidget* parent = nullptr);
    ~Form1() override;

    // Start-up and shut-down.
    void Form_Load();
    void Form_Unload();
    bool ending() const { return ending_; }
    bool CreatingList() const { return creatingList_; }

    // The caption of every message box and input box without a title of its own; set by
    // Form_Load.
    const QString& ApplicationTitle() const { return applicationTitle_; }

    // The pointer mode. 11 is also the busy flag that the list editing commands test; the
    // pointer feedback never overwrites it.
    int MousePointer() const { return mousePointer_; }
    void setMousePointer(int value);

    // The results list behind ListView1.
    ResultsListModel& Results() { return *results_; }
    // Index of the selected entry of ListView1, counted from 1; 0 when none is selected.
    std::int64_t SelectedResultIndex() const;

    // Selects or clears an option the way code does: selecting one that is not yet selected
    // runs its click handler (which stores its whole group); clearing one runs nothing and may
    // leave its group with no option selected.
    void SetOptionValue(QRadioButton* option, bool selected);

    // Makes `folder` the target as the user would: selects "Look at this folder:" and types
    // the folder into its box, so that both are stored as the user's choices.
    void LookAtFolder(const QString& folder);

    // Target and depth handlers.
    void Option3_Click();
    void Option4_Click();
    void Option5_Click();
    void Option6_Click();
    void Option7_Click();
    void Option8_Click();
    void Text1_Change();
    void Text2_Change();
    void Text2_GotFocus();
    // The depth entry check. It runs from the event loop after Text2 has lost the focus to
    // another control of the window, so the press that moved the focus reaches its button
    // before a message box takes over.
    void Text2_LostFocus();
    void PushButton5_Click();

    // Commands.
    void PushButton1_Click();
    void PushButton2_Click();
    void PushButton3_Click();
    void PushButton4_Click();
    void PushButton6_Click();
    void PushButton7_Click();
    void PushButton8_Click();
    void PushButton9_Click();
    void PushButton19_Click();
    void PushButton20_Click();

    // Removal of the selected entry: the Delete key (whatever the modifiers; `keyCode` is
    // kDeleteKeyCode for it, 0 for keys the window does not tell apart) and a double-click
    // with the left button anywhere in the list. Neither consumes its event.
    void ListView1_KeyDown(int keyCode, Qt::KeyboardModifiers shift);
    void ListView1_DblClick();

    // Whether a spreadsheet application can show the workbook; tells the user when not.
    bool SaveResultsAsExcelFileIsExcelInstalled();

    // The controls, owned by the window. Their object names are these names.
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QRadioButton* Option3 = nullptr;
    QRadioButton* Option4 = nullptr;
    QRadioButton* Option5 = nullptr;
    QRadioButton* Option6 = nullptr;
    QRadioButton* Option7 = nullptr;
    QRadioButton* Option8 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QComboBox* Drive1 = nullptr;
    QTreeView* ListView1 = nullptr;
    QPushButton* PushButton1 = nullptr;
    QPushButton* PushButton2 = nullptr;
    QPushButton* PushButton3 = nullptr;
    QPushButton* PushButton4 = nullptr;
    QPushButton* PushButton5 = nullptr;
    QPushButton* PushButton6 = nullptr;
    QPushButton* PushButton7 = nullptr;
    QPushButton* PushButton8 = nullptr;
    QPushButton* PushButton9 = nullptr;
    QPushButton* PushButton19 = nullptr;
    QPushButton* PushButton20 = nullptr;

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    enum class PointerReaction { PushButton, Surface };

    // form1_layout.cpp
    void createControls();
    void describeControls();
    void fillDriveList();
    void setTabOrderOfControls();
    static void SetBackColor(QWidget* control, const QColor& colour);

    // form1.cpp
    void connectHandlers();

    // form1_load.cpp
    QString applicationFile(const QString& name) const;
    void ApplySkin();
    void SetApplicationTitle();
    void LoadMouseIcon(const QString& path);
    void ShowHomePageOccasionally();
    void RestoreOption(QRadioButton* option, const QString& key, const QString& defaultValue);

    // form1_target_depth.cpp
    void StoreTargetChoice();
    void StoreDepthChoice();
    void queueDepthCheck();
    NumberFormat numberFormat() const;

    // form1_edit.cpp
    void RemoveSelectedResult();
    void RemoveResultsWithText(const char* procedurePath, const char* prompt, ResultFilter filter);

    // form1_export.cpp
    void CopyResultsToClipboard();

    // form1_pointer.cpp
    void watchPointer(QWidget* surface, PointerReaction reaction);
    void keepPointerMovesToItself(QWidget* control);
    void PushButtonMouseMove();
    void SurfaceMouseMove();
    void showPointer();

    Form1Services services_;
    ResultsListModel* results_ = nullptr;
    QString applicationTitle_;
    int mousePointer_ = kDefaultPointer;
    std::optional<QCursor> mouseIcon_;
    QHash<const QObject*, PointerReaction> pointerReactions_;
    bool depthCheckQueued_ = false;
    bool ending_ = false;
    // Workbooks in the temporary folder that the spreadsheet program could not open: the user
    // may still open them by hand until the program ends, which removes them.
    std::vector<PendingFile> unopenedWorkbooks_;
    // True while a list creation run is in progress; a press of PushButton1 then does nothing.
    bool creatingList_ = false;
};

}  // namespace quorvane
