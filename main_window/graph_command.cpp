// SPDX-License-Identifier: GPL-3.0-or-later
// "Grafici": the verification data and the run settings into the design state, then the plot
// and the simulated ripple and mean.

#include "main_window/graph_command.h"

#include "app/number_text.h"
#include "app/text.h"
#include "engine/ideal_circuit.h"
#include "engine/settling.h"
#include "graph_window/filter_group.h"
#include "graph_window/form2_controls.h"
#include "graph_window/simulate_and_plot.h"
#include "main_window/command_steps.h"

#include <limits>
#include <variant>
#include <vector>

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

// What the user is told when the settings cannot be run; for too few samples, the smallest N
// that puts one in the pulse (none: beyond the largest N the run accepts).
QString RefusalMessage(engine::RunRefusal refusal,
                       std::optional<std::int32_t> fewestSamples = std::nullopt) {
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
    case RunRefusal::NoPulseSample:
        if (!fewestSamples)
            return Text::tr("Il numero dei campioni N dovrebbe superare %1 perché un campione "
                            "cada nell'impulso: aumenta il Duty Cycle!")
                .arg(engine::kMaxSamplesPerPeriod);
        return Text::tr("Il numero dei campioni N deve essere almeno %1: con meno campioni "
                        "nessuno cade nell'impulso!")
            .arg(*fewestSamples);
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
    graph_window::kExactRippleLabel, graph_window::kExactMeanLabel, graph_window::kSettlingLabel,
    graph_window::kSettlingTimeLabel, graph_window::kSteadyStateLabel,
    graph_window::kRippleWiderThanBandLabel};

QString Whole(std::int64_t count) { return QString::number(count); }

// The largest NI the field takes: a settling beyond it cannot be shown by any run.
constexpr double kMostPeriodsSimulated = std::numeric_limits<std::int32_t>::max();

// The line for a run that did not reach the settled period: more periods help only where the
// field can hold them (a settling beyond the range of a real is beyond it too).
QString NotSettledLine(std::int32_t simulated, std::optional<double> firstSettled) {
    if (!firstSettled || *firstSettled > kMostPeriodsSimulated)
        return Text::tr("Non a regime dopo %1 periodi: l'assestamento va oltre il massimo di NI "
                        "(%2 periodi)")
            .arg(Whole(simulated), Whole(std::int64_t(kMostPeriodsSimulated)));
    return Text::tr("Non a regime dopo %1 periodi: aumenta NI").arg(Whole(simulated));
}

// Whether the last simulated period is the settled one, and so the ripple and mean beside it.
void ShowSteadyState(graph_window::GraphWindowView& graph, const graph_window::DrawnPlot& plot,
                     std::optional<double> firstSettled) {
    QString line;
    if (!plot.periodic)
        line = NotSettledLine(plot.NI, firstSettled);
    else if (plot.periodic->cycle == 1)
        line = Text::tr("A regime dal periodo %1 di %2")
                   .arg(Whole(plot.periodic->firstPeriod), Whole(plot.NI));
    else
        line = Text::tr("A regime dal periodo %1 di %2, ciclo di %3 periodi")
                   .arg(Whole(plot.periodic->firstPeriod), Whole(plot.NI),
                        Whole(plot.periodic->cycle));
    graph.SetResultText(graph_window::kSteadyStateLabel, line);
    graph.SetResultColour(graph_window::kSteadyStateLabel,
                          plot.periodic ? app::kPaletteBlack : app::kWarningColour);
}

