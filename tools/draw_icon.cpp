// Draws the program's icon (a folder holding a list) at the sizes the window and the desktop
// use, as PNG files: draw_icon OUTPUT_FOLDER. Run by hand when the drawing changes; the
// pictures are kept in data/icons.

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

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

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_icon OUTPUT_FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
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
    }
    return 0;
}
