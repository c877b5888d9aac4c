// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The time plot StepPlot: the output from t = 0, when the duty cycle steps, to the end of the
// time axis. Each pixel column shows the lowest to the highest output within its stretch of time
// (StepResponse::Over, whose work does not grow with the periods a column spans), so that where
// periods are narrower than a pixel the ripple shows as a band. In dark grey the final mean
// (dashed), the settling band about it (two solid lines) and the settling time (a vertical
// line). Its axis counts seconds from t = 0; the rows fit the output over the span on show
// together with the band.

#include "plot/chart.h"
#include "response_window/response_figures.h"

namespace response_window {

using plot::AxisSpan, plot::AxisView, plot::Chart, plot::CsvSink, plot::SpanLimits;

class StepChart final : public Chart {
public:
    explicit StepChart(const StepFigures& figures) : figures_(figures) {}

    const StepFigures& Figures() const { return figures_; }

    SpanLimits Limits() const override { return {figures_.whole, figures_.shortest}; }
    void Paint(QPainter& painter, QSize size, const AxisView& view) const override;
    // "t = 12.34 ms   Vo = 3.00E+00 V": the output at the pointer's time.
    std::optional<QString> Reading(long double position, const AxisSpan& span,
                                   int columns) const override;
    // "A: t = … ms   Vo = … V", or with both cursors
    // "A: t = … ms   B: t = … ms   Δt = … ms   1/Δt = … Hz   ΔVo = … V" (no 1/Δt when Δt is 0).
    QString CursorText(const AxisView& view, int columns) const override;
    // "t [s]" and "Vo [V]", at the start of each column of the span.
    bool WriteTable(const AxisSpan& span, int columns, const std::string& separator,
                    const std::string& decimalPoint, const CsvSink& sink) const override;
    QString Title() const override;

private:
    StepFigures figures_;
};

} // namespace response_window
