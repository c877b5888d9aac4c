// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: typed text through "Calcola C" and "Grafici" to the results, the drawing
// coordinates and the mouse read-out. The commands and the read-out run as the program runs
// them, against stand-ins for the two windows that keep the field texts, colours, the result
// labels, the messages, the plot's picture, its tooltip and the trace selection; runs that would
// take long are cut short by lowering NI (and N) in the fields before "Grafici".
//
// Input: one option byte, then the field texts, one per line ("\n"): UTF-8, turned into UTF-16
// as the toolkit does, or raw UTF-16LE code units when the option byte says so.
//   lines 1-5   "Calcola C": Text1 E [V], Text2 Vom [V], Text3 f [kHz], Text4 DeltaVo [mV],
//               Text6 R [kohm]
//   lines 6-13  "Grafici": Text7 E [V], Text8 D [%], Text12 f [kHz], Text9 R [kohm],
//               Text10 C [nF], Text13 N, Text14 NP, Text15 NI
//   line 14     pointer positions over the plot, "x y x y ...", up to four pairs
//   lines 15-19 the filter: StageRatioField k (order 2 when it holds text, else order 1),
//               LoadField RL [kohm] for "Calcola C"; R2Field R2 [kohm], C2Field C2 [nF],
//               RLField RL [kohm] for "Grafici"
// A missing line is an empty field. Option byte: bit 0 UTF-16; bits 1-2 the locale; bit 3 the
// verification fields keep what "Calcola C" wrote into them (when it wrote anything) instead of
// lines 6-10; bit 4 "Calcola C" runs once more after "Grafici", before the pointer moves, so the
// read-out may meet settings (a frequency of 0 or below) that a refused command stored; bits 5-6
// the series of the part group (E6, E12, E24, E96); bit 7 its tolerances, ±20 % and ±5 % instead of
// ±10 % and ±1 %.
//
// Checked on every input, each violation ending the run with a message:
// - the field check refuses exactly the empty texts and those holding a character outside the
//   number alphabet; a command stopped by it shows that field's message alone and leaves the
//   state and the windows as they were;
// - every accepted reading is a finite number or a refusal; every count conversion agrees with
//   the engine's own rounding;
// - "Calcola C" ends with a message or with a finite design, 0 <= D <= 1 and C >= 0, and every
//   text it writes has no "inf" or "nan", passes the field check and reads back through the
//   field reading to its value (to the four digits written) under every locale; the part group
//   shows numbers or nothing, the safe part (or pair) at its worst corner keeps the ripple within
//   DeltaVo, and for one RC the worst ripple is red exactly when the standard part is below the
//   safe one;
// - "Grafici" ends with a message (a range test, a count out of range, a refusal of the run
//   settings, results that are not finite) or with finite results; a run the settings accept
//   never runs out of memory; every drawing coordinate is finite and inside its band or the plot
//   width; the plot on show records what it was drawn with; a refusal before the run leaves the
//   graph window as it was, a failure after blanking leaves nothing of the run before;
// - the read-out shows nothing or a tooltip with finite numbers in the expected shape, read off
//   the plot on show.

#include "app/design_state.h"
#include "app/number_text.h"
#include "app/palette.h"
#include "checking/check_field.h"
#include "engine/exact_simulation.h"
#include "engine/filter_design.h"
#include "engine/ideal_circuit.h"
#include "engine/part_to_buy.h"
#include "engine/period.h"
#include "engine/simulation.h"
#include "graph_window/graph_window_view.h"
#include "graph_window/plot_geometry.h"
#include "graph_window/plot_picture.h"
#include "graph_window/readout.h"
#include "main_window/capacitor_design.h"
#include "main_window/design_command.h"
#include "main_window/graph_command.h"
#include "main_window/main_window_view.h"
#include "main_window/part_group.h"

#include <QLocale>
#include <QString>

#include <algorithm>
#include <span>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

using app::DesignState, app::FormatNumber, app::NumberPattern, app::ReadFieldNumber;
using graph_window::Trace;

// ---------------------------------------------------------------------------------------------
// Reporting

std::string g_step; // what the target was doing, for the report

[[noreturn]] void Violated(const std::string& what) {
    std::fprintf(stderr, "\nPROPERTY VIOLATED while %s:\n  %s\n", g_step.c_str(), what.c_str());
    std::fflush(stderr);
    std::abort();
}

// The report is put together only when the property fails.
#define REQUIRE(holds, what)                                                                       \
    do {                                                                                           \
        if (!(holds))                                                                              \
            Violated(what);                                                                        \
    } while (false)

std::string Utf8(const QString& text) { return text.toStdString(); }

