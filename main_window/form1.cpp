#include "main_window/form1.h"

Form1::Form1(DesignState& state, QWidget* parent) : QWidget(parent), state_(state) {
    setObjectName("Form1");
}
