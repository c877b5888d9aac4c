// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/netlist_command.h"

#include "app/command_line.h"
#include "app/save_file.h"
#include "app/spice_netlist.h"
#include "app/text.h"
#include "engine/settling.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cmath>

namespace main_window {

namespace {

constexpr char kNetlistFilter[] = QT_TRANSLATE_NOOP("Velmaro", "Netlist SPICE (*.cir)");

// The netlist in place through a QSaveFile: empty when written, otherwise why not.
QString WriteNetlistFile(const QString& path, const std::string& text) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return app::SaveFailureMessage(path, app::WhyNotWritable(path));
    const bool written = file.write(text.data(), qint64(text.size())) == qint64(text.size());
    if (!written || !app::Committed(file))
        return app::SaveFailureMessage(path, app::WriteFailed());
    return {};
}

} // namespace

// The run starts from discharged capacitors, a step of duty cycle from 0 to D; the band is a
// thousandth of the settled ripple, so the last period measures the ripple within 0.1 % and the
// mean far closer.
std::optional<std::int64_t> NetlistPeriods(const VerifiedCircuit& verified) {
    const std::optional<double> ripple =
        engine::SteadyRippleOf(verified.circuit, verified.E, verified.D, verified.f);
    if (!ripple || !(*ripple > 0))
        return std::nullopt;
    const std::optional<engine::Settling> settling = engine::SettlingOf(
        verified.circuit, verified.E, 0, verified.D, verified.f, *ripple / 1000);
    if (!settling || !(settling->periods + 1 <= double(kNetlistMostPeriods)))
        return std::nullopt;
    return std::int64_t(settling->periods) + 1;
}

void RunNetlistExport(app::DesignState& state, MainWindowView& view, QWidget& parent,
                      const plot::SaveFileChooser& choose, const QString& design) {
    const std::optional<VerifiedCircuit> verified = TakeVerifiedCircuit(state, view);
    if (!verified)
        return;
    const std::optional<std::int64_t> periods = NetlistPeriods(*verified);
    if (!periods) {
        view.ShowMessage(app::Text::tr("Il circuito impiega più di %1 periodi ad assestarsi: "
                                       "la netlist non è stata scritta.")
                             .arg(kNetlistMostPeriods));
        return;
    }
    const QString name = design.isEmpty() ? app::Text::tr("verifica")
                                          : QFileInfo(design).completeBaseName();
    const QString path = plot::AskSavePath(choose, parent, app::Text::tr("Esporta netlist SPICE"),
                                           name, {app::Text::tr(kNetlistFilter)}, false);
    if (path.isEmpty())
        return;
    const app::NetlistInput input{verified->E,
                                  verified->D,
                                  verified->f,
                                  verified->circuit,
                                  *periods,
                                  QFileInfo(design).fileName().toStdString(),
                                  app::ProgramVersion().toStdString()};
    const QString failure = WriteNetlistFile(path, app::SpiceNetlist(input));
    if (!failure.isEmpty())
        view.ShowMessage(failure);
}

} // namespace main_window
