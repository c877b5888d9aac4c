#pragma once

#include "app/design_state.h"

#include <QWidget>

class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(DesignState& state, QWidget* parent = nullptr);

private:
    DesignState& state_;
};
