// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph_window/simulate_and_plot.h"

#include "app/text.h"
#include "graph_window/trace_drawing.h"

#include <algorithm>
#include <utility>

namespace graph_window {

namespace {

// "Simulazione in corso: periodo p di NI", the bar at the share of the periods done.
app::WorkProgress RunProgress(const engine::RunControl& control, const PlotRun& run) {
    const std::int64_t periods = std::max<std::int64_t>(run.periods, 1);
    const std::int64_t period = std::clamp<std::int64_t>(control.Unit(), 1, periods);
    const double withinPeriod =
        std::min(1.0, double(control.Step()) / std::max<double>(run.samples, 1));
    return {app::Text::tr("Simulazione in corso: periodo %1 di %2")
                .arg(QString::number(period), QString::number(run.periods)),
            (double(period - 1) + withinPeriod) / double(periods)};
}

// On the worker: everything after the axes, on a picture of its own.
struct WorkerPlot {
    PlotOutcome outcome = PlotOutcome::Stopped;
    std::int64_t period = 0;
    std::shared_ptr<const engine::SimulatedRun> run;

    void Run(const PlotRun& planned, std::int32_t NP, PlotPicture& picture,
             engine::RunControl& control) {
        engine::RunAnswer answer = planned.simulate(control);
        period = answer.period;
        if (answer.outcome == engine::RunOutcome::Stopped)
            return;
        if (answer.outcome == engine::RunOutcome::OutOfMemory) {
            outcome = PlotOutcome::OutOfMemory;
            return;
        }
        const engine::PeriodStatistics& s = answer.run->statistics;
        if (!s.finite || !TraceScales{s.ViMax, s.IcMax, s.VoMax}.CanScale()) {
            outcome = PlotOutcome::NotRepresentable;
            return;
        }
        DrawTraces(picture, *answer.run, NP);
        run = std::move(answer.run);
        outcome = PlotOutcome::Drawn;
    }
};

} // namespace

void DrawAxes(PlotPicture& plot) {
    for (const AxisLine& line : AxisLines()) {
        if (line.colour)
            plot.Line(line.x1, line.y1, line.x2, line.y2, *line.colour);
        else
            plot.Line(line.x1, line.y1, line.x2, line.y2);
    }
}

PlotEnd SimulateAndPlot(GraphWindowView& window, const PlotRun& run, std::int32_t NP,
                        app::LongWorkRunner& runner) {
    window.ShowWindow();
    PlotPicture& plot = window.PlotSurface();
    plot.SetScale(kPlotCoordinates);
    DrawAxes(plot);

    // The arrays are about to change: until the new ones are drawn there is nothing to read.
    std::shared_ptr<const engine::SimulatedRun> previous =
        plot.Drawn() ? plot.Drawn()->run : nullptr;
    plot.SetDrawn(std::nullopt);

    PlotPicture picture = plot.Detached();
    WorkerPlot worker;
    const app::WorkOutcome work = runner.RunLongWork(
        {[&](engine::RunControl& control) {
             previous.reset();
             worker.Run(run, NP, picture, control);
         },
         [&run](const engine::RunControl& control) { return RunProgress(control, run); },
         app::Text::tr("Memoria insufficiente per simulare questo numero di campioni N!")});
    if (work.end == app::WorkEnd::Failed)
        return {PlotOutcome::Failed, 0, work.failure};
    if (worker.outcome != PlotOutcome::Drawn)
        return {worker.outcome, worker.period, {}};

    plot.TakePixels(std::move(picture));
    const engine::SimulatedRun& made = *worker.run;
    const engine::PeriodStatistics& s = made.statistics;
    plot.SetDrawn(DrawnPlot{made.N, NP, made.f, made.dt, TraceScales{s.ViMax, s.IcMax, s.VoMax},
                            made.NI, made.periodic, std::move(worker.run)});
    return {PlotOutcome::Drawn, 0, {}};
}

} // namespace graph_window