std::string Show(double value) {
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

// ---------------------------------------------------------------------------------------------
// The program's state and what its windows show

// The lines of the input: the fields of "Calcola C", those of "Grafici", the pointer positions.
// clang-format off
enum Line {
    kText1, kText2, kText3, kText4, kText6,
    kText7, kText8, kText12, kText9, kText10, kText13, kText14, kText15,
    kPointer,
    kStageRatio, kLoad, kR2, kC2, kRL,
    kLineCount
};
// clang-format on

// The graph window as the graph command and the read-out see it. Its picture is a fifth of the
// plot area's size each way: the drawing is the same code at any size, and clearing and drawing a
// small one keeps the executions many.
struct GraphStandIn : graph_window::GraphWindowView {
    graph_window::PlotPicture plot{QSize(199, 121), app::kLightYellow};
    std::map<std::string, QString> results{{"Label5", "Label5"},     {"Label9", "Label9"},
                                           {"ExactRippleLabel", ""}, {"ExactMeanLabel", ""},
                                           {"SettlingLabel", ""},    {"SettlingTimeLabel", ""},
                                           {"SteadyStateLabel", ""}, {"CutoffLabel", ""},
                                           {"AttenuationLabel", ""}, {"ResolutionLabel", ""},
                                           {"RippleWiderThanBandLabel", ""}};
    std::map<std::string, app::Rgb> colours;
    Trace selected = Trace::None;
    std::optional<QString> tooltip;
    bool shown = false;

    void ShowWindow() override { shown = true; }
    graph_window::PlotPicture& PlotSurface() override { return plot; }
    void SetPlotToolTip(const QString& text) override { tooltip = text; }
    void SetResultText(graph_window::Form2Label name, const QString& text) override {
        const char* label = name.Name();
        const auto found = results.find(label);
        REQUIRE(found != results.end(),
                std::string("the command wrote the unknown label ") + label);
        found->second = text;
    }
    void SetResultColour(graph_window::Form2Label name, app::Rgb colour) override {
        const char* label = name.Name();
        REQUIRE(results.count(label),
                std::string("the command coloured the unknown label ") + label);
        colours[label] = colour;
    }
    Trace SelectedTrace() const override { return selected; }
    void SelectTrace(Trace trace) override {
        REQUIRE(trace != Trace::None, "the read-out selected no trace");
        selected = trace;
    }
};

// The main window as the commands see it.
struct Windows : main_window::MainWindowView {
    std::array<QString, kLineCount> fields; // the pointer's line unused
    std::array<app::Rgb, kLineCount> colours{}; // 0 for the standard text colour
    // Label25 (C, nF), the exact C, and the part group's values; absent until written.
    std::map<std::string, std::optional<QString>> results{{"Label25", {}},
                                                          {"ExactCLabel", {}},
                                                          {"ExactC2Label", {}},
                                                          {"StandardCLabel", {}},
                                                          {"WorstRippleLabel", {}},
                                                          {"SafeCLabel", {}}};
    // The part group: the choice in its combos, the design it was last given, the colour of the
    // worst ripple.
    main_window::PartChoice partChoice = main_window::PartChoiceAt(1, 1, 0);
    std::optional<engine::PartDesign> partDesign;
    app::Rgb worstRippleColour = app::kPaletteBlack;
    std::vector<QString> messages; // shown by the command under way
    bool busy = false;
    GraphStandIn graph;

    static Line LineOf(main_window::Form1Field name) {
        const char* field = name.Name();
        static const std::map<std::string, Line> lines = {
            {"Text1", kText1},  {"Text2", kText2},   {"Text3", kText3},   {"Text4", kText4},
            {"Text6", kText6},  {"Text7", kText7},   {"Text8", kText8},   {"Text12", kText12},
            {"Text9", kText9},  {"Text10", kText10}, {"Text13", kText13}, {"Text14", kText14},
            {"Text15", kText15}, {"StageRatioField", kStageRatio}, {"LoadField", kLoad},
            {"R2Field", kR2},   {"C2Field", kC2},    {"RLField", kRL}};
        const auto found = lines.find(field);
        REQUIRE(found != lines.end(), std::string("a command used the unknown field ") + field);
        return found->second;
    }
    QString FieldText(main_window::Form1Field field) const override {
        return fields[LineOf(field)];
    }
    void SetFieldText(main_window::Form1Field field, const QString& text) override {
        fields[LineOf(field)] = text;
    }
    // The order is 2 when k holds text; the part group's lists are read through partChoice.
    int ChoiceIndex(main_window::Form1Choice list) const override {
        return std::string(list.Name()) == "OrderCombo" && !fields[kStageRatio].isEmpty() ? 1
                                                                                          : 0;
    }
    void SetChoiceIndex(main_window::Form1Choice, int) override {}
    void SetFieldColour(main_window::Form1Field field, app::Rgb colour) override {
        colours[LineOf(field)] = colour;
    }
    void SetResultText(main_window::Form1Label name, const QString& text) override {
        const char* label = name.Name();
        const auto found = results.find(label);
        REQUIRE(found != results.end(),
                std::string("the command wrote the unknown label ") + label);
        found->second = text;
    }
    void ShowPartFor(const engine::PartDesign& design) override {
        partDesign = design;
        const main_window::PartGroupTexts texts = main_window::PartTextsFor(design, partChoice);
        results["StandardCLabel"] = texts.standardC;
        results["WorstRippleLabel"] = texts.worstRipple;
        results["SafeCLabel"] = texts.safeC;
        worstRippleColour = texts.worstRippleColour;
    }
    void ShowMessage(const QString& message) override {
        REQUIRE(!busy, "a message shown under the busy cursor");
        messages.push_back(message);
    }
    void SetBusy(bool on) override {
        REQUIRE(on != busy, "the busy cursor set twice or restored twice");
        busy = on;
    }
    graph_window::GraphWindowView& GraphWindow() override { return graph; }
    void ShowResponse(const response_window::ResponseInput&) override {}
};

bool SameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

bool SameDesignState(const DesignState& a, const DesignState& b) {
    for (auto member : {&DesignState::E, &DesignState::Vom, &DesignState::f, &DesignState::DeltaVo,
                        &DesignState::R, &DesignState::C, &DesignState::D})
        if (!SameBits(a.*member, b.*member))
            return false;
    return a.N == b.N && a.NP == b.NP && a.NI == b.NI;
}

bool SameDrawn(const std::optional<graph_window::DrawnPlot>& a,
               const std::optional<graph_window::DrawnPlot>& b) {
    if (!a || !b)
        return a.has_value() == b.has_value();
    return a->N == b->N && a->NP == b->NP && a->NI == b->NI && SameBits(a->f, b->f) &&
           SameBits(a->dt, b->dt) && SameBits(a->scales.ViMax, b->scales.ViMax) &&
           SameBits(a->scales.IcMax, b->scales.IcMax) && SameBits(a->scales.VoMax, b->scales.VoMax);
}

// The graph window but for its picture, which stays as it is whenever the record does.
bool SameGraphWindow(const GraphStandIn& a, const GraphStandIn& b) {
    return SameDrawn(a.plot.Drawn(), b.plot.Drawn()) && a.results == b.results &&
           a.colours == b.colours && a.selected == b.selected && a.tooltip == b.tooltip &&
           a.shown == b.shown;
}

bool SameWindows(const Windows& a, const Windows& b) {
    return a.fields == b.fields && a.colours == b.colours && a.results == b.results &&
           a.worstRippleColour == b.worstRippleColour && SameGraphWindow(a.graph, b.graph);
}

// ---------------------------------------------------------------------------------------------
// Texts that reach the user

bool HasNonFiniteWord(const QString& text) {
    return text.contains(u"inf", Qt::CaseInsensitive) || text.contains(u"nan", Qt::CaseInsensitive);
}

// A number formatted for a label or a field: digits, "E", signs and the locale's separator.
void RequireFormatted(const QString& text, const std::string& where) {
    REQUIRE(!text.isEmpty(), where + ": empty text");
    REQUIRE(!HasNonFiniteWord(text), where + ": '" + text.toStdString() + "'");
    const QString point = QLocale().decimalPoint();
    for (const QChar c : text)
        REQUIRE(c.isDigit() || c == u'E' || c == u'+' || c == u'-' || c == u'.' ||
                    point.contains(c),
                where + ": unexpected character in '" + text.toStdString() + "'");
}

// ---------------------------------------------------------------------------------------------
// The field check, as both commands run it

// True when the text passed: the check's verdict against the rule written independently of it.
bool CheckOneField(const QString& text, const char* name) {
    g_step = std::string("checking ") + name + " '" + Utf8(text).substr(0, 200) + "'";
    const std::optional<checking::FieldFault> fault = checking::CheckField(
        std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), text.size()));
    const bool empty = text.isEmpty();
    const bool foreign = std::any_of(text.begin(), text.end(), [](QChar c) {
        return !((c >= u'0' && c <= u'9') || c == u'e' || c == u'E' || c == u'.' || c == u'-' ||
                 c == u'+');
    });
    REQUIRE(fault.has_value() == (empty || foreign), "the check's verdict does not match the text");
    if (fault)
        REQUIRE(*fault == (empty ? checking::FieldFault::Empty
                                 : checking::FieldFault::OutsideAlphabet),
                "the check names the wrong fault");
    return !fault;
}

