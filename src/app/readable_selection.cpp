#include "app/readable_selection.h"

#include "form/readable_highlight.h"

namespace quorvane {

void MakeSelectionReadable(QPalette& palette) {
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        const QRgb back = palette.color(group, QPalette::Highlight).rgb();
        const QRgb text = palette.color(group, QPalette::HighlightedText).rgb();
        palette.setColor(group, QPalette::Highlight,
                         QColor::fromRgb(ReadableHighlight(back, text)));
    }
}

}  // namespace quorvane
