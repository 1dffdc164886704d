#pragma once

#include <QCursor>
#include <QString>
#include <optional>

namespace quorvane {

// Reads a Windows cursor file (.cur) through Qt's image plugins, with the hot spot that the
// file names. An icon file (.ico) is read too, with its hot spot in the middle. Nothing when
// the file cannot be read as an image.
std::optional<QCursor> LoadCursorFile(const QString& path);

}  // namespace quorvane
