#pragma once

#include <QRect>
#include <QScrollArea>
#include <memory>

namespace quorvane {

// The main window keeps its designed size, so a screen can be too small for it: a small one
// under a large scale factor (QT_SCALE_FACTOR=2 makes 536 x 580 take 1072 x 1160 pixels). There
// it is shown inside this frame, which the screen holds and which scrolls, so that every
// control can be reached and the layout stays as designed. The frame shows the window's title
// and icon, and closing it closes the window (which ends the program).
class ScrollingFrame : public QScrollArea {
    Q_OBJECT

  public:
    // Holds `window`, which stays its caller's, and is no larger than `room`.
    ScrollingFrame(QWidget* window, QSize room);
    ~ScrollingFrame() override;

  protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Once shown, its frame as the window manager made it lies within the screen's available
    // area: smaller and moved where the manager's frame or place would go beyond it.
    void fitWithinScreen();

    bool fitQueued_ = false;
};

// The room a screen leaves a window of the program: its available area less what a window
// manager's frame around the window takes.
QRect RoomForWindow(const QRect& availableOnScreen);

// Shows `window` as it is where `room` holds it, or else inside a ScrollingFrame centred in
// `room`. Returns the frame, owned by the caller, or null when none was needed.
std::unique_ptr<ScrollingFrame> ShowWithinScreen(QWidget& window, const QRect& room);

}  // namespace quorvane
