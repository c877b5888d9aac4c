#include "graph_window/simulate_and_plot.h"

#include "engine/simulation.h"
#include "engine/statistics.h"
#include "graph_window/form2.h"
#include "graph_window/plot_area.h"
#include "graph_window/trace_drawing.h"

#include <cmath>

namespace {

void DrawAxes(PlotArea& plot) {
    for (int y = 100; y >= 5; y -= 5)
        plot.Line(0, float(y), 0.2f, float(y));
    for (int x = 0; x <= 100; x += 25)
        plot.Line(float(x), 0, float(x), 0.5f);
    plot.Line(0, 80, 100, 80, kViBand.colour);
    plot.Line(0, 60, 100, 60, kIcBand.colour);
    plot.Line(0, 0.1f, 100, 0.1f, kVoBand.colour);
}

// Statistics that can scale a trace: finite, and a full band height of them finite too.
bool CanScaleTraces(const DesignState& s) {
    for (double largest : {s.ViMax, s.IcMax, s.VoMax})
        if (!std::isfinite(largest * 36))
            return false;
    return true;
}

} // namespace

PlotOutcome SimulateAndPlot(Form2& window, DesignState& state) {
    window.show();
    PlotArea& plot = window.Plot();
    plot.SetScale(0, 100, 100, 0);
    DrawAxes(plot);

    // The arrays are about to change: until the new ones are drawn there is nothing to read.
    window.SetTraceScales(std::nullopt);
    if (RunSimulation(state) != RunOutcome::Completed)
        return PlotOutcome::NoMemory;
    if (!ComputeStatistics(state) || !CanScaleTraces(state))
        return PlotOutcome::NotRepresentable;

    DrawTraces(plot, state);
    window.SetTraceScales(TraceScales{state.ViMax, state.IcMax, state.VoMax});
    return PlotOutcome::Drawn;
}