// ---------------------------------------------------------------------------------------------
// Readings and counts

// Every reading of an accepted text: a finite number, or nothing for one beyond the range. A
// finite reading reads back from its shortest text to the same bits.
std::optional<double> Reading(const QString& text) {
    const std::optional<double> value = ReadFieldNumber(text);
    if (!value)
        return value;
    REQUIRE(std::isfinite(*value), "the field reading gave " + Show(*value));
    const std::string shortest = Show(*value);
    const std::optional<double> again = ReadFieldNumber(QString::fromStdString(shortest));
    REQUIRE(again && SameBits(*again, *value),
            "the field reading does not read back its own number " + shortest);
    return value;
}

std::optional<std::int32_t> ReadCount(const QString& text) {
    const std::optional<double> reading = Reading(text);
    if (!reading)
        return std::nullopt;
    const std::optional<std::int32_t> count = engine::CountFromReal(*reading);
    if (count)
        REQUIRE(std::fabs(double(*count) - *reading) <= 0.5, "count far from " + Show(*reading));
    return count;
}

// ---------------------------------------------------------------------------------------------
// The part group

// The safe part at its low corner, with R's, keeps the real circuit's ripple within DeltaVo, and
// the worst ripple is red exactly when the standard part is below the safe one.
void RequirePart(const Windows& windows) {
    REQUIRE(windows.partDesign, "an accepted design did not reach the part group");
    const engine::PartDesign& design = *windows.partDesign;
    const engine::PartTolerances tolerances = windows.partChoice.tolerances;
    if (design.k || design.rl) {
        // A filter beyond one RC: the safe pair at its worst corner keeps the ripple within
        // DeltaVo.
        const engine::FilterShape shape{design.r, design.k, design.rl};
        const auto safe = engine::SafePairOf(shape, design.e, design.d, design.f, design.deltaVo,
                                             windows.partChoice.series, tolerances);
        // A pair beyond the largest number in nF is shown as none.
        const bool shown = safe && std::isfinite(safe->c * 1e9) &&
                           std::isfinite(safe->c2.value_or(0) * 1e9);
        REQUIRE(windows.results.at("SafeCLabel")->isEmpty() == !shown,
                "SafeCLabel does not show the safe pair");
        if (!shown)
            return;
        const auto worst = engine::WorstRippleOf(
            engine::CircuitOf(shape, safe->c, safe->c2.value_or(0)), tolerances, design.e,
            design.d, design.f);
        REQUIRE(worst && *worst <= design.deltaVo * (1 + 2 * engine::kRippleSlack),
                "the safe pair ripples " + Show(worst.value_or(-1)) + " V at its worst corner, above " +
                    Show(design.deltaVo));
        return;
    }
    const engine::PartToBuy part =
        engine::ChoosePart(design, windows.partChoice.series, tolerances);
    REQUIRE(windows.results.at("SafeCLabel")->isEmpty() == !part.safeNanofarads,
            "SafeCLabel does not show the safe part");
    const bool red = windows.worstRippleColour == app::kRed;
    REQUIRE(red == (part.standardNanofarads && part.worstRipple && !part.worstWithinRipple &&
                    !windows.results.at("WorstRippleLabel")->isEmpty()),
            "the worst ripple's colour does not say whether the standard part is the safe one");
    if (part.standardNanofarads && part.safeNanofarads)
        REQUIRE(part.worstWithinRipple == (*part.standardNanofarads >= *part.safeNanofarads),
                "the worst ripple's colour does not compare the standard and the safe part");
    if (!part.safeNanofarads)
        return;
    const double lowC = *part.safeNanofarads * 1e-9 * (1 - tolerances.capacitor);
    if (!(lowC >= 1e-290 && lowC <= 1e290))
        return; // the corner loses digits below the normal range
    const double ripple = engine::IdealSteadyStateOf(design.e, design.d, design.f,
                                                     design.r * (1 - tolerances.resistor), lowC)
                              .ripple;
    REQUIRE(ripple <= design.deltaVo * (1 + 1e-9),
            "the safe part " + Show(*part.safeNanofarads) + " nF ripples " + Show(ripple) +
                " V at its low corner, above " + Show(design.deltaVo));
}