// The simulated ripple and mean, and beside them the real circuit's, for the circuit the run
// used: its settled ripple and mean, its settling from discharged capacitors within ±1 % of the
// step to D·E·g, and its figures as a filter. One RC without a load is the program's first
// circuit, in its own closed forms; any other is solved exactly, which the steady-state line says.
void ShowResults(graph_window::GraphWindowView& graph, const VerifiedCircuit& verified) {
    using app::FormatFinite, app::FormatNumber, app::NumberPattern;
    const graph_window::DrawnPlot& plot = *graph.PlotSurface().Drawn();
    const engine::PeriodStatistics& statistics = plot.run->statistics;
    graph.SetResultText(graph_window::kDeltaVoLabel,
                        FormatNumber(statistics.DeltaVoVera, NumberPattern::Scientific2));
    graph.SetResultText(graph_window::kVomLabel,
                        FormatNumber(statistics.VomVera, NumberPattern::Scientific2));

    const auto [E, D, f, circuit] = verified;
    const double R = circuit.R, C = circuit.C;
    std::optional<double> ripple, mean, periods, seconds;
    if (verified.IsPlainRc()) {
        const engine::IdealSteadyState ideal = engine::IdealSteadyStateOf(E, D, f, R, C);
        ripple = ideal.ripple;
        mean = ideal.mean;
    } else if (const auto settled = engine::SteadyStateOf(circuit, E, D, f)) {
        ripple = settled->ripple;
        mean = settled->mean;
    }
    QString rippleLine;
    if (const std::optional<double> gain = engine::DcGain(circuit)) {
        const double band = engine::OnePercentBand(E, *gain, 0, D);
        if (const auto settling = engine::SettlingOf(circuit, E, 0, D, f, band)) {
            periods = settling->periods;
            seconds = settling->seconds;
        }
        rippleLine = app::RippleWiderThanBandLine(ripple, band);
    }
    // The first whole period within the band, counted from 1 as the run counts its periods.
    const std::optional<double> firstSettled =
        periods ? std::optional(*periods + 1) : std::nullopt;
    const auto scaled = [](std::optional<double> value, double factor) {
        return value ? std::optional(*value * factor) : std::nullopt;
    };
    graph.SetResultText(graph_window::kExactRippleLabel,
                        FormatFinite(scaled(ripple, 1000), NumberPattern::Scientific2));
    graph.SetResultText(graph_window::kExactMeanLabel,
                        FormatFinite(mean, NumberPattern::Scientific2));
    graph.SetResultText(graph_window::kSettlingLabel, app::WholeOrScientific(periods));
    graph.SetResultText(graph_window::kSettlingTimeLabel,
                        FormatFinite(scaled(seconds, 1000), NumberPattern::Scientific2));
    graph.SetResultText(graph_window::kRippleWiderThanBandLabel, rippleLine);
    if (verified.IsPlainRc()) {
        ShowSteadyState(graph, plot, firstSettled);
    } else {
        const bool settled = firstSettled && *firstSettled <= plot.NI;
        graph.SetResultText(graph_window::kSteadyStateLabel,
                            settled ? Text::tr("Soluzione esatta: a regime (1 %) dal periodo %1 di %2")
                                          .arg(app::WholeOrScientific(firstSettled), Whole(plot.NI))
                                    : NotSettledLine(plot.NI, firstSettled));
        graph.SetResultColour(graph_window::kSteadyStateLabel,
                              settled ? app::kPaletteBlack : app::kWarningColour);
    }
    graph_window::ShowFilterFigures(graph, E, D, f, circuit, verified.IsPlainRc());
}

// Nothing of the run before stays beside a blanked plot, and no placeholder either.
void ClearResults(graph_window::GraphWindowView& graph) {
    graph.SetResultText(graph_window::kDeltaVoLabel, QString());
    graph.SetResultText(graph_window::kVomLabel, QString());
    for (const graph_window::Form2Label label : kRealCircuitLabels)
        graph.SetResultText(label, QString());
    graph_window::ClearFilterFigures(graph);
    graph.SetPlotToolTip(QString());
}

} // namespace

namespace {

// "Grafici" in its order: every field's characters (the filter's where they hold text), the five
// circuit values, the counts when asked for, then the second stage and the load.
std::optional<VerifiedCircuit> TakeCircuit(DesignState& state, MainWindowView& view,
                                           bool counts) {
    CommandSteps steps(state, view);
    std::vector<FieldRule> checked{kVerifyE, kVerifyD, kVerifyF, kVerifyR, kVerifyC};
    if (counts)
        checked.insert(checked.end(), {kSamples, kPeriodsDrawn, kPeriodsSimulated});
    const bool hasR2 = !view.FieldText(kVerifyR2.field).isEmpty();
    const bool hasC2 = !view.FieldText(kVerifyC2.field).isEmpty();
    for (const FieldRule& rule : {kVerifyR2, kVerifyC2, kVerifyLoad})
        if (!view.FieldText(rule.field).isEmpty())
            checked.push_back(rule);
    if (!steps.FieldsPass(checked))
        return std::nullopt;
    for (const ValueStep& step : kCircuitSteps)
        if (!steps.TakeValue(step))
            return std::nullopt;
    if (counts) {
        // N and NI beyond a 32-bit count get the message of the range the run accepts; NP may
        // be any 32-bit count.
        const CommandSteps::CountLimits samples{
            RefusalMessage(engine::RunRefusal::NoSamples),
            RefusalMessage(engine::RunRefusal::TooManySamples)};
        const CommandSteps::CountLimits periods{
            RefusalMessage(engine::RunRefusal::NoPeriods),
            Text::tr("Il numero delle iterazioni NI non può superare %1!")
                .arg(std::numeric_limits<std::int32_t>::max())};
        if (!steps.TakeCount(kSamples, &DesignState::N, samples) ||
            !steps.TakeCount(kPeriodsDrawn, &DesignState::NP) ||
            !steps.TakeCount(kPeriodsSimulated, &DesignState::NI, periods))
            return std::nullopt;
    }
    if (hasR2 != hasC2) {
        steps.Reject(Text::tr("Per il secondo stadio servono sia R2 sia C2!"));
        return std::nullopt;
    }
    if (!steps.TakeOptionalValue(
            kVerifyC2, 1e-9, &DesignState::C2,
            QT_TRANSLATE_NOOP("Velmaro", "La capacità C2 non può essere zero o negativa!"),
            Blacken::OnceAccepted) ||
        !steps.TakeOptionalValue(
            kVerifyR2, 1000, &DesignState::R2,
            QT_TRANSLATE_NOOP("Velmaro", "La resistenza R2 non può essere zero o negativa!"),
            Blacken::OnceAccepted) ||
        !steps.TakeOptionalValue(kVerifyLoad, 1000, &DesignState::RL, kLoadRejection,
                                 Blacken::OnceAccepted))
        return std::nullopt;

    VerifiedCircuit verified{state.E, state.D, state.f, {state.R, state.C, std::nullopt, state.RL}};
    if (state.R2 && state.C2)
        verified.circuit.second = engine::SecondStage{*state.R2, *state.C2};
    return verified;
}

} // namespace

