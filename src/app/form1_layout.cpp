#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTreeView>
#include <algorithm>
#include <initializer_list>

#include "app/form1.h"
#include "app/results_list_model.h"

namespace quorvane {

namespace {

constexpr int kClientWidth = 8040;  // twips
constexpr int kClientHeight = 8700;

constexpr char kResultsToolTip[] =
    "Double-click item to remove it. Move | line to right and out of window to reveal full "
    "names.";

QFont windowFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(9);
    font.setBold(true);
    return font;
}

QFont pushButtonFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(11.25);
    font.setBold(true);
    return font;
}

// Positions are given in twips from the top-left corner of the container, as designed.
template <typename Control>
Control* place(Control* control, const char* name, int left, int top, int width, int height) {
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(Form1::PixelsFromTwips(left), Form1::PixelsFromTwips(top),
                         Form1::PixelsFromTwips(width), Form1::PixelsFromTwips(height));
    return control;
}

// Within a container, a control listed earlier lies on top of one listed later.
void stackListedFirstOnTop(std::initializer_list<QWidget*> controls) {
    std::for_each(std::rbegin(controls), std::rend(controls), [](QWidget* c) { c->raise(); });
}

// The drive that holds the current folder: the one whose root is the longest start of it.
int currentDriveIndex(const std::vector<Drive>& drives) {
    const QString current = QDir::toNativeSeparators(QDir::currentPath()) + QDir::separator();
#ifdef _WIN32
    const Qt::CaseSensitivity cs = Qt::CaseInsensitive;
#else
    const Qt::CaseSensitivity cs = Qt::CaseSensitive;
#endif
    int best = drives.empty() ? -1 : 0;
    qsizetype bestLength = -1;
    for (size_t i = 0; i < drives.size(); ++i) {
        const QString root = QString::fromUtf8(drives[i].root);
        if (root.size() > bestLength && current.startsWith(root, cs)) {
            best = static_cast<int>(i);
            bestLength = root.size();
        }
    }
    return best;
}

}  // namespace

void Form1::SetBackColor(QWidget* control, const QColor& colour) {
    // Buttons paint their background in the button role, frames and windows in the window
    // role.
    QPalette palette = control->palette();
    palette.setColor(control->backgroundRole(), colour);
    control->setPalette(palette);
}

