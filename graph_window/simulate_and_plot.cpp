#include "graph_window/simulate_and_plot.h"

#include "engine/statistics.h"
#include "graph_window/trace_drawing.h"

namespace graph_window {

namespace {

// Tick marks on the left edge from the top down to 5 every 5 (none at the bottom), on the
// bottom edge every quarter of the width, both ends included; then the traces' baselines across
// the whole width.
void DrawAxes(PlotPicture& plot) {
    const PlotCoordinates& c = kPlotCoordinates;
    constexpr int kRowTickStep = 5, kColumnTickStep = 25;
    constexpr float kRowTickLength = 0.2f, kColumnTickLength = 0.5f;
    for (int y = int(c.top); y >= int(c.bottom) + kRowTickStep; y -= kRowTickStep)
        plot.Line(float(c.left), float(y), float(c.left + kRowTickLength), float(y));
    for (int x = int(c.left); x <= int(c.right); x += kColumnTickStep)
        plot.Line(float(x), float(c.bottom), float(x), float(c.bottom + kColumnTickLength));
    for (const TraceGeometry& band : kTraceGeometry)
        plot.Line(float(c.left), float(band.baseline), float(c.right), float(band.baseline),
                  band.colour);
}

} // namespace

PlotOutcome SimulateAndPlot(GraphWindowView& window, app::DesignState& state,
                            const engine::RunPlan& plan) {
    window.ShowWindow();
    PlotPicture& plot = window.PlotSurface();
    plot.SetScale(kPlotCoordinates);
    DrawAxes(plot);

    // The arrays are about to change: until the new ones are drawn there is nothing to read.
    plot.SetDrawn(std::nullopt);
    const engine::RunResult run = engine::RunSimulation(state, plan);
    if (run.outcome != engine::RunOutcome::Completed)
        return PlotOutcome::OutOfMemory;
    if (!engine::ComputeStatistics(state))
        return PlotOutcome::NotRepresentable;
    const TraceScales scales{state.ViMax, state.IcMax, state.VoMax};
    if (!scales.CanScale())
        return PlotOutcome::NotRepresentable;

    DrawTraces(plot, state);
    plot.SetDrawn(
        DrawnPlot{state.N, state.NP, state.f, state.dt, scales, plan.periods, run.periodic});
    return PlotOutcome::Drawn;
}

} // namespace graph_window