// ---------------------------------------------------------------------------------------------
// "Calcola C"

// A number written into a verification field: what the graph command will read back.
void RequireVerificationText(const QString& text, double value, const char* name) {
    g_step = std::string("writing ") + name + " = " + Show(value);
    REQUIRE(std::isfinite(value) && value >= 0, "a verification value is not finite and >= 0");
    RequireFormatted(text, name);
    REQUIRE(text.size() >= 9 && text[1] == u'.', std::string(name) + ": no '.' at position 2");

    REQUIRE(CheckOneField(text, name), "the field check rejects it");
    const std::optional<double> back = Reading(text);
    REQUIRE(back.has_value(), "it does not read back");
    // Four significant digits, and the granularity of the numbers below the normal range.
    const double tolerance = 5.0001e-4 * value + std::numeric_limits<double>::denorm_min();
    REQUIRE(std::fabs(*back - value) <= tolerance,
            "it reads back as " + Show(*back) + " from " + text.toStdString());
}

bool IsCountLine(Line line) { return line == kText13 || line == kText14 || line == kText15; }

// A filter beyond one RC: the exact C shown and written, with the second stage and the load.
void RequireFilterDesign(const DesignState& state, const Windows& windows, bool secondOrder) {
    const double nanofarads = state.C * 1e9;
    for (const char* label : {"Label25", "ExactCLabel"}) {
        const std::optional<QString>& text = windows.results.at(label);
        REQUIRE(text && *text == FormatNumber(nanofarads, NumberPattern::Scientific2),
                std::string(label) + " does not show the exact C");
    }
    RequireVerificationText(windows.fields[kText7], state.E, "Text7");
    RequireVerificationText(windows.fields[kText12], state.f / 1000, "Text12");
    RequireVerificationText(windows.fields[kText8], state.D * 100, "Text8");
    RequireVerificationText(windows.fields[kText10], nanofarads, "Text10");
    RequireVerificationText(windows.fields[kText9], state.R * 0.001, "Text9");
    if (secondOrder) {
        RequireVerificationText(windows.fields[kR2], state.k * state.R * 0.001, "R2Field");
        RequireVerificationText(windows.fields[kC2], nanofarads / state.k, "C2Field");
    } else {
        REQUIRE(windows.fields[kR2].isEmpty() && windows.fields[kC2].isEmpty(),
                "a first order design left a second stage to verify");
    }
    if (state.RL)
        RequireVerificationText(windows.fields[kRL], *state.RL * 0.001, "RLField");
    else
        REQUIRE(windows.fields[kRL].isEmpty(), "a design without load left a load to verify");
    for (const Line line : {kText7, kText12, kText8, kText10, kText9, kR2, kC2, kRL})
        REQUIRE(windows.fields[line].isEmpty() || windows.colours[line] == app::kPaletteBlue,
                "a verification field not in blue");
    RequirePart(windows);
}

