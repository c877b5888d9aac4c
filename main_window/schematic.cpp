// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/schematic.h"

#include "app/number_text.h"
#include "app/text.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>

namespace main_window {

app::SchematicCircuit SchematicCircuitOf(int orderIndex, const QString& loadText) {
    const std::optional<double> load = app::ReadFieldNumber(loadText);
    const bool loaded = load && *load > 0;
    if (orderIndex == 1)
        return loaded ? app::SchematicCircuit::TwoStagesLoaded : app::SchematicCircuit::TwoStages;
    return loaded ? app::SchematicCircuit::OneStageLoaded : app::SchematicCircuit::OneStage;
}

QString SchematicDescription(app::SchematicCircuit circuit) {
    switch (circuit) {
    case app::SchematicCircuit::OneStage:
        break;
    case app::SchematicCircuit::OneStageLoaded:
        return app::Text::tr("Schema: filtro RC con carico RL");
    case app::SchematicCircuit::TwoStages:
        return app::Text::tr("Schema: due stadi RC (R, C e R2, C2)");
    case app::SchematicCircuit::TwoStagesLoaded:
        return app::Text::tr("Schema: due stadi RC (R, C e R2, C2) con carico RL");
    }
    return app::Text::tr("Schema: filtro RC");
}

SchematicView::SchematicView(QLabel& picture, QComboBox& order, QLineEdit& load, QObject* parent)
    : QObject(parent), picture_(picture), order_(order), load_(load) {
    connect(&order_, &QComboBox::currentIndexChanged, this, &SchematicView::Show);
    connect(&load_, &QLineEdit::textChanged, this, &SchematicView::Show);
    picture_.installEventFilter(this);
    Show();
}

bool SchematicView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &picture_ &&
        (event->type() == QEvent::Show || event->type() == QEvent::ScreenChangeInternal))
        Show();
    return QObject::eventFilter(watched, event);
}

void SchematicView::Show() {
    const app::SchematicCircuit circuit = SchematicCircuitOf(order_.currentIndex(), load_.text());
    picture_.setPixmap(app::SchematicPicture(circuit, picture_.devicePixelRatioF()));
    picture_.setAccessibleDescription(SchematicDescription(circuit));
}

} // namespace main_window
