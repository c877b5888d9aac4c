#include "main_window/form1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    app::DesignState state;
    main_window::Form1 form1(state);
    form1.show();
    return application.exec();
}