// Runs a command on the stand-in windows and checks what every command owes: at most one
// message, a refusal for a field whose characters the check rejects with that field's message,
// and then nothing changed. Each field's text is also held, on its own, to the field check,
// the reading and the count conversion. True when the command showed no message.
template <class Command>
bool RunCommand(DesignState& state, Windows& windows, const std::vector<Line>& lines,
                const Command& command) {
    bool refused = false;
    bool refusedEmpty = false;
    for (const Line line : lines) {
        if (!CheckOneField(windows.fields[line], "a field")) {
            refused = true; // the command stops here, whatever the later fields hold
            refusedEmpty = windows.fields[line].isEmpty();
            break;
        }
        Reading(windows.fields[line]);
        if (IsCountLine(line))
            ReadCount(windows.fields[line]);
    }

    const DesignState before = state;
    const Windows shown = windows;
    windows.messages.clear();
    command();
    REQUIRE(windows.messages.size() <= 1, "a command showed more than one message");
    for (const QString& message : windows.messages)
        REQUIRE(!message.isEmpty(), "a command showed an empty message");
    if (refused) {
        REQUIRE(windows.messages.size() == 1 &&
                    (refusedEmpty ? windows.messages[0].startsWith(u"Hai dimenticato di scrivere ")
                                  : windows.messages[0].endsWith(u"Ad es: 1.23 , 1E-5 , 5E3")),
                "a field the check rejects did not end the command with its message");
        REQUIRE(SameDesignState(state, before) && SameWindows(windows, shown),
                "a rejected field changed the state or a window");
    }
    return windows.messages.empty();
}

void DesignCommand(DesignState& state, Windows& windows) {
    g_step = "Calcola C";
    const Windows shown = windows;
    const bool secondOrder = !windows.fields[kStageRatio].isEmpty();
    const bool loaded = !windows.fields[kLoad].isEmpty();
    std::vector<Line> checked{kText1, kText2, kText3, kText4, kText6};
    if (secondOrder)
        checked.push_back(kStageRatio);
    if (loaded)
        checked.push_back(kLoad);
    const bool completed = RunCommand(state, windows, checked,
                                      [&] { main_window::RunDesignCommand(state, windows); });
    const Line results[] = {kText7, kText12, kText8, kText10, kText9, kR2, kC2, kRL};
    if (!completed) {
        // A command that ends with a message writes nothing on screen.
        REQUIRE(windows.results == shown.results, "a refused design changed a result label");
        for (const Line line : results)
            REQUIRE(windows.fields[line] == shown.fields[line] &&
                        windows.colours[line] == shown.colours[line],
                    "a refused design changed a verification field");
        return;
    }

    g_step = "designed with E " + Show(state.E) + ", Vom " + Show(state.Vom) + ", f " +
             Show(state.f) + ", DeltaVo " + Show(state.DeltaVo) + ", R " + Show(state.R);
    REQUIRE(std::isfinite(state.D) && state.D > 0 && state.D <= 1,
            "duty cycle " + Show(state.D) + " outside (0, 1]");
    REQUIRE(std::isfinite(state.C) && state.C >= 0, "capacitance " + Show(state.C));
    if (secondOrder || loaded)
        return RequireFilterDesign(state, windows, secondOrder);
    const auto design = main_window::ComputeCapacitorDesign(state.E, state.Vom, state.f,
                                                            state.DeltaVo, state.R);
    REQUIRE(std::holds_alternative<main_window::CapacitorDesign>(design),
            "a design completed that has no representable answer");
    const double nanofarads = std::get<main_window::CapacitorDesign>(design).C;
    REQUIRE(SameBits(state.C, nanofarads * 1e-9), "the state does not hold C in farads");
    const std::optional<QString>& label25 = windows.results.at("Label25");
    REQUIRE(label25.has_value(), "Label25 not written");
    RequireFormatted(*label25, "Label25");
    REQUIRE(*label25 == FormatNumber(nanofarads, NumberPattern::Scientific2),
            "Label25 does not show C");
    // The real circuit's C and the part group: a number, or empty where none can be represented.
    for (const char* label : {"ExactCLabel", "StandardCLabel", "WorstRippleLabel", "SafeCLabel"}) {
        const std::optional<QString>& text = windows.results.at(label);
        REQUIRE(text.has_value(), std::string(label) + " not written");
        if (!text->isEmpty())
            RequireFormatted(*text, label);
    }
    RequireVerificationText(windows.fields[kText7], state.E, "Text7");
    RequireVerificationText(windows.fields[kText12], state.f / 1000, "Text12");
    RequireVerificationText(windows.fields[kText8], state.D * 100, "Text8");
    RequireVerificationText(windows.fields[kText10], nanofarads, "Text10");
    RequireVerificationText(windows.fields[kText9], state.R * 0.001, "Text9");
    for (const Line line : {kText7, kText12, kText8, kText10, kText9})
        REQUIRE(windows.colours[line] == app::kPaletteBlue, "a verification field not in blue");
    for (const Line line : {kR2, kC2, kRL})
        REQUIRE(windows.fields[line].isEmpty(), "one RC without a load left a filter field");
    RequirePart(windows);
}

