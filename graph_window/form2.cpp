#include "graph_window/form2.h"

#include "app/control_table.h"
#include "app/message.h"
#include "graph_window/plot_area.h"
#include "graph_window/plot_clipboard.h"
#include "graph_window/readout.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QRadioButton>
#include <QShortcut>

#include <new>

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

    // The filter's figures for the R and C of the run, between the first two trace selectors, in
    // the boxes of the real circuit's values.
    {"FilterCaption",       Label, "Filtro:",          {15360, 2220, 1275, 255}},
    {"CutoffCaption",       Label, "fc",               {15360, 2565, 1620, 255}},
    {"CutoffLabel",         Label, "",                 {16980, 2490, 1140, 330},  Bold825, kLightYellow},
    {"CutoffUnit",          Label, "[Hz]",             {18180, 2565, 495, 255}},
    {"AttenuationCaption",  Label, "Attenuazione a f", {15360, 2925, 1620, 255}},
    {"AttenuationLabel",    Label, "",                 {16980, 2850, 1140, 330},  Bold825, kLightYellow},
    {"AttenuationUnit",     Label, "[dB]",             {18180, 2925, 495, 255}},
    {"ResolutionCaption",   Label, "Risoluzione",      {15360, 3285, 1620, 255}},
    {"ResolutionLabel",     Label, "",                 {16980, 3210, 1140, 330},  Bold825, kLightYellow},
    {"ResolutionUnit",      Label, "[bit]",            {18180, 3285, 495, 255}},

    // The real circuit beside the simulation, in the free column: its values in boxes of the
    // plot's colour under a heading of their own, the simulation's white boxes under theirs.
    {"IdealCircuitCaption", Label, "Circuito ideale:", {15360, 4200, 2295, 255}},
    {"ExactRippleCaption",  Label, "Delta Vo",         {15360, 4680, 1020, 255}},
    {"ExactRippleLabel",    Label, "",                 {16980, 4560, 1140, 375},  Bold825, kLightYellow},
    {"ExactRippleUnit",     Label, "[mV]",             {18180, 4680, 495, 255}},
    {"ExactMeanCaption",    Label, "Vom",              {15360, 5100, 1020, 255}},
    {"ExactMeanLabel",      Label, "",                 {16980, 4980, 1140, 375},  Bold825, kLightYellow},
    {"ExactMeanUnit",       Label, "[V]",              {18180, 5100, 255, 255}},
    {"SettlingCaption",     Label, "Assestamento 1%",  {15360, 5520, 1620, 255}},
    {"SettlingLabel",       Label, "",                 {16980, 5400, 1140, 375},  Bold825, kLightYellow},
    {"SettlingUnit",        Label, "[periodi]",        {18180, 5520, 750, 255}},
    {"SettlingTimeCaption", Label, "Tempo 1%",         {15360, 5940, 1620, 255}},
    {"SettlingTimeLabel",   Label, "",                 {16980, 5820, 1140, 375},  Bold825, kLightYellow},
    {"SettlingTimeUnit",    Label, "[ms]",             {18180, 5940, 495, 255}},
    {"SimulationCaption",   Label, "Simulazione:",     {15360, 6480, 1275, 255}},
    {"SteadyStateLabel",    Label, "",                 {15360, 6780, 3510, 540}},
};
// clang-format on

// The results the graph command writes, each by its caption, value and unit labels (unit null
// when a result has none). They are copied and named for a screen reader in this order.
struct ResultRow {
    const char* name;
    const char* value;
    const char* unit;
};
// clang-format off
const ResultRow kResultRows[] = {
    {"Label6",              "Label5",            "Label7"},
    {"Label12",             "Label9",            "Label13"},
    {"ExactRippleCaption",  "ExactRippleLabel",  "ExactRippleUnit"},
    {"ExactMeanCaption",    "ExactMeanLabel",    "ExactMeanUnit"},
    {"SettlingCaption",     "SettlingLabel",     "SettlingUnit"},
    {"SettlingTimeCaption", "SettlingTimeLabel", "SettlingTimeUnit"},
    {"CutoffCaption",       "CutoffLabel",       "CutoffUnit"},
    {"AttenuationCaption",  "AttenuationLabel",  "AttenuationUnit"},
    {"ResolutionCaption",   "ResolutionLabel",   "ResolutionUnit"},
    {"SimulationCaption",   "SteadyStateLabel",  nullptr},
};
// clang-format on

constexpr char kPlotName[] = "Grafico delle forme d'onda";
constexpr char kPlotDescription[] =
    "Un periodo simulato, ripetuto per gli NP periodi visualizzati: in alto in rosso la "
    "tensione in ingresso Vi(t), al centro in verde la corrente nel condensatore iC(t), in basso "
    "in blu la tensione in uscita Vo(t). Sposta il puntatore su una forma d'onda: il "
    "suggerimento mostra il tempo e il valore in quel punto. Il menu del tasto destro copia il "
    "grafico, i dati o i risultati.";