std::optional<VerifiedCircuit> TakeVerifiedCircuit(DesignState& state, MainWindowView& view) {
    return TakeCircuit(state, view, false);
}

std::optional<GraphSettings> TakeGraphSettings(DesignState& state, MainWindowView& view) {
    const std::optional<VerifiedCircuit> verified = TakeCircuit(state, view, true);
    if (!verified)
        return std::nullopt;

    // Settings that cannot be run are refused before the plot is touched, so an earlier plot
    // and its results stay on show.
    const auto refuse = [&view](const QString& message) -> std::optional<GraphSettings> {
        view.ShowMessage(message);
        return std::nullopt;
    };
    // The two runs put different samples in the pulse, so each names its own smallest N.
    const auto refuseRun = [&](engine::RunRefusal refusal,
                               std::optional<std::int32_t> (*fewest)(double)) {
        return refuse(RefusalMessage(refusal, refusal == engine::RunRefusal::NoPulseSample
                                                  ? fewest(verified->D)
                                                  : std::nullopt));
    };
    if (verified->IsPlainRc()) {
        auto plan =
            engine::PlanRun({state.E, state.D, state.f, state.R, state.C, state.N, state.NI});
        if (const auto* refusal = std::get_if<engine::RunRefusal>(&plan))
            return refuseRun(*refusal, engine::FewestSamplesWithPulse);
        return GraphSettings{*verified, std::get<engine::RunPlan>(plan)};
    }
    auto plan = engine::PlanExactRun(
        {verified->E, verified->D, verified->f, state.N, state.NI, verified->circuit});
    if (const auto* refusal = std::get_if<engine::RunRefusal>(&plan))
        return refuseRun(*refusal, engine::FewestExactSamplesWithPulse);
    if (std::holds_alternative<engine::InvalidCircuit>(plan))
        return refuse(Text::tr("Errore di calcolo: con questi dati il circuito esce "
                               "dall'intervallo dei numeri rappresentabili."));
    return GraphSettings{*verified, std::get<engine::ExactRunPlan>(plan)};
}

void RunGraphCommand(DesignState& state, MainWindowView& view) {
    const std::optional<GraphSettings> settings = TakeGraphSettings(state, view);
    if (!settings)
        return;
    graph_window::PlotRun run{{}, state.N, state.NI};
    if (const auto* plan = std::get_if<engine::RunPlan>(&settings->plan))
        run.simulate = [plan](engine::RunControl& control) {
            return engine::RunSimulation(*plan, &control);
        };
    else
        run.simulate = [plan = &std::get<engine::ExactRunPlan>(settings->plan)](
                           engine::RunControl& control) {
            return engine::RunExactSimulation(*plan, &control);
        };
    // A blank plot, and nothing beside it that described the one before: the figures come back
    // once the run has ended.
    graph_window::GraphWindowView& graph = view.GraphWindow();
    graph.PlotSurface().Blank();
    ClearResults(graph);
    graph_window::PlotEnd end;
    {
        BusyScope busy(view);
        end = graph_window::SimulateAndPlot(graph, run, state.NP, view);
    }
    if (end.outcome == graph_window::PlotOutcome::Drawn)
        return ShowResults(graph, settings->verified);
    if (end.outcome == graph_window::PlotOutcome::Stopped) {
        // The user asked for the stop: no message, the line says where the run was.
        graph.SetResultText(graph_window::kSteadyStateLabel,
                            Text::tr("Simulazione interrotta al periodo %1 di %2")
                                .arg(Whole(end.period), Whole(state.NI)));
        graph.SetResultColour(graph_window::kSteadyStateLabel, app::kWarningColour);
        return;
    }
    view.ShowMessage(FailureMessage(end));
}

} // namespace main_window