void Form1::createControls() {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Form1"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(PixelsFromTwips(kClientWidth), PixelsFromTwips(kClientHeight));
    setFont(windowFont());
    SetBackColor(this, Qt::white);
    setAutoFillBackground(true);
    setMouseTracking(true);

    // A caption's "&" marks the letter that Alt presses the control with; a caption without a
    // letter gets its Alt key from `altKey` instead.
    const auto pushButton = [](QWidget* container, const char* caption, int altKey = 0) {
        auto* button = new QPushButton(QString::fromLatin1(caption), container);
        if (altKey) button->setShortcut(QKeySequence(Qt::ALT | altKey));
        button->setFont(pushButtonFont());
        QPalette palette = button->palette();
        palette.setColor(QPalette::Button, Qt::white);
        button->setPalette(palette);
        return button;
    };
    const auto option = [](QWidget* container, const QString& caption) {
        // It takes the colour of its frame, and paints none of its own over the frame's,
        // which a style may shade.
        auto* button = new QRadioButton(caption, container);
        SetBackColor(button, Qt::white);
        return button;
    };
    const auto frame = [](QWidget* container, const char* caption) {
        auto* box = new QGroupBox(QString::fromLatin1(caption), container);
        SetBackColor(box, Qt::white);
        box->setAutoFillBackground(true);
        return box;
    };

    Frame2 = place(frame(this, "Folder Depth"), "Frame2", 120, 2410, 7800, 1500);
    Option7 = place(option(Frame2, QStringLiteral("Only f&irst subfolders of target folder "
                                                  "(depth = 1)")),
                    "Option7", 240, 650, 4455, 255);
    Option8 = place(option(Frame2, QStringLiteral("&All subfolders of target folder "
                                                  "(depth = infinity)")),
                    "Option8", 240, 300, 4455, 255);
    Text2 = place(new QLineEdit(Frame2), "Text2", 1680, 990, 855, 345);
    PushButton9 = place(pushButton(Frame2, "?", Qt::Key_Q), "PushButton9", 6840, 300, 600, 345);
    // The depth box stands in the blank gap of this caption, so the row reads as a sentence.
    Option6 = place(option(Frame2, QStringLiteral("Only de&pth =") + QString(24, u' ') +
                                       QStringLiteral("subfolders of target folder")),
                    "Option6", 240, 1020, 5415, 255);
    stackListedFirstOnTop({Option7, Option8, Text2, PushButton9, Option6});

    PushButton3 = place(pushButton(this, "&Help"), "PushButton3", 120, 120, 3840, 405);

    Frame1 = place(frame(this, "Where would you like to look to create folder list?"), "Frame1",
                   120, 580, 7800, 1770);
    // The folder box is editable. It lays its text out in the application's direction, right
    // to left only where the system writes that way.
    Text1 = place(new QLineEdit(Frame1), "Text1", 2280, 300, 4455, 345);
    Option5 = place(option(Frame1, QStringLiteral("Look at this &folder:")), "Option5", 240, 345,
                    2055, 255);
    Drive1 = place(new QComboBox(Frame1), "Drive1", 2280, 800, 5160, 345);
    Option4 = place(option(Frame1, QStringLiteral("Look at this &drive:")), "Option4", 240, 845,
                    1935, 255);
    Option3 = place(option(Frame1, QStringLiteral("Look at &entire computer (all drives)")),
                    "Option3", 240, 1345, 3375, 255);
    PushButton5 = place(pushButton(Frame1, "...", Qt::Key_B), "PushButton5", 6840, 300, 600, 345);
    stackListedFirstOnTop({Text1, Option5, Drive1, Option4, Option3, PushButton5});

    ListView1 = place(new QTreeView(this), "ListView1", 120, 4545, 7800, 2535);
    results_ = new ResultsListModel(this);
    ListView1->setModel(results_);
    ListView1->setRootIsDecorated(false);
    ListView1->setItemsExpandable(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->header()->setStretchLastSection(false);
    ListView1->header()->setSectionsMovable(false);
    ListView1->setToolTip(QString::fromLatin1(kResultsToolTip));

    PushButton1 =
        place(pushButton(this, "&Start Creating List"), "PushButton1", 120, 4035, 7800, 405);
    PushButton2 =
        place(pushButton(this, "Save Results As &Text File"), "PushButton2", 120, 7170, 3840, 405);
    PushButton4 =
        place(pushButton(this, "Save Results As E&xcel File"), "PushButton4", 120, 7680, 3840, 405);
    PushButton6 = place(pushButton(this, "C&lear Results"), "PushButton6", 4080, 7680, 3840, 405);
    PushButton7 =
        place(pushButton(this, "&Copy Results To Clipboard"), "PushButton7", 4080, 7170, 3840, 405);
    PushButton8 =
        place(pushButton(this, "Load Sa&mple/Example Folder"), "PushButton8", 4080, 120, 3840, 405);
    PushButton19 = place(pushButton(this, "&Remove Results Containing X"), "PushButton19", 120,
                         8190, 3840, 405);
    PushButton20 = place(pushButton(this, "Remove Results &Not Containing X"), "PushButton20", 4080,
                         8190, 3840, 405);
    stackListedFirstOnTop({Frame2, PushButton3, Frame1, ListView1, PushButton1, PushButton2,
                           PushButton4, PushButton6, PushButton7, PushButton8, PushButton19,
                           PushButton20});

    // The design's initial choice; Form_Load then restores the user's.
    Option5->setChecked(true);
    Option8->setChecked(true);

    for (QPushButton* button :
         {PushButton1, PushButton2, PushButton3, PushButton4, PushButton5, PushButton6, PushButton7,
          PushButton8, PushButton9, PushButton19, PushButton20}) {
        watchPointer(button, PointerReaction::PushButton);
    }
    for (QWidget* surface : {static_cast<QWidget*>(Frame1), static_cast<QWidget*>(Frame2),
                             static_cast<QWidget*>(Text1), static_cast<QWidget*>(Text2)}) {
        watchPointer(surface, PointerReaction::Surface);
    }
    // The list reacts wherever the pointer is on it: items, header or scroll bars.
    watchPointer(ListView1, PointerReaction::Surface);
    for (QWidget* part : ListView1->findChildren<QWidget*>()) {
        watchPointer(part, PointerReaction::Surface);
    }
    for (QWidget* quiet : {static_cast<QWidget*>(Option3), static_cast<QWidget*>(Option4),
                           static_cast<QWidget*>(Option5), static_cast<QWidget*>(Option6),
                           static_cast<QWidget*>(Option7), static_cast<QWidget*>(Option8),
                           static_cast<QWidget*>(Drive1)}) {
        keepPointerMovesToItself(quiet);
    }

    if (QScreen* display = screen()) {
        move(display->availableGeometry().center() - rect().center());
    }
    ListView1->setFocus();
}

void Form1::describeControls() {
    // What screen readers say of each control: a name where the control shows no words of its
    // own (a box, or a caption of punctuation), and what the control does. A caption is its
    // control's name, without the mark of its Alt letter.
    struct Description {
        QWidget* control;
        const char* name;
        const char* description;
    };
    const Description descriptions[] = {
        {Option5, nullptr, "Lists the subfolders of the folder in the box beside it."},
        {Text1, "Folder to look at",
         "The folder whose subfolders \"Look at this folder:\" lists. Enter starts the list."},
        {PushButton5, "Browse for folder", "Chooses the folder to look at in a folder browser."},
        {Option4, nullptr, "Lists the folders of the drive chosen beside it."},
        {Drive1, "Drive to look at", "The drive whose folders \"Look at this drive:\" lists."},
        {Option3, nullptr, "Lists the folders of every drive, one drive after the other."},
        {Option8, nullptr, "Lists every level of folders below the target."},
        {Option7, nullptr, "Lists only the folders directly inside the target."},
        {Option6, nullptr, "Lists the levels from 1 to the depth in the box of this line."},
        {Text2, "Depth", "How many levels below the target \"Only depth =\" lists."},
        {PushButton9, "Explain the depth choices", "Shows what each choice of depth lists."},
        {PushButton3, nullptr, "Shows how to use the window."},
        {PushButton8, nullptr,
         "Makes the sample folder the target: a small tree whose lists differ at each depth."},
        {PushButton1, nullptr,
         "Empties the results and lists the folders of the chosen target and depth."},
        {ListView1, "Results",
         "The full path of every folder found. Delete or a double-click removes the selected "
         "entry."},
        {PushButton2, nullptr, "Writes the results to a text file, one path per line."},
        {PushButton7, nullptr, "Puts the results on the clipboard, in aligned columns."},
        {PushButton4, nullptr,
         "Writes the results to a workbook and opens it in the spreadsheet program."},
        {PushButton6, nullptr, "Empties the results."},
        {PushButton19, nullptr, "Asks for a text and removes every result that contains it."},
        {PushButton20, nullptr,
         "Asks for a text and removes every result that does not contain it."},
    };
    for (const Description& d : descriptions) {
        if (d.name) d.control->setAccessibleName(QString::fromLatin1(d.name));
        d.control->setAccessibleDescription(QString::fromLatin1(d.description));
    }
}

void Form1::fillDriveList() {
    const std::vector<Drive> drives = services_.drives.drives();
    for (const Drive& drive : drives) {
        Drive1->addItem(QString::fromUtf8(drive.displayText),
                        QByteArray::fromStdString(drive.root));
    }
    Drive1->setCurrentIndex(currentDriveIndex(drives));
}

void Form1::setTabOrderOfControls() {
    // The frames take no focus; their place in the order is kept by their contents.
    QWidget* const order[] = {ListView1,    Option3,     Option4,     Drive1,      Option5,
                              Text1,        PushButton1, PushButton3, PushButton2, PushButton4,
                              PushButton6,  PushButton5, PushButton7, PushButton8, PushButton19,
                              PushButton20, Text2,       Option8,     Option7,     Option6,
                              PushButton9};
    for (size_t i = 1; i < std::size(order); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

}  // namespace quorvane
