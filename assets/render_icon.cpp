// SPDX-License-Identifier: GPL-3.0-or-later
// Usage: velmaro_render_icon <icon.svg> <size> <out.png>
// Renders the SVG icon into a square PNG of the given size, for the icon theme the
// installation fills. A build tool, never installed; it needs no display (no application object:
// the icon has no text, so no fonts are needed).

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <icon.svg> <size> <out.png>\n", argv[0]);
        return 2;
    }
    bool isNumber = false;
    const int size = QString::fromLocal8Bit(argv[2]).toInt(&isNumber);
    if (!isNumber || size < 1 || size > 1024) {
        std::fprintf(stderr, "%s: size must be 1 to 1024 pixels, not %s\n", argv[0], argv[2]);
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "%s: cannot read the SVG picture %s\n", argv[0], argv[1]);
        return 1;
    }

    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    // 96 dpi, written as the PNG's pixel density whatever Qt's default.
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[3]);
        return 1;
    }
    return 0;
}
