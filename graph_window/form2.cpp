#include "graph_window/form2.h"

#include "app/control_table.h"
#include "graph_window/plot_area.h"
#include "graph_window/readout.h"

#include <QLabel>
#include <QRadioButton>

namespace graph_window {

namespace {

using enum app::ControlKind;
using enum app::ControlFont;
using app::kBlue, app::kGreen, app::kLightYellow, app::kRed, app::kWhite;

constexpr int kForm2WidthTwips = 18930;
constexpr int kForm2HeightTwips = 10005;

// clang-format off
const app::ControlRow kForm2Rows[] = {
    {"Picture1", Custom,       "",              {120, 120, 15015, 9135},   Bold825, kLightYellow},
    {"Option1",  OptionButton, "Vi(t)",         {15360, 1800, 975, 375},   Bold825, std::nullopt, kRed},
    {"Option2",  OptionButton, "iC(t)",         {15360, 3600, 735, 495},   Bold825, std::nullopt, kGreen},
    {"Option3",  OptionButton, "Vo(t)",         {15360, 8880, 735, 615},   Bold825, std::nullopt, kBlue},
    {"Label6",   Label,        "Delta Vovera",  {15360, 7560, 1215, 255}},
    {"Label5",   Label,        "Label5",        {16680, 7440, 1575, 375},  Bold825, kWhite},
    {"Label7",   Label,        "[mV]",          {18360, 7560, 495, 255}},
    {"Label12",  Label,        "Vomvera",       {15720, 8040, 975, 255}},
    {"Label9",   Label,        "Label9",        {16680, 7920, 1575, 375},  Bold825, kWhite},
    {"Label13",  Label,        "[V]",           {18360, 8040, 255, 255}},
    {"Label1",   Label,        "Sposta il cursore del mouse sulla forma d'onda , comparirà il valore in quel punto",
                                                {120, 9480, 8655, 375},    Bold975},
    {"Picture2", PictureBox,   "",              {16440, 4680, 495, 375}},

    // The real circuit beside the simulation, in the free column: its values in boxes of the
    // plot's colour under a heading of their own, the simulation's white boxes under theirs.
    {"IdealCircuitCaption", Label, "Circuito ideale:", {15360, 4320, 2295, 255}},
    {"ExactRippleCaption",  Label, "Delta Vo",         {15360, 4800, 1020, 255}},
    {"ExactRippleLabel",    Label, "",                 {16980, 4680, 1140, 375},  Bold825, kLightYellow},
    {"ExactRippleUnit",     Label, "[mV]",             {18180, 4800, 495, 255}},
    {"ExactMeanCaption",    Label, "Vom",              {15360, 5280, 1020, 255}},
    {"ExactMeanLabel",      Label, "",                 {16980, 5160, 1140, 375},  Bold825, kLightYellow},
    {"ExactMeanUnit",       Label, "[V]",              {18180, 5280, 255, 255}},
    {"SettlingCaption",     Label, "Assestamento 1%",  {15360, 5760, 1620, 255}},
    {"SettlingLabel",       Label, "",                 {16980, 5640, 1140, 375},  Bold825, kLightYellow},
    {"SettlingUnit",        Label, "[periodi]",        {18180, 5760, 750, 255}},
    {"SettlingTimeCaption", Label, "Tempo 1%",         {15360, 6240, 1620, 255}},
    {"SettlingTimeLabel",   Label, "",                 {16980, 6120, 1140, 375},  Bold825, kLightYellow},
    {"SettlingTimeUnit",    Label, "[ms]",             {18180, 6240, 495, 255}},
    {"SteadyStateLabel",    Label, "",                 {15360, 6600, 3510, 540}},
    {"SimulationCaption",   Label, "Simulazione:",     {15360, 7170, 1275, 255}},
};
// clang-format on

// The result labels the graph command writes.
constexpr const char* kResultLabels[] = {"Label5",          "Label9",        "ExactRippleLabel",
                                         "ExactMeanLabel",  "SettlingLabel", "SettlingTimeLabel",
                                         "SteadyStateLabel"};

// Builds the window from its table; the plot area is the one control made here.
QWidget& Built(QWidget& window) {
    app::BuildWindow(window, "Form2", kForm2WidthTwips, kForm2HeightTwips, kForm2Rows,
                     [](const app::ControlRow& row, QWidget* parent) -> QWidget* {
                         return new PlotArea(row.fill.value_or(kWhite), parent);
                     });
    return window;
}

} // namespace

Form2::Form2(QWidget* parent)
    : QWidget(parent), plot_(app::BoundControl<PlotArea>(Built(*this), "Picture1")),
      options_{&app::BoundControl<QRadioButton>(*this, "Option1"),
               &app::BoundControl<QRadioButton>(*this, "Option2"),
               &app::BoundControl<QRadioButton>(*this, "Option3")} {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Forme d'onda reali"));
    for (const char* name : kResultLabels) {
        QLabel& label = app::BoundControl<QLabel>(*this, name);
        label.setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        results_.emplace(name, &label);
    }
    // The steady-state line may take two lines of the column.
    results_.at("SteadyStateLabel")->setWordWrap(true);
    // The empty picture box only lends its (absent) picture for blanking; it shows nothing.
    app::BoundControl<QWidget>(*this, "Picture2").hide();

    connect(&plot_, &PlotArea::PointerMoved, this,
            [this](Qt::MouseButtons, bool, float x, float y) { ReadPointer(*this, x, y); });
}

void Form2::ShowWindow() { show(); }

PlotPicture& Form2::PlotSurface() { return plot_.Surface(); }

void Form2::SetPlotToolTip(const QString& text) { plot_.SetToolTipText(text); }

void Form2::SetResultText(const char* label, const QString& text) {
    results_.at(label)->setText(text);
}

void Form2::SetResultColour(const char* label, app::Rgb colour) {
    app::SetTextColour(*results_.at(label), colour);
}

QRadioButton& Form2::Option(Trace trace) const {
    return *options_[trace == Trace::Vi ? 0 : trace == Trace::Ic ? 1 : 2];
}

Trace Form2::SelectedTrace() const {
    for (const TraceGeometry& band : kTraceGeometry)
        if (Option(band.trace).isChecked())
            return band.trace;
    return Trace::None;
}

void Form2::SelectTrace(Trace trace) {
    if (trace != Trace::None)
        Option(trace).setChecked(true);
}

} // namespace graph_window
