#include "app/readable_selection.h"

#include <algorithm>
#include <cmath>

namespace quorvane {

namespace {

// Smoothed strokes never quite reach the text's colour: what the eye gets of 5:1 in colours is
// about 4.5:1 in pixels.
constexpr double kReadable = 5.0;
constexpr double kAimedFor = 5.5;

double Luminance(const QColor& colour) {
    const auto linear = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

double Contrast(const QColor& a, const QColor& b) {
    const double first = Luminance(a);
    const double second = Luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

QColor ReadableBehind(QColor back, const QColor& text) {
    if (Contrast(back, text) >= kReadable) return back;
    const bool darker = Luminance(text) >= Luminance(back);
    float hue = 0, saturation = 0, lightness = 0, alpha = 1;
    back.getHslF(&hue, &saturation, &lightness, &alpha);
    while (Contrast(back, text) < kAimedFor && lightness > 0 && lightness < 1) {
        lightness = std::clamp(lightness + (darker ? -0.01f : 0.01f), 0.0f, 1.0f);
        back.setHslF(hue, saturation, lightness, alpha);
    }
    return back;
}

}  // namespace

void MakeSelectionReadable(QPalette& palette) {
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Highlight,
                         ReadableBehind(palette.color(group, QPalette::Highlight),
                                        palette.color(group, QPalette::HighlightedText)));
    }
}

}  // namespace quorvane
