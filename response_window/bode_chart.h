// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The frequency plot BodePlot: the magnitude 20·log10(|H|/|H(0)|) in dB, solid blue on the left
// axis, and the phase in degrees, dashed blue on the right axis, over a logarithmic frequency
// axis with a labelled grid line at each decade ("10 Hz", "1 kHz", "100 kHz"…; the lines at 2 … 9
// times a decade are labelled too while fewer than two decades' lines show). Dark grey lines mark
// fc and f. Its axis counts decades from its left end; the magnitude's rows fit the span on show,
// the phase's hold 0 to −90° per order.

#include "plot/chart.h"
#include "response_window/response_figures.h"

namespace response_window {

using plot::AxisSpan, plot::AxisView, plot::Chart, plot::CsvSink, plot::SpanLimits;

class BodeChart final : public Chart {
public:
    // Figures with a frequency axis (logLow).
    explicit BodeChart(const BodeFigures& figures) : figures_(figures) {}

    const BodeFigures& Figures() const { return figures_; }
    // The frequency, Hz, at a position of the axis.
    double FrequencyAt(long double position) const;

    SpanLimits Limits() const override;
    void Paint(QPainter& painter, QSize size, const AxisView& view) const override;
    // "f = 1.00E+03 Hz   |H| = -3.01E+00 dB   fase = -4.50E+01°" at the pointer's frequency.
    std::optional<QString> Reading(long double position, const AxisSpan& span,
                                   int columns) const override;
    // "A: f = … Hz   |H| = … dB   fase = …°", or with both cursors
    // "A: f = … Hz   B: f = … Hz   Δf = … Hz   Δ|H| = … dB   Δfase = …°".
    QString CursorText(const AxisView& view, int columns) const override;
    // "f [Hz]", "|H| [dB]" and "fase [°]" at 200 points per decade over the span, from its left
    // end.
    bool WriteTable(const AxisSpan& span, int columns, const std::string& separator,
                    const std::string& decimalPoint, const CsvSink& sink) const override;
    QString Title() const override;

private:
    BodeFigures figures_;
};

// A frequency of the grid as its label shows it: "100 mHz", "1 Hz", "20 kHz", "1 GHz"; beyond
// the prefixes from pico to tera in the pattern "0.00E+00 Hz".
QString FrequencyLabel(double hertz);

// The rows of the data table per decade.
inline constexpr int kTablePointsPerDecade = 200;

} // namespace response_window
