#include "graph_window/form2.h"

Form2::Form2(DesignState& state, QWidget* parent) : QWidget(parent), state_(state) {
    setObjectName("Form2");
    setAttribute(Qt::WA_DeleteOnClose);
}
