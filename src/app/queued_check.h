#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace quorvane {

// A check that runs once the event that asked for it is done, as a message the window posts
// to itself, but never after the window's next input: a press, a key or a shortcut that
// reaches the window first runs the check before it, and is dropped when the check refuses.
// So the press that moved the focus out of a box whose entry is then refused does not go on
// to click its button, as on Windows, where posted messages come before input.
class QueuedCheck : public QObject {
  public:
    // `check` returns whether the input that follows may go on.
    QueuedCheck(QWidget* window, std::function<bool()> check);

    // Queues the check unless it is queued already.
    void queue();
    bool queued() const { return queued_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Runs the queued check now; true when nothing was queued.
    bool runNow();

    QWidget* window_;
    std::function<bool()> check_;
    bool queued_ = false;
};

}  // namespace quorvane
