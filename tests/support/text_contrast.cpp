#include "support/text_contrast.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace quorvane::test {

double Luminance(std::uint32_t rgb) {
    const auto linear = [](std::uint32_t channel) {
        const double c = (channel & 0xff) / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(rgb >> 16) + 0.7152 * linear(rgb >> 8) + 0.0722 * linear(rgb);
}

double TextContrast(const std::vector<std::uint32_t>& pixels) {
    std::map<std::uint32_t, int> counts;
    for (const std::uint32_t pixel : pixels)
        ++counts[pixel & 0xffffff];
    if (counts.empty()) return 1;
    const auto background =
        std::max_element(counts.begin(), counts.end(),
                         [](const auto& a, const auto& b) { return a.second < b.second; });
    const double back = Luminance(background->first);
    double ratio = 1;
    for (const auto& [colour, count] : counts) {
        const double text = Luminance(colour);
        ratio = std::max(ratio, (std::max(back, text) + 0.05) / (std::min(back, text) + 0.05));
    }
    return ratio;
}

}  // namespace quorvane::test
