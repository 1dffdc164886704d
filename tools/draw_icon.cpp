// Draws the program's icon (a folder holding a list) at the sizes the window and the desktop
// use, as PNG files and as the Windows icon file quorvane.ico that holds them all:
// draw_icon OUTPUT_FOLDER. Run by hand when the drawing changes; the pictures are kept in
// data/icons.

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <vector>

namespace {

QImage drawIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 256.0, size / 256.0);

    // The folder's back, with its tab.
    QPainterPath back;
    back.moveTo(16, 60);
    back.lineTo(16, 220);
    back.quadTo(16, 236, 32, 236);
    back.lineTo(224, 236);
    back.quadTo(240, 236, 240, 220);
    back.lineTo(240, 84);
    back.quadTo(240, 68, 224, 68);
    back.lineTo(124, 68);
    back.lineTo(104, 44);
    back.lineTo(32, 44);
    back.quadTo(16, 44, 16, 60);
    painter.fillPath(back, QColor(0xC9, 0x8A, 0x12));

    // A sheet with the list sticking out of the folder.
    painter.setPen(QPen(QColor(0x9A, 0xA4, 0xB0), 4));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(44, 26, 168, 150), 10, 10);
    painter.setPen(QPen(QColor(0x2B, 0x5C, 0xA8), 10, Qt::SolidLine, Qt::RoundCap));
    for (int row = 0; row < 3; ++row) {
        const double y = 52 + row * 22;
        painter.drawLine(QPointF(68 + row * 20, y), QPointF(188, y));
    }

    // The folder's front.
    QPainterPath front;
    front.moveTo(16, 112);
    front.lineTo(16, 220);
    front.quadTo(16, 236, 32, 236);
    front.lineTo(224, 236);
    front.quadTo(240, 236, 240, 220);
    front.lineTo(240, 112);
    front.quadTo(240, 100, 228, 100);
    front.lineTo(28, 100);
    front.quadTo(16, 100, 16, 112);
    QLinearGradient shade(0, 100, 0, 236);
    shade.setColorAt(0, QColor(0xF7, 0xC3, 0x4A));
    shade.setColorAt(1, QColor(0xE8, 0xA4, 0x1C));
    painter.fillPath(front, shade);
    return image;
}

void put16(QByteArray& out, int value) {
    out.append(char(value & 0xff)).append(char(value >> 8 & 0xff));
}

void put32(QByteArray& out, qint64 value) {
    put16(out, int(value & 0xffff));
    put16(out, int(value >> 16 & 0xffff));
}

// One image of an icon file in the bitmap form: a header, the pixels from the bottom row up,
// then the transparency mask, which the alpha channel (or, at 24 bits, opacity) makes empty.
QByteArray iconBitmap(const QImage& drawn) {
    // Icon files keep the colours apart from the alpha, not multiplied by it.
    const bool alpha = drawn.hasAlphaChannel();
    const QImage image =
        drawn.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    const int size = image.width();
    const int maskRow = (size + 31) / 32 * 4;
    QByteArray pixels;
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            const QRgb pixel = image.pixel(x, y);
            pixels.append(char(qBlue(pixel))).append(char(qGreen(pixel))).append(char(qRed(pixel)));
            if (alpha) pixels.append(char(qAlpha(pixel)));
        }
    }
    QByteArray bitmap;
    put32(bitmap, 40);
    put32(bitmap, size);
    put32(bitmap, 2 * size);  // the pixels and the mask
    put16(bitmap, 1);
    put16(bitmap, alpha ? 32 : 24);
    put32(bitmap, 0);
    put32(bitmap, pixels.size() + qint64(maskRow) * size);
    for (int i = 0; i < 4; ++i)
        put32(bitmap, 0);
    return bitmap + pixels + QByteArray(maskRow * size, '\0');
}

// The icon file: the largest image as PNG, as Windows keeps it, the others as bitmaps.
bool writeIconFile(const QString& file, const std::vector<QImage>& images) {
    std::vector<QByteArray> data;
    for (const QImage& image : images) {
        if (image.width() < 256) {
            data.push_back(iconBitmap(image));
            continue;
        }
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG")) return false;
        data.push_back(png);
    }
    QByteArray icon;
    put16(icon, 0);
    put16(icon, 1);  // an icon file
    put16(icon, int(images.size()));
    qint64 offset = 6 + 16 * qint64(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const int size = images[i].width();
        icon.append(char(size < 256 ? size : 0)).append(char(size < 256 ? size : 0));
        icon.append(char(0)).append(char(0));
        put16(icon, 1);
        put16(icon, images[i].hasAlphaChannel() ? 32 : 24);
        put32(icon, data[i].size());
        put32(icon, offset);
        offset += data[i].size();
    }
    for (const QByteArray& image : data)
        icon += image;
    QFile out(file);
    return out.open(QIODevice::WriteOnly) && out.write(icon) == icon.size();
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_icon OUTPUT_FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    std::vector<QImage> images;
    for (int size : {32, 48, 128, 256}) {
        QImage image = drawIcon(size);
        // The smallest size carries no alpha channel, like the classic 24-bit icon image.
        if (size == 32) {
            QImage opaque(size, size, QImage::Format_RGB888);
            opaque.fill(Qt::white);
            QPainter(&opaque).drawImage(0, 0, image);
            image = opaque;
        }
        const QString file = QStringLiteral("%1/quorvane-%2.png").arg(folder).arg(size);
        if (!image.save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
        images.push_back(image);
    }
    const QString icon = folder + QStringLiteral("/quorvane.ico");
    if (!writeIconFile(icon, images)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(icon));
        return 1;
    }
    return 0;
}
