// Draws the program's icon at the sizes the window and the desktop use, as PNG files, from
// the scalable icon, so that every size shows the same drawing, and the Windows icon file
// quorvane.ico that holds them all:
//     draw_icon data/icons/quorvane.svg data/icons
// Run by hand when the drawing changes; the pictures are kept in data/icons.

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <vector>

namespace {

void put16(QByteArray& out, int value) {
    out.append(char(value & 0xff)).append(char(value >> 8 & 0xff));
}

void put32(QByteArray& out, qint64 value) {
    put16(out, int(value & 0xffff));
    put16(out, int(value >> 16 & 0xffff));
}

// One image of an icon file in the bitmap form: a header, the pixels from the bottom row up,
// then the transparency mask. At 32 bits the alpha channel says what shows and the mask is
// empty; at 24 bits, the classic form of the smallest image, the mask hides what the drawing
// leaves mostly transparent.
QByteArray iconBitmap(const QImage& drawn, int bits) {
    // Icon files keep the colours apart from the alpha, not multiplied by it.
    const QImage image = drawn.convertToFormat(QImage::Format_ARGB32);
    const int size = image.width();
    const int maskRow = (size + 31) / 32 * 4;
    QByteArray pixels;
    QByteArray mask(maskRow * size, '\0');
    for (int y = size - 1; y >= 0; --y) {
        const int row = size - 1 - y;
        for (int x = 0; x < size; ++x) {
            const QRgb pixel = image.pixel(x, y);
            pixels.append(char(qBlue(pixel))).append(char(qGreen(pixel))).append(char(qRed(pixel)));
            if (bits == 32) {
                pixels.append(char(qAlpha(pixel)));
            } else if (qAlpha(pixel) < 128) {
                mask[row * maskRow + x / 8] = char(mask[row * maskRow + x / 8] | 0x80 >> x % 8);
            }
        }
    }
    QByteArray bitmap;
    put32(bitmap, 40);
    put32(bitmap, size);
    put32(bitmap, 2 * size);  // the pixels and the mask
    put16(bitmap, 1);
    put16(bitmap, bits);
    put32(bitmap, 0);
    put32(bitmap, pixels.size() + mask.size());
    for (int i = 0; i < 4; ++i)
        put32(bitmap, 0);
    return bitmap + pixels + mask;
}

// The icon file: 32 pixels at 24 bits, 48 and 128 at 32 bits, and the largest as PNG, as
// Windows keeps it.
bool writeIconFile(const QString& file, const std::vector<QImage>& images) {
    std::vector<QByteArray> data;
    std::vector<int> bits;
    for (const QImage& image : images) {
        bits.push_back(image.width() == 32 ? 24 : 32);
        if (image.width() < 256) {
            data.push_back(iconBitmap(image, bits.back()));
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
        put16(icon, bits[i]);
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
    if (argc != 3) {
        std::fprintf(stderr, "usage: draw_icon ICON.svg OUTPUT_FOLDER\n");
        return 2;
    }
    QSvgRenderer drawing(QString::fromLocal8Bit(argv[1]));
    if (!drawing.isValid()) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const QString folder = QString::fromLocal8Bit(argv[2]);
    std::vector<QImage> images;
    for (int size : {32, 48, 128, 256}) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        drawing.render(&painter);
        painter.end();
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
