// SPDX-License-Identifier: GPL-3.0-or-later
// "Grafici": the verification data and the run settings into the design state, then the plot
// and the simulated ripple and mean.

#include "main_window/graph_command.h"

#include "app/number_text.h"
#include "app/text.h"
#include "engine/ideal_circuit.h"
#include "graph_window/filter_group.h"
#include "graph_window/simulate_and_plot.h"
#include "main_window/command_steps.h"

#include <limits>
#include <variant>

namespace main_window {

namespace {

using app::DesignState, app::Text;

constexpr char kDutyCycleRejection[] = QT_TRANSLATE_NOOP(
    "Velmaro", "Il Duty Cycle non può essere zero o negativo o maggiore o uguale al 100%!");

// In the order they are converted (the capacitance before the resistance), each value stored
// before its test. E and D turn black as soon as they are taken over, accepted or not; f, C and
// R only once accepted.
const ValueStep kCircuitSteps[] = {
    {kVerifyE, 1, &DesignState::E, [](const DesignState& s) { return s.E > 0; },
     QT_TRANSLATE_NOOP("Velmaro", "La tensione in ingresso non può essere zero o negativa!"),
     Blacken::OnceRead},
    {kVerifyD, 0.01, &DesignState::D, [](const DesignState& s) { return s.D > 0 && s.D < 1; },
     kDutyCycleRejection, Blacken::OnceRead},
    {kVerifyF, 1000, &DesignState::f, [](const DesignState& s) { return s.f > 0; },
     QT_TRANSLATE_NOOP("Velmaro", "La frequenza non può essere zero o negativa!"),
     Blacken::OnceAccepted},
    {kVerifyC, 1e-9, &DesignState::C, [](const DesignState& s) { return s.C > 0; },
     QT_TRANSLATE_NOOP("Velmaro", "La capacità non può essere zero o negativa!"),
     Blacken::OnceAccepted},
    {kVerifyR, 1000, &DesignState::R, [](const DesignState& s) { return s.R > 0; },
     QT_TRANSLATE_NOOP("Velmaro", "La resistenza non può essere zero o negativa!"),
     Blacken::OnceAccepted},
};

// What the user is told when the settings cannot be run.
QString RefusalMessage(engine::RunRefusal refusal) {
    using engine::RunRefusal;
    switch (refusal) {
    case RunRefusal::NoSamples:
        return Text::tr("Il numero dei campioni N deve essere almeno 1!");
    case RunRefusal::TooManySamples:
        return Text::tr("Il numero dei campioni N non può superare %1!")
            .arg(engine::kMaxSamplesPerPeriod);
    case RunRefusal::NoPeriods:
        return Text::tr("Il numero delle iterazioni NI deve essere almeno 1!");
    case RunRefusal::DutyOutOfRange:
        // Only a duty cycle outside (0, 1) puts the switching outside the period, and the range
        // test of D has already turned that away.
        return Text::tr(kDutyCycleRejection);
    case RunRefusal::NonFiniteTimeStep:
        return Text::tr("La frequenza è troppo bassa: il passo di simulazione (1/f)/N non è "
                        "rappresentabile!");
    case RunRefusal::UnstableStep:
        return Text::tr("Il passo di simulazione (1/f)/N supera il doppio della costante di "
                        "tempo R*C: la simulazione sarebbe instabile. Aumenta il numero dei "
                        "campioni N!");
    }
    return {};
}

// What the user is told when a run ends after the plot was blanked.
QString FailureMessage(const graph_window::PlotEnd& end) {
    using graph_window::PlotOutcome;
    switch (end.outcome) {
    case PlotOutcome::Drawn:
    case PlotOutcome::Stopped:
        break;
    case PlotOutcome::OutOfMemory:
        return Text::tr("Memoria insufficiente per simulare questo numero di campioni N!");
    case PlotOutcome::NotRepresentable:
        return Text::tr("La simulazione ha dato valori fuori dall'intervallo dei numeri "
                        "rappresentabili: controlla i dati di verifica!");
    case PlotOutcome::Failed:
        return end.failure;
    }
    return {};
}

// The busy cursor for as long as the run and the drawing take.
class BusyScope {
public:
    explicit BusyScope(MainWindowView& view) : view_(view) { view_.SetBusy(true); }
    ~BusyScope() { view_.SetBusy(false); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    MainWindowView& view_;
};

// The labels of the real circuit's values and of where the run became periodic.
constexpr graph_window::Form2Label kRealCircuitLabels[] = {
    "ExactRippleLabel", "ExactMeanLabel", "SettlingLabel", "SettlingTimeLabel", "SteadyStateLabel"};

QString Whole(std::int64_t count) { return QString::number(count); }

// A whole number of periods as it is, or from 10^9 on in the pattern "0.00E+00".
QString WholeOrScientific(std::optional<double> periods) {
    if (periods && *periods < 1e9)
        return Whole(std::int64_t(*periods));
    return app::FormatFinite(periods, app::NumberPattern::Scientific2);
}

// Whether the last simulated period is the settled one, and so the ripple and mean beside it.
void ShowSteadyState(graph_window::GraphWindowView& graph, const graph_window::DrawnPlot& plot) {
    QString line;
    if (!plot.periodic)
        line = Text::tr("Non a regime dopo %1 periodi: aumenta NI").arg(Whole(plot.NI));
    else if (plot.periodic->cycle == 1)
        line = Text::tr("A regime dal periodo %1 di %2")
                   .arg(Whole(plot.periodic->firstPeriod), Whole(plot.NI));
    else
        line = Text::tr("A regime dal periodo %1 di %2, ciclo di %3 periodi")
                   .arg(Whole(plot.periodic->firstPeriod), Whole(plot.NI),
                        Whole(plot.periodic->cycle));
    graph.SetResultText("SteadyStateLabel", line);
    graph.SetResultColour("SteadyStateLabel",
                          plot.periodic ? app::kPaletteBlack : app::kWarningColour);
}

// The simulated ripple and mean, and beside them the real circuit's, for the E, D, f, R and C
// the run used: its settled ripple and mean, and how long it takes from a discharged capacitor
// to come within 1 % of them.
void ShowResults(graph_window::GraphWindowView& graph, const DesignState& state) {
    using app::FormatFinite, app::FormatNumber, app::NumberPattern;
    const graph_window::DrawnPlot& plot = *graph.PlotSurface().Drawn();
    const engine::PeriodStatistics& statistics = plot.run->statistics;
    graph.SetResultText("Label5", FormatNumber(statistics.DeltaVoVera, NumberPattern::Scientific2));
    graph.SetResultText("Label9", FormatNumber(statistics.VomVera, NumberPattern::Scientific2));

    const engine::IdealSteadyState ideal =
        engine::IdealSteadyStateOf(state.E, state.D, state.f, state.R, state.C);
    graph.SetResultText("ExactRippleLabel",
                        FormatFinite(ideal.ripple * 1000, NumberPattern::Scientific2));
    graph.SetResultText("ExactMeanLabel", FormatFinite(ideal.mean, NumberPattern::Scientific2));
    graph.SetResultText("SettlingLabel",
                        WholeOrScientific(engine::SettlingPeriods(state.f, state.R, state.C)));
    const std::optional<double> seconds = engine::SettlingSeconds(state.f, state.R, state.C);
    graph.SetResultText("SettlingTimeLabel",
                        FormatFinite(seconds ? std::optional(*seconds * 1000) : std::nullopt,
                                     NumberPattern::Scientific2));
    ShowSteadyState(graph, plot);
    graph_window::ShowFilterFigures(graph, state);
}

// Nothing of the run before stays beside a blanked plot, and no placeholder either.
void ClearResults(graph_window::GraphWindowView& graph) {
    graph.SetResultText("Label5", QString());
    graph.SetResultText("Label9", QString());
    for (const graph_window::Form2Label label : kRealCircuitLabels)
        graph.SetResultText(label, QString());
    graph_window::ClearFilterFigures(graph);
    graph.SetPlotToolTip(QString());
}

} // namespace

std::optional<engine::RunPlan> TakeGraphSettings(DesignState& state, MainWindowView& view) {
    CommandSteps steps(state, view);
    if (!steps.FieldsPass({kVerifyE, kVerifyD, kVerifyF, kVerifyR, kVerifyC, kSamples,
                           kPeriodsDrawn, kPeriodsSimulated}))
        return std::nullopt;
    for (const ValueStep& step : kCircuitSteps)
        if (!steps.TakeValue(step))
            return std::nullopt;
    // N and NI beyond a 32-bit count get the message of the range the run accepts; NP may be any
    // 32-bit count.
    const CommandSteps::CountLimits samples{RefusalMessage(engine::RunRefusal::NoSamples),
                                            RefusalMessage(engine::RunRefusal::TooManySamples)};
    const CommandSteps::CountLimits periods{
        RefusalMessage(engine::RunRefusal::NoPeriods),
        Text::tr("Il numero delle iterazioni NI non può superare %1!")
            .arg(std::numeric_limits<std::int32_t>::max())};
    if (!steps.TakeCount(kSamples, &DesignState::N, samples) ||
        !steps.TakeCount(kPeriodsDrawn, &DesignState::NP) ||
        !steps.TakeCount(kPeriodsSimulated, &DesignState::NI, periods))
        return std::nullopt;

    // Settings that cannot be run are refused before the plot is touched, so an earlier plot
    // and its results stay on show.
    auto plan = engine::PlanRun({state.E, state.D, state.f, state.R, state.C, state.N, state.NI});
    if (const auto* refusal = std::get_if<engine::RunRefusal>(&plan)) {
        steps.Reject(RefusalMessage(*refusal));
        return std::nullopt;
    }
    return std::get<engine::RunPlan>(plan);
}

void RunGraphCommand(DesignState& state, MainWindowView& view) {
    const std::optional<engine::RunPlan> plan = TakeGraphSettings(state, view);
    if (!plan)
        return;
    // A blank plot, and nothing beside it that described the one before: the figures come back
    // once the run has ended.
    graph_window::GraphWindowView& graph = view.GraphWindow();
    graph.PlotSurface().Blank();
    ClearResults(graph);
    graph_window::PlotEnd end;
    {
        BusyScope busy(view);
        end = graph_window::SimulateAndPlot(graph, *plan, state.NP, view);
    }
    if (end.outcome == graph_window::PlotOutcome::Drawn)
        return ShowResults(graph, state);
    if (end.outcome == graph_window::PlotOutcome::Stopped) {
        // The user asked for the stop: no message, the line says where the run was.
        graph.SetResultText("SteadyStateLabel",
                            Text::tr("Simulazione interrotta al periodo %1 di %2")
                                .arg(Whole(end.period), Whole(plan->periods)));
        graph.SetResultColour("SteadyStateLabel", app::kWarningColour);
        return;
    }
    view.ShowMessage(FailureMessage(end));
}

} // namespace main_window
