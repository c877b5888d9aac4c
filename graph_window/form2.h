#pragma once

// The graph window "Forme d'onda reali".

#include "app/design_state.h"

#include <QWidget>

class Form2 : public QWidget {
    Q_OBJECT
public:
    explicit Form2(DesignState& state, QWidget* parent = nullptr);

private:
    DesignState& state_;
};
