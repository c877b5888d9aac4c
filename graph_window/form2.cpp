#include "graph_window/form2.h"

#include "app/control_table.h"
#include "app/number_text.h"
#include "graph_window/plot_area.h"

#include <QLabel>
#include <QRadioButton>

namespace {

using enum ControlKind;
using enum ControlFont;

constexpr int kForm2WidthTwips = 18930;
constexpr int kForm2HeightTwips = 10005;

// clang-format off
const ControlRow kForm2Rows[] = {
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
};
// clang-format on

} // namespace

Form2::Form2(DesignState& state, QWidget* parent) : QWidget(parent), state_(state) {
    setAttribute(Qt::WA_DeleteOnClose);
    BuildWindow(*this, "Form2", kForm2WidthTwips, kForm2HeightTwips, kForm2Rows,
                [](const ControlRow& row, QWidget* window) -> QWidget* {
                    return new PlotArea(row.fill.value_or(kWhite), window);
                });
    setWindowTitle(QStringLiteral("Forme d'onda reali"));

    // The empty picture box only lends its (absent) picture for blanking; it shows nothing.
    findChild<QWidget*>("Picture2")->hide();
    Plot().SetScale(0, 100, 100, 0);
    for (auto* label : {findChild<QLabel*>("Label5"), findChild<QLabel*>("Label9")})
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    connect(&Plot(), &PlotArea::PointerMoved, this,
            [this](Qt::MouseButtons, bool, float x, float y) { ReadPointer(x, y); });
}

PlotArea& Form2::Plot() const { return *findChild<PlotArea*>("Picture1"); }

void Form2::BlankPlot() { Plot().Blank(); }

void Form2::ShowResults(double rippleMillivolts, double meanVolts) {
    findChild<QLabel*>("Label5")->setText(
        FormatNumber(rippleMillivolts, NumberPattern::Scientific2));
    findChild<QLabel*>("Label9")->setText(FormatNumber(meanVolts, NumberPattern::Scientific2));
}

QRadioButton& Form2::Option(Trace trace) const {
    const char* name = trace == Trace::Vi ? "Option1" : trace == Trace::Ic ? "Option2" : "Option3";
    return *findChild<QRadioButton*>(name);
}

Trace Form2::SelectedTrace() const {
    for (Trace trace : {Trace::Vi, Trace::Ic, Trace::Vo})
        if (Option(trace).isChecked())
            return trace;
    return Trace::None;
}

void Form2::ReadPointer(float x, float y) {
    Plot().SetScale(0, 100, 100, 0);
    const Trace pointed = TraceAtHeight(y);
    if (pointed != Trace::None)
        Option(pointed).setChecked(true);
    const std::optional<QString> text =
        ReadoutText(SelectedTrace(), x, y, state_.NP, state_.f, traceScales_);
    if (text)
        Plot().SetToolTipText(*text);
}
