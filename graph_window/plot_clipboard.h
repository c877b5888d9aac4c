// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One simulated period as a table, as "Copia dati" puts it on the clipboard and "Salva dati…"
// writes it to a file, and the results on show as text. Apart from any widget.

#include "engine/run_control.h"
#include "graph_window/plot_picture.h"

#include <QString>

#include <functional>
#include <span>
#include <string>

namespace graph_window {

// The most samples "Copia dati" puts on the clipboard: about the rows a spreadsheet takes.
inline constexpr std::int32_t kMaxCopiedSamples = 1'000'000;

// The header row "t [s]", "Vi [V]", "iC [A]", "Vo [V]", then one row per sample i = 1 … N of the
// run the plot on show holds: t = i·dt in seconds, Vi in V, iC in A and Vo in V, each value with
// as many digits as reading it back to the same 64-bit value takes and decimalPoint for its
// point, the fields separated by separator, each row ending with a newline. The table goes to
// sink in UTF-8 pieces of about a megabyte, so that any N fits; a false from the sink ends the
// table there, and so does the answer. With a control, the row under way is published and a
// stop throws engine::WorkStopped. No rows when the plot holds no run of N samples.
bool WriteSampleTable(const DrawnPlot& plot, const QString& separator, const QString& decimalPoint,
                      engine::RunControl* control,
                      const std::function<bool(const std::string& piece)>& sink);

// The whole table, separated by tabs, for the clipboard.
QString SamplesTable(const DrawnPlot& plot, const QString& decimalPoint,
                     engine::RunControl* control = nullptr);

// A result as the window shows it: its caption, its value and its unit (empty when it has none).
struct ShownResult {
    QString name, value, unit;
};

// One line per result: name, tab, value, tab, unit, newline.
QString ResultsText(std::span<const ShownResult> results);

// The table of WriteSampleTable as a CSV file in UTF-8, its fields separated by
// plot::CsvSeparator(decimalPoint). Rows are streamed to the file, so any N is written. With a
// control the row under way is published, and a stop throws engine::WorkStopped with any earlier
// file left as it was. Empty when saved, otherwise the message saying why not.
QString WriteSamplesCsv(const QString& path, const DrawnPlot& plot, const QString& decimalPoint,
                        engine::RunControl* control = nullptr);

} // namespace graph_window
