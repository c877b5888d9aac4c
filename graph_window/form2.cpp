// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph_window/form2.h"

#include "app/control_table.h"
#include "app/long_work.h"
#include "app/message.h"
#include "app/save_file.h"
#include "app/text.h"
#include "graph_window/form2_controls.h"
#include "graph_window/plot_area.h"
#include "graph_window/plot_clipboard.h"
#include "graph_window/readout.h"
#include "graph_window/report_picture.h"
#include "plot/files.h"
#include "plot/window.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QRadioButton>
#include <QShortcut>

#include <functional>

namespace graph_window {

namespace {

using app::kWhite;


// The results the graph command writes, each by its caption, value and unit labels (unit null
// when a result has none). They are copied and named for a screen reader in this order.
// Every name below is checked against the window's table when the program is compiled.
consteval const char* Checked(const char* name) { return app::CheckedName<kForm2Rows>(name); }

struct ResultRow {
    const char* name;
    const char* value;
    const char* unit;
};
// clang-format off
const ResultRow kResultRows[] = {
    {Checked("Label6"),              kDeltaVoLabel.Name(),      Checked("Label7")},
    {Checked("Label12"),             kVomLabel.Name(),          Checked("Label13")},
    {Checked("ExactRippleCaption"),  kExactRippleLabel.Name(),  Checked("ExactRippleUnit")},
    {Checked("ExactMeanCaption"),    kExactMeanLabel.Name(),    Checked("ExactMeanUnit")},
    {Checked("SettlingCaption"),     kSettlingLabel.Name(),     Checked("SettlingUnit")},
    {Checked("SettlingTimeCaption"), kSettlingTimeLabel.Name(), Checked("SettlingTimeUnit")},
    {Checked("CutoffCaption"),       kCutoffLabel.Name(),       Checked("CutoffUnit")},
    {Checked("AttenuationCaption"),  kAttenuationLabel.Name(),  Checked("AttenuationUnit")},
    {Checked("ResolutionCaption"),   kResolutionLabel.Name(),   Checked("ResolutionUnit")},
    {Checked("SimulationCaption"),   kSteadyStateLabel.Name(),  nullptr},
};
// clang-format on

constexpr char kPlotName[] = QT_TRANSLATE_NOOP("Velmaro", "Grafico delle forme d'onda");
constexpr char kPlotDescription[] = QT_TRANSLATE_NOOP(
    "Velmaro",
    "Un periodo simulato, ripetuto per gli NP periodi visualizzati: in alto in rosso la "
    "tensione in ingresso Vi(t), al centro in verde la corrente nel condensatore iC(t), in basso "
    "in blu la tensione in uscita Vo(t). Sposta il puntatore su una forma d'onda: il "
    "suggerimento mostra il tempo e il valore in quel punto. La rotella ingrandisce l'asse dei "
    "tempi, il trascinamento lo sposta, un clic pone il cursore A e Maiusc+clic il cursore B. Il "
    "menu del tasto destro copia il grafico, i dati o i risultati e salva il grafico o i dati.");

// Builds the window from its table; the plot area is the one control made here.
QWidget& Built(QWidget& window) {
    app::BuildWindow(window, "Form2", kForm2WidthTwips, kForm2HeightTwips, kForm2Rows,
                     [](const app::ControlRow& row, QWidget* parent) -> QWidget* {
                         return new PlotArea(row.fill.value_or(kWhite),
                                             app::TwipsToPixels(row.rect).size(), parent);
                     });
    return window;
}

} // namespace

Form2::Form2(QWidget* parent)
    : QWidget(parent), controls_(Built(*this), kForm2Rows),
      plot_(app::BoundControl<PlotArea>(*this, kPlotArea)),
      options_{&app::BoundControl<QRadioButton>(*this, kViOption),
               &app::BoundControl<QRadioButton>(*this, kIcOption),
               &app::BoundControl<QRadioButton>(*this, kVoOption)},
      plotMenu_(*this, [this] { return HasPlot(); }), cursorLabel_(app::BoundControl<QLabel>(*this, kCursorLabel)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Forme d'onda reali"));
    for (const ResultRow& row : kResultRows) {
        QLabel& label = app::BoundControl<QLabel>(*this, row.value);
        label.setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        resultRows_.push_back({&app::BoundControl<QLabel>(*this, row.name), &label,
                               row.unit ? &app::BoundControl<QLabel>(*this, row.unit) : nullptr});
        const app::NamingRow naming{row.value, {row.name}, row.unit};
        app::NameControls(*this, {&naming, 1});
    }
    // The steady-state line may take two lines, from the top, under its heading.
    QLabel& steadyState = controls_.Get<QLabel>(kSteadyStateLabel);
    steadyState.setWordWrap(true);
    steadyState.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The line on a ripple wider than the settling band, from the top of its free corner.
    QLabel& rippleLine = controls_.Get<QLabel>(kRippleWiderThanBandLabel);
    rippleLine.setWordWrap(true);
    rippleLine.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The cursors' readings may take two lines; a screen reader finds them by this name.
    cursorLabel_.setWordWrap(true);
    cursorLabel_.setAccessibleName(tr("Misure dei cursori"));
    plot_.setAccessibleName(app::Text::tr(kPlotName));
    plot_.setAccessibleDescription(app::Text::tr(kPlotDescription));
    // The empty picture box only lends its (absent) picture for blanking; it shows nothing.
    app::BoundControl<QWidget>(*this, kSpareBox).hide();

    connect(&plot_, &PlotArea::PointerMoved, this,
            [this](Qt::MouseButtons, bool, float x, float y) { ReadPointer(*this, x, y); });

    // Each copy takes the plot on show, and does nothing while there is none.
    const auto onPlot = [this](void (Form2::*copy)()) {
        return [this, copy] {
            if (HasPlot())
                (this->*copy)();
        };
    };
    const std::pair<QString, void (Form2::*)()> copies[] = {
        {app::Text::tr(plot::kCopyPicture), &Form2::CopyPicture},
        {tr("Copia dati"), &Form2::CopySamples},
        {tr("Copia risultati"), &Form2::CopyResults},
    };
    for (const auto& [text, copy] : copies)
        plotMenu_.Add(text, onPlot(copy));
    connect(new QShortcut(QKeySequence::Copy, this), &QShortcut::activated, this,
            onPlot(&Form2::CopyPicture));

    // Saving, and the fit, which stays on for the plots to come until it is turned off.
    plotMenu_.AddSeparator();
    const std::pair<QString, void (Form2::*)()> saves[] = {
        {app::Text::tr(plot::kSavePicture), &Form2::SavePicture},
        {app::Text::tr(plot::kSaveData), &Form2::SaveSamples},
    };
    for (const auto& [text, save] : saves)
        plotMenu_.Add(text, onPlot(save));
    plotMenu_.AddSeparator();
    fitAction_ = &plotMenu_.AddSetting(tr("Adatta verticalmente"));
    fitAction_->setCheckable(true);
    connect(fitAction_, &QAction::triggered, &plot_, &PlotArea::SetFit);

    // The plot's keys act whichever control of the window has the focus.
    plot::AddMeasuringKeys(*this, [this]() -> plot::MeasuringFrame& { return plot_; });
    const std::pair<QKeySequence, std::function<void()>> keys[] = {
        {QKeySequence(Qt::Key_F), [this] { plot_.SetFit(!plot_.Surface().View().fit); }},
        {QKeySequence(Qt::CTRL | Qt::Key_S), onPlot(&Form2::SavePicture)},
    };
    for (const auto& [sequence, act] : keys)
        connect(new QShortcut(sequence, this), &QShortcut::activated, this, act);

    // A click places cursor A, Shift+click cursor B, for the trace the click's height selects.
    connect(&plot_, &PlotArea::Clicked, this, [this](bool shift, float x, float y) {
        ReadPointer(*this, x, y);
        plot_.PlaceCursor(shift ? CursorName::B : CursorName::A, x, SelectedTrace());
    });
    // "A" and "B" with the focus on the plot: at the point the read-out shows, or in the middle
    // of the view for the trace selected.
    connect(&plot_, &PlotArea::CursorKeyPressed, this, [this](CursorName name) {
        if (const auto& at = plot_.LastPointer()) {
            ReadPointer(*this, at->first, at->second);
            return plot_.PlaceCursor(name, at->first, SelectedTrace());
        }
        const Trace trace = SelectedTrace() == Trace::None ? Trace::Vo : SelectedTrace();
        plot_.PlaceCursor(name, float(kPlotCoordinates.left + kPlotCoordinates.right) / 2, trace);
    });
    connect(&plot_, &PlotArea::ViewChanged, this, &Form2::ShowView);
    plotMenu_.OpenOn(plot_);
    plot::ScrollControlsWhenSmall(*this);
}

void Form2::ShowWindow() { plot::BringForward(*this); }

PlotPicture& Form2::PlotSurface() { return plot_.Surface(); }

void Form2::SetPlotToolTip(const QString& text) { plot_.SetToolTipText(text); }

void Form2::SetResultText(Form2Label label, const QString& text) {
    app::SetResultText(controls_.Get<QLabel>(label), text);
}

void Form2::SetResultColour(Form2Label label, app::Rgb colour) {
    app::SetTextColour(controls_.Get<QLabel>(label), colour);
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

// The picture on show, pixel for pixel, inside the frame that names its axes.
void Form2::CopyPicture() {
    QGuiApplication::clipboard()->setImage(
        ReportImage(plot_.Surface(), plot_.Picture(), plot_.PixelRatio()));
}

// The table is built on a worker, with the run's progress and stop; one of more rows than a
// spreadsheet takes is refused, and one that does not fit in the memory left is not copied: the
// user is told so rather than left to paste what the clipboard held before.
void Form2::CopySamples() {
    app::CommandInProgress command;
    const DrawnPlot plot = *plot_.Surface().Drawn();
    if (plot.N > kMaxCopiedSamples)
        return app::ShowMessage(tr("Troppi campioni da copiare: \"Copia dati\" copia al massimo %1 "
                                   "campioni per periodo!")
                                    .arg(kMaxCopiedSamples));
    const QString decimalPoint = QLocale().decimalPoint();
    QString table;
    const app::WorkOutcome work = app::RunWithProgress(
        {[&](engine::RunControl& control) { table = SamplesTable(plot, decimalPoint, &control); },
         [&plot](const engine::RunControl& control) {
             return app::WorkProgress{tr("Copia dei dati in corso: campione %1 di %2")
                                          .arg(QString::number(control.Step()),
                                               QString::number(plot.N)),
                                      double(control.Step()) / plot.N};
         },
         tr("Memoria insufficiente per copiare i dati di questo numero di campioni N!")});
    if (work.end == app::WorkEnd::Failed)
        return app::ShowMessage(work.failure);
    if (work.end == app::WorkEnd::Finished && !table.isEmpty())
        QGuiApplication::clipboard()->setText(table);
}

void Form2::CopyResults() {
    std::vector<ShownResult> shown;
    for (const ResultLabels& row : resultRows_)
        shown.push_back(
            {row.name->text(), row.value->text(), row.unit ? row.unit->text() : QString()});
    QGuiApplication::clipboard()->setText(ResultsText(shown));
}

// The cursors' readings, and the fit's check mark, follow the view.
void Form2::ShowView() {
    const PlotPicture& plot = plot_.Surface();
    const QString readings = CursorText(plot.Drawn(), plot.View());
    cursorLabel_.setText(readings);
    cursorLabel_.setAccessibleDescription(readings);
    fitAction_->setChecked(plot.View().fit);
}

QString Form2::AskSavePath(const QString& caption, const QString& name, const QStringList& filters,
                           bool picture) {
    return plot::AskSavePath(chooseFile_, *this, caption, name, filters, picture);
}

// The picture as it is shown, zoom, fit and cursors included, in the frame that names its axes.
void Form2::SavePicture() {
    const QString path =
        AskSavePath(tr("Salva grafico"), tr("grafico"),
                    {app::Text::tr(plot::kPngFilter), app::Text::tr(plot::kSvgFilter)}, true);
    if (path.isEmpty() || !HasPlot())
        return;
    if (const QString failure =
            SaveReportPicture(path, plot_.Surface(), plot_.Picture(), plot_.PixelRatio());
        !failure.isEmpty())
        app::ShowMessage(failure);
}

// The rows are written on a worker, with the run's progress and stop; a stop leaves any earlier
// file as it was and says nothing, as the user asked for it.
void Form2::SaveSamples() {
    app::CommandInProgress command;
    const DrawnPlot plot = *plot_.Surface().Drawn();
    const QString path =
        AskSavePath(tr("Salva dati"), tr("dati"), {app::Text::tr(plot::kCsvFilter)}, false);
    if (path.isEmpty())
        return;
    const QString decimalPoint = QLocale().decimalPoint();
    QString failure;
    const app::WorkOutcome work = app::RunWithProgress(
        {[&](engine::RunControl& control) {
             failure = WriteSamplesCsv(path, plot, decimalPoint, &control);
         },
         [&plot](const engine::RunControl& control) {
             return app::WorkProgress{tr("Salvataggio dei dati in corso: campione %1 di %2")
                                          .arg(QString::number(control.Step()),
                                               QString::number(plot.N)),
                                      double(control.Step()) / plot.N};
         },
         app::SaveFailureMessage(path, tr("memoria insufficiente!"))});
    if (work.end == app::WorkEnd::Failed)
        failure = work.failure;
    if (work.end != app::WorkEnd::Stopped && !failure.isEmpty())
        app::ShowMessage(failure);
}

} // namespace graph_window
