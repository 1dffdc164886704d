#include "app/caption_text.h"

namespace quorvane {

QString CaptionWithoutMnemonic(const QString& caption) {
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && ++i == caption.size()) break;
        shown += caption[i];
    }
    return shown;
}

}  // namespace quorvane
