// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"

#include "app/text.h"

#include <QFile>

#include <cstdio>

namespace app {

namespace {

constexpr char kUsage[] = QT_TRANSLATE_NOOP(
    "Velmaro",
    "Uso: velmaro [OPZIONE] [FILE]\n"
    "Progetta e simula un integratore RC passivo che trasforma un segnale PWM in una\n"
    "tensione continua. FILE, un progetto salvato (.velmaro), si apre all'avvio.\n"
    "\n"
    "Opzioni:\n"
    "  -h, --help     mostra questo aiuto ed esce\n"
    "      --version  mostra la versione ed esce\n"
    "  --             ciò che segue è FILE, anche se comincia con \"-\"\n"
    "\n"
    "Sono accettate anche le opzioni di Qt, come -platform NOME e -style NOME.\n");

constexpr char kVersion[] = QT_TRANSLATE_NOOP(
    "Velmaro",
    "velmaro " VELMARO_VERSION "\n"
    "Licenza GPL-3.0-or-later: GNU GPL versione 3 o successiva\n"
    "<https://www.gnu.org/licenses/gpl-3.0.html>.\n"
    "Questo è software libero: sei libero di modificarlo e ridistribuirlo.\n"
    "Non c'è ALCUNA GARANZIA, nei limiti consentiti dalla legge.\n");

// The toolkit's options, which it takes out of the arguments itself: those with a value, given
// as the next argument or after "=" (-style fusion, -style=fusion), then those alone.
constexpr const char* kToolkitOptionsWithValue[] = {
    "platform",        "platformpluginpath", "platformtheme", "plugin",     "qwindowgeometry",
    "qwindowicon",     "qwindowtitle",       "session",       "display",    "geometry",
    "style",           "stylesheet",         "name",          "title",      "visual",
    "ncols",           "cmap",               "im",            "inputstyle", "qmljsdebugger",
    "fontengine",      "dialogs"};
constexpr const char* kToolkitFlags[] = {"reverse",  "widgetcount", "nograb", "dograb",
                                         "sync",     "testability"};

bool IsOneOf(const QString& name, const auto& names) {
    for (const char* candidate : names)
        if (name == QLatin1String(candidate))
            return true;
    return false;
}

StartRequest Refuse(const QString& why) {
    return {2, {}, QStringLiteral("velmaro: %1\n").arg(why) + Text::tr(kUsage), {}};
}

} // namespace

StartRequest ReadCommandLine(const QStringList& arguments) {
    bool help = false, version = false, optionsEnded = false;
    QStringList files;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (optionsEnded || argument == u"-" || !argument.startsWith(u'-')) {
            files << argument;
        } else if (argument == u"--") {
            optionsEnded = true;
        } else if (argument == u"-h" || argument == u"--help") {
            help = true;
        } else if (argument == u"--version") {
            version = true;
        } else if (const QString name = argument.mid(argument.startsWith(u"--") ? 2 : 1);
                   IsOneOf(name, kToolkitFlags)) {
        } else if (IsOneOf(name.section(u'=', 0, 0), kToolkitOptionsWithValue) &&
                   name.contains(u'=')) {
        } else if (IsOneOf(name, kToolkitOptionsWithValue) && i + 1 < arguments.size()) {
            ++i;
        } else {
            return Refuse(Text::tr("opzione sconosciuta: %1").arg(argument));
        }
    }
    if (help)
        return {0, Text::tr(kUsage), {}, {}};
    if (version)
        return {0, Text::tr(kVersion), {}, {}};
    if (files.size() > 1)
        return Refuse(Text::tr("si apre un solo FILE alla volta, non %1").arg(files.size()));
    return {std::nullopt, {}, {}, files.value(0)};
}

StartRequest ReadCommandLine(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QFile::decodeName(argv[i]);
    return ReadCommandLine(arguments);
}

int PrintAndExit(const StartRequest& request) {
    std::fputs(request.output.toLocal8Bit().constData(), stdout);
    std::fputs(request.errors.toLocal8Bit().constData(), stderr);
    return request.exitStatus.value_or(0);
}

QString ProgramVersion() { return QStringLiteral(VELMARO_VERSION); }

} // namespace app
