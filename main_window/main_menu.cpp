// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's menu bar. Its file entries are the design files' own actions, shared with
// the background's menu; its tools press the window's buttons, so each command keeps one home.

#include "main_window/main_menu.h"

#include "app/command_line.h"
#include "app/text.h"
#include "main_window/form1.h"
#include "main_window/form1_controls.h"
#include "main_window/netlist_command.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace main_window {

QString AboutText() {
    return Form1::tr("Velmaro %1\n\n"
                     "Progetto e verifica del filtro RC che trasforma un segnale PWM in una "
                     "tensione continua.\n\n"
                     "Licenza GPL-3.0-or-later: GNU GPL versione 3 o successiva.\n\n"
                     "www.velmaro.org")
        .arg(app::ProgramVersion());
}

QUrl ManualAddress() {
    const QString installed = QDir(QCoreApplication::applicationDirPath())
                                  .filePath(QStringLiteral("../share/doc/velmaro/manual.md"));
    if (QFileInfo::exists(installed))
        return QUrl::fromLocalFile(QFileInfo(installed).canonicalFilePath());
    return QUrl(QStringLiteral("https://www.velmaro.org"));
}

QMenuBar& Form1::MakeMainMenu() {
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("MainMenuBar"));
    const auto add = [this](QMenu& menu, const QString& text, auto run) {
        QAction* action = menu.addAction(text);
        connect(action, &QAction::triggered, this, run);
        return action;
    };

    QMenu& file = *bar->addMenu(tr("&File"));
    file.setObjectName(QStringLiteral("FileMenu"));
    file.addAction(&files_->Action(FileAction::New));
    file.addAction(&files_->Action(FileAction::Open));
    file.addMenu(&files_->RecentMenu());
    file.addSeparator();
    file.addAction(&files_->Action(FileAction::Save));
    file.addAction(&files_->Action(FileAction::SaveAs));
    file.addSeparator();
    add(file, tr("Esporta netlist SPICE…"), [this] {
        app::CommandInProgress command;
        RunNetlistExport(state_, *this, *this, chooseFile_, files_->CurrentFile());
    });
    file.addSeparator();
    QAction* quit = add(file, tr("Esci"), [this] { close(); });
    SetStandardKeys(*quit, QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q));
    addAction(quit);

    QMenu& tools = *bar->addMenu(tr("&Strumenti"));
    tools.setObjectName(QStringLiteral("ToolsMenu"));
    for (const Form1Button button : {kGraphButton, kResponseButton, kChooserButton}) {
        QPushButton& pressed = app::BoundControl<QPushButton>(Content(), button);
        add(tools, pressed.text(), [&pressed] { pressed.click(); });
    }

    QMenu& help = *bar->addMenu(tr("&Aiuto"));
    help.setObjectName(QStringLiteral("HelpMenu"));
    add(help, tr("Manuale"), [] { QDesktopServices::openUrl(ManualAddress()); });
    add(help, tr("Informazioni su Velmaro"), [this] {
        QMessageBox::about(this, tr("Informazioni su Velmaro"), AboutText());
    });
    add(help, tr("Informazioni su Qt"), [this] { QMessageBox::aboutQt(this, tr("Informazioni su Qt")); });
    return *bar;
}

} // namespace main_window
