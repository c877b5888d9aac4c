// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The command line: velmaro [OPTION] [FILE]. FILE, a saved design, opens at start; --help and
// --version print and end the program; any other option prints the usage to the error output
// and ends it with status 2. The toolkit's own options (-platform NAME, -style NAME…) are left
// to it.

#include <QString>
#include <QStringList>

#include <optional>

namespace app {

struct StartRequest {
    std::optional<int> exitStatus; // when set, the program prints and ends with this status
    QString output;                // for the standard output
    QString errors;                // for the error output
    QString file;                  // the design to open at start; empty for none
};

// arguments: what follows the program's name.
StartRequest ReadCommandLine(const QStringList& arguments);
StartRequest ReadCommandLine(int argc, char* argv[]);

// Prints the request's texts, and answers its exit status.
int PrintAndExit(const StartRequest& request);

// The program's version, "1.3.0".
QString ProgramVersion();

} // namespace app
