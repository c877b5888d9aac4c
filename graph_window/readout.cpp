// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph_window/readout.h"

#include "app/number_text.h"
#include "app/text.h"

#include <cmath>

namespace graph_window {

std::optional<QString> ReadoutText(Trace trace, float x, float y,
                                   const std::optional<DrawnPlot>& plot, const PlotView& view) {
    // No trace drawn, nothing to read.
    if (trace == Trace::None || !plot || plot->NP < 1)
        return std::nullopt;
    const TraceGeometry& band = GeometryOf(trace);
    // The width holds the span, the whole of it NP periods of 1/f seconds.
    const TimeSpan span = SpanOf(view, plot->NP);
    const double microseconds =
        (double(span.start) + ShareOf(x) * double(span.length)) * 1e6 / plot->f;
    const double value = ScaleOf(trace, *plot, view).Value(double(y), band);
    if (!std::isfinite(microseconds) || !std::isfinite(value))
        return std::nullopt;
    using app::FormatNumber, app::NumberPattern;
    return app::Text::tr("t= %1usec ; %2%3%4")
        .arg(app::FormatReading(microseconds, 2), QString::fromLatin1(band.label),
             FormatNumber(value, NumberPattern::Scientific2), QString::fromLatin1(band.unit));
}

void ReadPointer(GraphWindowView& window, float x, float y) {
    PlotPicture& plot = window.PlotSurface();
    plot.SetScale(kPlotCoordinates);
    if (const Trace pointed = TraceAtHeight(y); pointed != Trace::None)
        window.SelectTrace(pointed);
    if (const std::optional<QString> text =
            ReadoutText(window.SelectedTrace(), x, y, plot.Drawn(), plot.View()))
        window.SetPlotToolTip(*text);
}

} // namespace graph_window
