// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"
#include "app/text.h"
#include "main_window/design_files.h"
#include "main_window/form1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    // Read before the toolkit starts, so that --help and --version need no display.
    const app::StartRequest request = app::ReadCommandLine(argc, argv);
    if (request.exitStatus)
        return app::PrintAndExit(request);
    QApplication application(argc, argv);
    app::InstallToolkitTranslations(application);
    app::DesignState state;
    main_window::Form1 form1(state);
    form1.show();
    if (!request.file.isEmpty())
        form1.Files().Open(request.file);
    return application.exec();
}