// Builds the window from its table; the plot area is the one control made here.
QWidget& Built(QWidget& window) {
    app::BuildWindow(window, "Form2", kForm2WidthTwips, kForm2HeightTwips, kForm2Rows,
                     [](const app::ControlRow& row, QWidget* parent) -> QWidget* {
                         return new PlotArea(row.fill.value_or(kWhite), parent);
                     });
    return window;
}

} // namespace

Form2::Form2(const app::DesignState& state, QWidget* parent)
    : QWidget(parent), state_(state), plot_(app::BoundControl<PlotArea>(Built(*this), "Picture1")),
      options_{&app::BoundControl<QRadioButton>(*this, "Option1"),
               &app::BoundControl<QRadioButton>(*this, "Option2"),
               &app::BoundControl<QRadioButton>(*this, "Option3")},
      plotMenu_(*new QMenu(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Forme d'onda reali"));
    for (const ResultRow& row : kResultRows) {
        QLabel& label = app::BoundControl<QLabel>(*this, row.value);
        label.setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        results_.emplace(row.value, &label);
        resultRows_.push_back({&app::BoundControl<QLabel>(*this, row.name), &label,
                               row.unit ? &app::BoundControl<QLabel>(*this, row.unit) : nullptr});
        const app::NamingRow naming{row.value, {row.name}, row.unit};
        app::NameControls(*this, {&naming, 1});
    }
    // The steady-state line may take two lines, from the top, under its heading.
    QLabel& steadyState = *results_.at("SteadyStateLabel");
    steadyState.setWordWrap(true);
    steadyState.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    plot_.setAccessibleName(QString::fromUtf8(kPlotName));
    plot_.setAccessibleDescription(QString::fromUtf8(kPlotDescription));
    // The empty picture box only lends its (absent) picture for blanking; it shows nothing.
    app::BoundControl<QWidget>(*this, "Picture2").hide();

    connect(&plot_, &PlotArea::PointerMoved, this,
            [this](Qt::MouseButtons, bool, float x, float y) { ReadPointer(*this, x, y); });

    // Each copy takes the plot on show, and does nothing while there is none.
    const auto onPlot = [this](void (Form2::*copy)()) {
        return [this, copy] {
            if (HasPlot())
                (this->*copy)();
        };
    };
    const std::pair<const char*, void (Form2::*)()> copies[] = {
        {"Copia grafico", &Form2::CopyPicture},
        {"Copia dati", &Form2::CopySamples},
        {"Copia risultati", &Form2::CopyResults},
    };
    for (const auto& [text, copy] : copies)
        connect(plotMenu_.addAction(QString::fromUtf8(text)), &QAction::triggered, this,
                onPlot(copy));
    connect(new QShortcut(QKeySequence::Copy, this), &QShortcut::activated, this,
            onPlot(&Form2::CopyPicture));
    plot_.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&plot_, &QWidget::customContextMenuRequested, this, &Form2::ShowPlotMenu);
}

void Form2::ShowWindow() { show(); }

PlotPicture& Form2::PlotSurface() { return plot_.Surface(); }

void Form2::SetPlotToolTip(const QString& text) { plot_.SetToolTipText(text); }

// The label's accessible name says what it holds; the value it shows is its description.
void Form2::SetResultText(const char* label, const QString& text) {
    QLabel& result = *results_.at(label);
    result.setText(text);
    result.setAccessibleDescription(text);
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

bool Form2::HasPlot() const { return plot_.Surface().Drawn().has_value(); }

void Form2::ShowPlotMenu(QPoint position) {
    for (QAction* action : plotMenu_.actions())
        action->setEnabled(HasPlot());
    plotMenu_.popup(plot_.mapToGlobal(position));
}

// The picture inside the frame, pixel for pixel as on show, at its size (997 x 605).
void Form2::CopyPicture() { QGuiApplication::clipboard()->setImage(plot_.Picture()); }

// The table of a large N may not fit in the memory left: then nothing is copied, and the user
// is told so rather than left to paste what the clipboard held before.
void Form2::CopySamples() {
    try {
        const QString table =
            SamplesTable(*plot_.Surface().Drawn(), state_, QLocale().decimalPoint());
        if (!table.isEmpty())
            QGuiApplication::clipboard()->setText(table);
    } catch (const std::bad_alloc&) {
        app::ShowMessage(QStringLiteral(
            "Memoria insufficiente per copiare i dati di questo numero di campioni N!"));
    }
}

void Form2::CopyResults() {
    std::vector<ShownResult> shown;
    for (const ResultLabels& row : resultRows_)
        shown.push_back(
            {row.name->text(), row.value->text(), row.unit ? row.unit->text() : QString()});
    QGuiApplication::clipboard()->setText(ResultsText(shown));
}

} // namespace graph_window
