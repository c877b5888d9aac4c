// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the graph window puts on the clipboard as text: one simulated period as a table for a
// spreadsheet, and the results on show. Apart from any widget.

#include "engine/run_control.h"
#include "graph_window/plot_picture.h"

#include <QString>

#include <span>

namespace graph_window {

// The most samples "Copia dati" puts on the clipboard: about the rows a spreadsheet takes.
inline constexpr std::int32_t kMaxCopiedSamples = 1'000'000;

// The header row, then one row per sample i = 1 … N of the run the plot on show holds:
// t = i·dt in seconds, Vi in V, iC in A and Vo in V, separated by tabs, each row ending with a
// newline. Every value has as many digits as reading it back to the same 64-bit value takes,
// with decimalPoint for the point. Empty when the plot holds no run of N samples. With a
// control, the row under way is published and a stop throws engine::WorkStopped.
QString SamplesTable(const DrawnPlot& plot, const QString& decimalPoint,
                     engine::RunControl* control = nullptr);

// A result as the window shows it: its caption, its value and its unit (empty when it has none).
struct ShownResult {
    QString name, value, unit;
};

// One line per result: name, tab, value, tab, unit, newline.
QString ResultsText(std::span<const ShownResult> results);

} // namespace graph_window
