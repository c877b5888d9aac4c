// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// "Esporta netlist SPICE…": the verification circuit, read as "Grafici" reads it, written as a
// SPICE netlist whose run settles before the period it measures.

#include "app/design_state.h"
#include "main_window/graph_command.h"
#include "main_window/main_window_view.h"
#include "plot/files.h"

#include <cstdint>
#include <optional>

class QWidget;

namespace main_window {

// The most periods a netlist simulates: 500 steps each, ten million steps in all, a run of about
// a minute. A circuit that settles more slowly is not written.
inline constexpr std::int64_t kNetlistMostPeriods = 20000;

// The periods from discharged capacitors until the mean response has come within a thousandth of
// the settled ripple, and one more to measure; empty when more than kNetlistMostPeriods.
std::optional<std::int64_t> NetlistPeriods(const VerifiedCircuit& verified);

// The whole command: the circuit (or nothing after one message of "Grafici"), the periods, the
// file asked through choose, its header naming design (a file name, or empty), and the netlist
// written. The messages of a refusal or a failed save go through view.
void RunNetlistExport(app::DesignState& state, MainWindowView& view, QWidget& parent,
                      const plot::SaveFileChooser& choose, const QString& design);

} // namespace main_window