// ---------------------------------------------------------------------------------------------
// "Grafici"

// Beyond this many samples in all the run is cut short: the properties hold for every NI >= 1,
// and a run this size keeps each input to a few milliseconds.
constexpr std::int64_t kStepBudget = 1 << 16;

// The count a field's text stands for, when the command would take it.
std::optional<std::int32_t> CountOf(const QString& text) {
    if (text.isEmpty() || !std::all_of(text.begin(), text.end(), [](QChar c) {
            return checking::IsNumberAlphabet(c.unicode());
        }))
        return std::nullopt;
    const std::optional<double> reading = ReadFieldNumber(text);
    return reading ? engine::CountFromReal(*reading) : std::nullopt;
}

QString CountText(std::int64_t count) { return QString::number(count); }

// Lowers N and NI in their fields where the run would take long; every other field, and every
// count that the settings refuse or that would not be read, stays as typed.
void CutRunShort(Windows& windows) {
    const std::optional<std::int32_t> N = CountOf(windows.fields[kText13]);
    if (N && *N > kStepBudget && *N <= engine::kMaxSamplesPerPeriod)
        windows.fields[kText13] = CountText(kStepBudget);
    const std::optional<std::int32_t> shortN = CountOf(windows.fields[kText13]);
    const std::optional<std::int32_t> NI = CountOf(windows.fields[kText15]);
    if (shortN && *shortN >= 1 && NI) {
        const std::int64_t most = std::max<std::int64_t>(1, kStepBudget / *shortN);
        if (*NI > most)
            windows.fields[kText15] = CountText(most);
    }
}

void RequireBandHeights(std::span<const double> samples, double largest, Trace trace,
                        std::int32_t N) {
    const graph_window::TraceGeometry& band = graph_window::GeometryOf(trace);
    for (std::int32_t i = 1; i <= N; ++i) {
        const float y = graph_window::BandHeight(samples[std::size_t(i)], largest, band);
        REQUIRE(std::isfinite(y) && std::fabs(double(y) - band.baseline) <= band.fullScale * 1.0001,
                std::string(band.label) + "sample " + std::to_string(i) + " = " +
                    Show(samples[std::size_t(i)]) + " drawn at height " + Show(y));
    }
}

void RequireSampleXs(std::int32_t N, std::int32_t NP) {
    const std::int32_t periods[] = {1, std::max(1, NP / 2), NP};
    float previous = -1;
    for (const std::int32_t j : periods) {
        for (std::int32_t i = 1; i <= N; ++i) {
            const float x = graph_window::SampleX(j, i, N, NP);
            REQUIRE(std::isfinite(x) && x >= 0 && x <= 100.001f,
                    "sample " + std::to_string(i) + " of period " + std::to_string(j) +
                        " drawn at x = " + Show(x));
            // The drawing finds the last sample of a pixel column by bisection.
            REQUIRE(x >= previous || i == 1,
                    "x falls within a period at sample " + std::to_string(i));
            previous = x;
        }
    }
}

const QString kOutOfMemory = "Memoria insufficiente per simulare questo numero di campioni N!";
const QString kNotRepresentable = "La simulazione ha dato valori fuori dall'intervallo dei "
                                  "numeri rappresentabili: controlla i dati di verifica!";

