#pragma once

#include <QCursor>
#include <QHash>
#include <QWidget>

class QAbstractEventDispatcher;
#include <map>
#include <memory>
#include <optional>

#include "app/queued_check.h"
#include "form/form1.h"
#include "form/form_view.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quorvane {

class ResultsListModel;
class ResultsView;

// The main window in Qt Widgets: every control of the shared layout, its design name as its
// object name, shown as the form (Form1) asks, with the user's actions passed on to the form's
// handlers.
// The sources are split by concern:
//   form1_widget.cpp          construction, event routing, the values of the controls
//   form1_widget_layout.cpp   controls, positions, fonts, colours, Alt letters, tab order,
//                             what screen readers say of each control
//   form1_widget_pointer.cpp  the pointer shown and the movements that feed the form's mode
class Form1Widget : public QWidget, public FormView {
    Q_OBJECT

  public:
    explicit Form1Widget(const FormServices& services, QWidget* parent = nullptr);
    ~Form1Widget() override;

    Form1& form() { return *form_; }
    ResultsListModel& resultsModel() { return *results_; }

    // The controls, owned by the window; Control::Window is the window itself. Each accessor
    // throws std::invalid_argument for a control of another kind.
    QWidget* control(Control control) const;
    QGroupBox* frame(Control frame) const;
    QRadioButton* option(Control option) const;
    QLineEdit* textBox(Control textBox) const;
    QPushButton* pushButton(Control button) const;
    QComboBox* driveList() const;
    ResultsView* resultsView() const;

    // FormView
    bool isChecked(Control option) const override;
    void setChecked(Control option, bool checked) override;
    std::string text(Control control) const override;
    void setText(Control control, const std::string& text) override;
    void setFocus(Control control) override;
    void selectAllText(Control textBox) override;
    void showDrives(const std::vector<std::string>& texts, int current) override;
    int currentDrive() const override;
    std::int64_t selectedResult() const override;
    void setResultsColumnWidth(int twips) override;
    void setCaption(const std::string& caption) override;
    void showProgramIcon() override;
    void useButtonFaceColour() override;
    bool loadMouseIcon(const std::string& cursorFile) override;
    void showPointer(int mousePointer) override;
    void processEvents() override;
    void waitForEvents() override;
    void wake() override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    // form1_widget_layout.cpp
    void createControls();
    void setUpWindow();
    void createControl(const ControlLayout& layout);
    void setTabOrderOfControls();
    static void SetColours(QWidget* control, const QColor& back, const QColor& text);

    // form1_widget.cpp
    void connectHandlers();

    // form1_widget_pointer.cpp
    void watchPointerOverControls();
    void watchPointer(QWidget* surface, Control reportedAs);
    void keepPointerMovesToItself(QWidget* control);

    std::unique_ptr<Form1> form_;
    ResultsListModel* results_ = nullptr;
    std::map<Control, QWidget*> controls_;
    std::optional<QCursor> mouseIcon_;
    // The control whose movements each watched widget reports (the list's parts report the
    // list).
    QHash<const QObject*, Control> pointerSurfaces_;
    // The depth entry check, queued when the depth box loses the focus to another control.
    QueuedCheck* depthCheck_ = nullptr;
    // The window thread's event loop, which the walk's thread wakes.
    QAbstractEventDispatcher* dispatcher_ = nullptr;
};

}  // namespace quorvane
