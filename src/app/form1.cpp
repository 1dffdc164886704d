#include "app/form1.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>

#include "app/results_list_model.h"

namespace quorvane {

Form1::Form1(const Form1Services& services, QWidget* parent)
    : QWidget(parent), services_(services) {
    createControls();
    describeControls();
    fillDriveList();
    setTabOrderOfControls();
    connectHandlers();
}

Form1::~Form1() = default;

void Form1::connectHandlers() {
    connect(Option3, &QRadioButton::clicked, this, &Form1::Option3_Click);
    connect(Option4, &QRadioButton::clicked, this, &Form1::Option4_Click);
    connect(Option5, &QRadioButton::clicked, this, &Form1::Option5_Click);
    connect(Option6, &QRadioButton::clicked, this, &Form1::Option6_Click);
    connect(Option7, &QRadioButton::clicked, this, &Form1::Option7_Click);
    connect(Option8, &QRadioButton::clicked, this, &Form1::Option8_Click);
    connect(Text1, &QLineEdit::textChanged, this, &Form1::Text1_Change);
    connect(Text2, &QLineEdit::textChanged, this, &Form1::Text2_Change);
    // Enter in the folder box starts the list, as "Start Creating List" does.
    connect(Text1, &QLineEdit::returnPressed, this, &Form1::PushButton1_Click);
    Text2->installEventFilter(this);
    ListView1->installEventFilter(this);
    ListView1->viewport()->installEventFilter(this);

    connect(PushButton1, &QPushButton::clicked, this, &Form1::PushButton1_Click);
    connect(PushButton2, &QPushButton::clicked, this, &Form1::PushButton2_Click);
    connect(PushButton3, &QPushButton::clicked, this, &Form1::PushButton3_Click);
    connect(PushButton4, &QPushButton::clicked, this, &Form1::PushButton4_Click);
    connect(PushButton5, &QPushButton::clicked, this, &Form1::PushButton5_Click);
    connect(PushButton6, &QPushButton::clicked, this, &Form1::PushButton6_Click);
    connect(PushButton7, &QPushButton::clicked, this, &Form1::PushButton7_Click);
    connect(PushButton8, &QPushButton::clicked, this, &Form1::PushButton8_Click);
    connect(PushButton9, &QPushButton::clicked, this, &Form1::PushButton9_Click);
    connect(PushButton19, &QPushButton::clicked, this, &Form1::PushButton19_Click);
    connect(PushButton20, &QPushButton::clicked, this, &Form1::PushButton20_Click);
}

std::int64_t Form1::SelectedResultIndex() const {
    const QModelIndexList selected = ListView1->selectionModel()->selectedRows();
    return selected.isEmpty() ? 0 : selected.first().row() + 1;
}

void Form1::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseMove: {
            const auto reaction = pointerReactions_.constFind(watched);
            if (reaction == pointerReactions_.constEnd()) break;
            if (*reaction == PointerReaction::PushButton) {
                PushButtonMouseMove();
            } else {
                SurfaceMouseMove();
            }
            break;
        }
        case QEvent::FocusIn:
        case QEvent::FocusOut: {
            if (watched != Text2) break;
            // Focus that comes and goes with the whole window (another window activated, a
            // menu opened) never left the control for another one of this window.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) break;
            if (event->type() == QEvent::FocusIn) {
                Text2_GotFocus();
            } else {
                queueDepthCheck();
            }
            break;
        }
        case QEvent::KeyPress: {
            if (watched != ListView1) break;
            const auto* key = static_cast<QKeyEvent*>(event);
            ListView1_KeyDown(key->key() == Qt::Key_Delete ? kDeleteKeyCode : 0, key->modifiers());
            break;
        }
        case QEvent::MouseButtonDblClick:
            // The press before it has selected the entry under the pointer.
            if (watched != ListView1->viewport()) break;
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) ListView1_DblClick();
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace quorvane
