#pragma once

#include <QProxyStyle>

class QWidget;

namespace quorvane {

// Underlines the Alt letters of captions only while Alt is held, as Windows does unless its
// user asks to see them always: the window looks as designed, without a mark in any caption,
// until the user reaches for the keyboard. The letters work all the same.
//
// A style over the application's own, so the look is otherwise the same; one instance serves
// every window and lives as long as the application.
class AccessKeyCues : public QProxyStyle {
  public:
    // Gives `window` and every widget in it the cues.
    static void ApplyTo(QWidget* window);

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    explicit AccessKeyCues(QStyle* base);
    static AccessKeyCues* Instance();
    void show(bool shown);

    bool shown_ = false;
};

}  // namespace quorvane
