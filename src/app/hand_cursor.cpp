#include "app/hand_cursor.h"

#include <QFile>
#include <QImageReader>
#include <QPixmap>

namespace quorvane {

namespace {

constexpr int kCursorFileType = 2;  // 1 is an icon file

int littleEndian16(const QByteArray& bytes, int at) {
    return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

// The hot spot of the first image of a cursor file: its directory entry keeps it where an
// icon keeps its colour planes and bit count.
QPoint hotSpotOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {-1, -1};
    const QByteArray header = file.read(14);
    if (header.size() < 14 || littleEndian16(header, 2) != kCursorFileType) return {-1, -1};
    return {littleEndian16(header, 10), littleEndian16(header, 12)};
}

}  // namespace

std::optional<QCursor> LoadCursorFile(const QString& path) {
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.isNull()) return std::nullopt;
    const QPoint hotSpot = hotSpotOf(path);
    return QCursor(QPixmap::fromImage(image), hotSpot.x(), hotSpot.y());
}

}  // namespace quorvane
