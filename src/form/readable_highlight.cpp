#include "form/readable_highlight.h"

#include <algorithm>
#include <cmath>

namespace quorvane {

namespace {

constexpr double kReadable = 5.0;
constexpr double kAimedFor = 5.5;

double Luminance(std::uint32_t rgb) {
    const auto linear = [](std::uint32_t channel) {
        const double c = (channel & 0xff) / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(rgb >> 16) + 0.7152 * linear(rgb >> 8) + 0.0722 * linear(rgb);
}

double Contrast(std::uint32_t a, std::uint32_t b) {
    const double first = Luminance(a);
    const double second = Luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

// `share` of `toward` in `colour`, channel by channel.
std::uint32_t Mix(std::uint32_t colour, std::uint32_t toward, double share) {
    std::uint32_t mixed = 0;
    for (const int shift : {16, 8, 0}) {
        const double from = (colour >> shift) & 0xff;
        const double to = (toward >> shift) & 0xff;
        mixed |= static_cast<std::uint32_t>(std::lround(from + (to - from) * share)) << shift;
    }
    return mixed;
}

}  // namespace

std::uint32_t ReadableHighlight(std::uint32_t highlight, std::uint32_t text) {
    highlight &= 0xffffff;
    text &= 0xffffff;
    if (Contrast(highlight, text) >= kReadable) return highlight;
    const std::uint32_t toward = Luminance(text) >= Luminance(highlight) ? 0x000000 : 0xffffff;
    for (int percent = 1; percent < 100; ++percent) {
        const std::uint32_t mixed = Mix(highlight, toward, percent / 100.0);
        if (Contrast(mixed, text) >= kAimedFor) return mixed;
    }
    return toward;
}

}  // namespace quorvane