// A completed plot: the statistics, the drawing coordinates, the record and the result labels.
void RequireDrawn(const DesignState& state, const GraphStandIn& graph) {
    g_step = "drawn N " + std::to_string(state.N) + ", NP " + std::to_string(state.NP) + ", NI " +
             std::to_string(state.NI) + ", E " + Show(state.E) + ", D " + Show(state.D) + ", f " +
             Show(state.f) + ", R " + Show(state.R) + ", C " + Show(state.C);
    const bool plainRc = !state.R2 && !state.RL;
    REQUIRE(plainRc ? std::holds_alternative<engine::RunPlan>(engine::PlanRun(
                          {state.E, state.D, state.f, state.R, state.C, state.N, state.NI}))
                    : std::holds_alternative<engine::ExactRunPlan>(engine::PlanExactRun(
                          {state.E, state.D, state.f, state.N, state.NI,
                           {state.R, state.C,
                            state.R2 ? std::optional(engine::SecondStage{*state.R2, *state.C2})
                                     : std::nullopt,
                            state.RL}})),
            "settings drawn that the engine refuses");
    REQUIRE(graph.plot.Drawn() && graph.plot.Drawn()->run, "a completed run left no plot");
    const engine::SimulatedRun& run = *graph.plot.Drawn()->run;
    const engine::PeriodStatistics& s = run.statistics;
    const std::size_t size = std::size_t(state.N) + 2;
    REQUIRE(run.N == state.N && run.Vi.size() == size && run.Vo.size() == size &&
                run.iC.size() == size,
            "arrays of the wrong size");
    REQUIRE(std::isfinite(run.dt) && run.dt > 0, "time step " + Show(run.dt));
    for (const double result : {s.ViMax, s.IcMax, s.VoMax, s.VoMin, s.DeltaVoVera, s.VomVera})
        REQUIRE(std::isfinite(result), "a result that is not finite: " + Show(result));
    REQUIRE(s.DeltaVoVera >= 0, "negative ripple " + Show(s.DeltaVoVera));

    RequireBandHeights(run.Vi, s.ViMax, Trace::Vi, state.N);
    RequireBandHeights(run.iC, s.IcMax, Trace::Ic, state.N);
    RequireBandHeights(run.Vo, s.VoMax, Trace::Vo, state.N);
    if (state.NP >= 1 && state.N >= 2)
        RequireSampleXs(state.N, state.NP);

    const graph_window::DrawnPlot expected{
        state.N,  state.NP,    state.f, run.dt, {s.ViMax, s.IcMax, s.VoMax},
        state.NI, std::nullopt, nullptr};
    REQUIRE(SameDrawn(graph.plot.Drawn(), expected), "the plot does not record its run");
    REQUIRE(graph.shown, "the graph window was not shown");
    RequireFormatted(graph.results.at("Label5"), "Label5");
    RequireFormatted(graph.results.at("Label9"), "Label9");
    REQUIRE(graph.results.at("Label5") == FormatNumber(s.DeltaVoVera, NumberPattern::Scientific2),
            "Label5 does not show the ripple");
    REQUIRE(graph.results.at("Label9") == FormatNumber(s.VomVera, NumberPattern::Scientific2),
            "Label9 does not show the mean");

    // The real circuit's values and the filter's: a number, or empty where none can be
    // represented.
    for (const char* label : {"ExactRippleLabel", "ExactMeanLabel", "SettlingTimeLabel",
                              "CutoffLabel", "AttenuationLabel", "ResolutionLabel"})
        if (!graph.results.at(label).isEmpty())
            RequireFormatted(graph.results.at(label), label);
    const QString& periods = graph.results.at("SettlingLabel");
    if (!periods.isEmpty())
        RequireFormatted(periods, "SettlingLabel");
    // The steady-state line says the run was periodic exactly when the plot records it so.
    const QString& line = graph.results.at("SteadyStateLabel");
    const bool periodic = graph.plot.Drawn()->periodic.has_value();
    REQUIRE(plainRc ? line.startsWith(periodic ? u"A regime dal periodo " : u"Non a regime dopo ")
                    : line.startsWith(u"Soluzione esatta: a regime (1 %) dal periodo ") ||
                          line.startsWith(u"Non a regime dopo "),
            "steady-state line '" + line.toStdString() + "'");
    REQUIRE(!HasNonFiniteWord(line), "steady-state line '" + line.toStdString() + "'");
}

void GraphCommand(DesignState& state, Windows& windows) {
    g_step = "Grafici";
    CutRunShort(windows);
    const GraphStandIn before = windows.graph;
    std::vector<Line> checked{kText7, kText8, kText12, kText9, kText10, kText13, kText14, kText15};
    for (const Line line : {kR2, kC2, kRL})
        if (!windows.fields[line].isEmpty())
            checked.push_back(line);
    const bool completed = RunCommand(state, windows, checked,
                                      [&] { main_window::RunGraphCommand(state, windows); });
    REQUIRE(!windows.busy, "the busy cursor stayed on");
    const GraphStandIn& graph = windows.graph;
    if (completed)
        return RequireDrawn(state, graph);

    const QString& message = windows.messages.front();
    REQUIRE(message != kOutOfMemory, "a run the settings accepted ran out of memory");
    if (message == kNotRepresentable) {
        // Blanked, then ticks and baselines only: nothing of the run before.
        REQUIRE(!graph.plot.Drawn(), "a failed run left a plot on show");
        for (const auto& [label, text] : graph.results)
            REQUIRE(text.isEmpty(), "a failed run left " + label + " on show");
        REQUIRE(graph.tooltip && graph.tooltip->isEmpty(), "a failed run left a reading on show");
        return;
    }
    REQUIRE(SameGraphWindow(graph, before), "a refused command touched the graph window");
}

// ---------------------------------------------------------------------------------------------
// The read-out

