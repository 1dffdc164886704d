#pragma once

#include <QString>

namespace quorvane {

// A caption as the window shows it: without the "&" that marks its Alt letter, and with "&&"
// shown as one "&".
QString CaptionWithoutMnemonic(const QString& caption);

}  // namespace quorvane
