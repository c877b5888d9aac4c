// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The schematic beside the design fields shows the circuit the design describes: one RC or two
// stages as "Ordine" says, with RL where "RL" holds a load. It follows both as they change, an
// opened design among them, and is drawn again for the screen's pixel ratio when the window
// shows or moves to another screen.

#include "app/images.h"

#include <QObject>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;

namespace main_window {

// The circuit of an order (the combo's index: 0 one stage, 1 two) and a load field's text: a
// load where the text reads as a number above zero.
app::SchematicCircuit SchematicCircuitOf(int orderIndex, const QString& loadText);

// What the schematic shows, in words, for a screen reader.
QString SchematicDescription(app::SchematicCircuit circuit);

class SchematicView : public QObject {
public:
    SchematicView(QLabel& picture, QComboBox& order, QLineEdit& load, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Show();

    QLabel& picture_;
    QComboBox& order_;
    QLineEdit& load_;
};

} // namespace main_window