void MovePointer(Windows& windows, float x, float y) {
    GraphStandIn& graph = windows.graph;
    const auto& drawn = graph.plot.Drawn();
    g_step = "reading the pointer at " + Show(x) + ", " + Show(y) +
             (drawn ? " with NP " + std::to_string(drawn->NP) + ", f " + Show(drawn->f)
                    : " with no plot");
    const std::optional<QString> before = graph.tooltip;
    graph_window::ReadPointer(graph, x, y);
    const Trace pointed = graph_window::TraceAtHeight(y);
    REQUIRE(pointed == Trace::None || graph.selected == pointed, "the pointed trace not selected");
    if (graph.tooltip == before)
        return;
    REQUIRE(drawn && graph.tooltip, "a reading without a plot on show");
    const QString& text = *graph.tooltip;
    REQUIRE(!HasNonFiniteWord(text), "tooltip '" + text.toStdString() + "'");
    const char* expected = graph_window::GeometryOf(graph.selected).label;
    const qsizetype usec = text.indexOf(u"usec ; ");
    REQUIRE(text.startsWith(u"t= ") && usec > 3 &&
                text.mid(usec + 7).startsWith(QLatin1String(expected)),
            "tooltip '" + text.toStdString() + "'");
    const QString time = text.mid(3, usec - 3);
    RequireFormatted(time, "the tooltip's time");
    // Inside the plot, the time lies within the drawn span and is never a negative zero.
    if (x >= 0 && drawn->NP >= 0)
        REQUIRE(!time.startsWith(u'-'), "a negative time '" + time.toStdString() + "'");
    const QString value = text.mid(usec + 7 + qsizetype(std::strlen(expected)));
    RequireFormatted(value.chopped(1), "the tooltip's value");
    REQUIRE(value.chopped(1) != u"-0.00E+00", "a negative zero in the tooltip");
}

std::vector<std::pair<float, float>> PointerPositions(const QString& line) {
    std::string ascii;
    for (const QChar c : line)
        ascii += c.unicode() < 128 ? char(c.unicode()) : ' ';
    std::vector<float> numbers;
    const char* at = ascii.c_str();
    const char* const end = at + ascii.size();
    while (at < end && numbers.size() < 8) {
        while (at < end && *at == ' ')
            ++at;
        float value = 0;
        const auto [next, error] = std::from_chars(at, end, value);
        if (error != std::errc() || next == at) {
            while (at < end && *at != ' ')
                ++at;
            continue;
        }
        // The toolkit delivers finite positions only, though well outside the plot while a
        // button is held.
        numbers.push_back(std::isfinite(value) ? value : 0);
        at = next;
    }
    std::vector<std::pair<float, float>> positions;
    for (std::size_t k = 0; k + 1 < numbers.size(); k += 2)
        positions.emplace_back(numbers[k], numbers[k + 1]);
    return positions;
}

// ---------------------------------------------------------------------------------------------
// The input

const QLocale& LocaleNumber(int which) {
    static const QLocale locales[] = {
        QLocale(QLocale::C),
        QLocale(QLocale::Italian, QLocale::Italy),
        QLocale(QLocale::Arabic, QLocale::Egypt), // "٫" as decimal separator
        QLocale(QLocale::French, QLocale::France),
    };
    return locales[which & 3];
}

std::array<QString, kLineCount> SplitLines(const std::uint8_t* data, std::size_t size,
                                           bool utf16) {
    QString text;
    if (utf16) {
        for (std::size_t k = 0; k + 1 < size; k += 2)
            text += QChar(char16_t(data[k] | (data[k + 1] << 8)));
    } else {
        text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    }
    std::array<QString, kLineCount> lines;
    qsizetype line = 0, from = 0;
    while (line < kLineCount && from <= text.size()) {
        qsizetype to = text.indexOf(u'\n', from);
        if (to < 0)
            to = text.size();
        lines[std::size_t(line++)] = text.mid(from, to - from);
        from = to + 1;
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::uint8_t options = data[0];
    const bool utf16 = options & 1;
    const bool keepDesignedFields = options & 8;
    const bool designAfterPlot = options & 16;
    QLocale::setDefault(LocaleNumber(options >> 1));

    const auto lines = SplitLines(data + 1, size - 1, utf16);
    DesignState state;
    Windows windows;
    windows.partChoice =
        main_window::PartChoiceAt((options >> 5) & 3, options & 128 ? 2 : 1, options & 128 ? 1 : 0);
    windows.fields = lines;
    windows.fields[kPointer].clear();

    DesignCommand(state, windows);
    if (!keepDesignedFields) {
        std::copy(lines.begin() + kText7, lines.begin() + kText10 + 1,
                  windows.fields.begin() + kText7);
        for (const Line line : {kR2, kC2, kRL})
            windows.fields[line] = lines[line];
    }
    GraphCommand(state, windows);
    if (designAfterPlot)
        DesignCommand(state, windows);
    for (const auto& [x, y] : PointerPositions(lines[kPointer]))
        MovePointer(windows, x, y);
    return 0;
}
