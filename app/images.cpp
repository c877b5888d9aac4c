// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/images.h"

#include <QPainter>
#include <QSvgRenderer>

// Outside any namespace: the resource initialiser is declared where it is used.
static void LoadResources() {
    // The resources live in a static library: register them before first use.
    static const bool loaded = [] {
        Q_INIT_RESOURCE(assets);
        return true;
    }();
    (void)loaded;
}

namespace app {

namespace {

QPixmap Render(const QString& path, QSize size) {
    LoadResources();
    QSvgRenderer renderer(path);
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return QPixmap::fromImage(image);
}

} // namespace

QIcon VelmaroIcon() {
    QIcon icon;
    icon.addPixmap(Render(":/velmaro/icon.svg", QSize(32, 32)));
    icon.addPixmap(Render(":/velmaro/icon.svg", QSize(16, 16)));
    return icon;
}

QPixmap SchematicPicture(SchematicCircuit circuit, qreal devicePixelRatio) {
    const char* source = ":/velmaro/schematic.svg";
    switch (circuit) {
    case SchematicCircuit::OneStage:
        break;
    case SchematicCircuit::OneStageLoaded:
        source = ":/velmaro/schematic-load.svg";
        break;
    case SchematicCircuit::TwoStages:
        source = ":/velmaro/schematic-two-stages.svg";
        break;
    case SchematicCircuit::TwoStagesLoaded:
        source = ":/velmaro/schematic-two-stages-load.svg";
        break;
    }
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1;
    const QSize size(320, 214);
    QPixmap picture = Render(QString::fromLatin1(source), (QSizeF(size) * ratio).toSize());
    picture.setDevicePixelRatio(ratio);
    return picture;
}

} // namespace app
