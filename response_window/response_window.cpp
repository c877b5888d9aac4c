// SPDX-License-Identifier: GPL-3.0-or-later
#include "response_window/response_window.h"

#include "app/long_work.h"
#include "app/message.h"
#include "app/number_text.h"
#include "app/text.h"
#include "plot/chart_plot.h"
#include "plot/window.h"
#include "response_window/bode_chart.h"
#include "response_window/response_fields.h"
#include "response_window/response_controls.h"
#include "response_window/step_chart.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QShortcut>

namespace response_window {

namespace {

using app::FormatFinite, app::FormatNumber, app::NumberPattern;
using plot::AxisSpan, plot::Chart, plot::CursorName;

constexpr char kStepName[] = QT_TRANSLATE_NOOP("Velmaro", "Grafico della risposta al gradino");
constexpr char kStepDescription[] = QT_TRANSLATE_NOOP(
    "Velmaro",
    "La tensione in uscita Vo in blu da t = 0, quando il duty cycle passa dal valore di partenza "
    "a quello di verifica; sotto, in arancione sottile, la risposta media all'ingresso medio, "
    "senza ondulazione; in grigio scuro il valore medio finale (tratteggiato), la banda di "
    "assestamento e il tempo di assestamento ts. Il suggerimento mostra il tempo e Vo sotto il "
    "puntatore.");
constexpr char kBodeName[] = QT_TRANSLATE_NOOP("Velmaro", "Grafico della risposta in frequenza");
constexpr char kBodeDescription[] = QT_TRANSLATE_NOOP(
    "Velmaro",
    "Il modulo |H| in dB (blu continuo, asse a sinistra) e la fase in gradi (blu tratteggiato, "
    "asse a destra) su un asse delle frequenze logaritmico; in grigio scuro fc e f. Il "
    "suggerimento mostra la frequenza, il modulo e la fase sotto il puntatore.");

// Every name below is checked against the window's table when the program is compiled.
consteval const char* Checked(const char* name) { return app::CheckedName<kResponseRows>(name); }

// The names a screen reader gives the fields and the figures.
// clang-format off
const app::NamingRow kResponseNames[] = {
    {kFromDutyField.Name(),            {Checked("FromDutyCaption")},                  Checked("FromDutyUnit")},
    {kBitsField.Name(),                {Checked("BitsCaption")},                      Checked("BitsUnit")},
    {kStepBandLabel.Name(),            {Checked("StepBandCaption")},                  Checked("StepBandUnit")},
    {kStepSettlingLabel.Name(),        {kStepSettlingCaption.Name()},        Checked("StepSettlingUnit")},
    {kStepSettlingPeriodsLabel.Name(), {kStepSettlingPeriodsCaption.Name()}, Checked("StepSettlingPeriodsUnit")},
    {kBodeCutoffLabel.Name(),          {Checked("BodeCutoffCaption")},                Checked("BodeCutoffUnit")},
    {kBodeAttenuationLabel.Name(),     {Checked("BodeAttenuationCaption")},           Checked("BodeAttenuationUnit")},
    {kBodeSlopeLabel.Name(),           {Checked("BodeSlopeCaption")},                 Checked("BodeSlopeUnit")},
};
// clang-format on

// Builds the window from its table; the two plots are the controls made here.
QWidget& Built(QWidget& window) {
    app::BuildWindow(window, "ResponseWindow", kResponseWidthTwips, kResponseHeightTwips,
                     kResponseRows, [](const app::ControlRow& row, QWidget* parent) -> QWidget* {
                         return new ResponsePlot(row.fill.value_or(app::kWhite),
                                                 app::TwipsToPixels(row.rect).size(), parent);
                     });
    return window;
}

} // namespace

ResponseWindow::ResponseWindow(QWidget* parent)
    : QWidget(parent), controls_(Built(*this), kResponseRows),
      stepPlot_(app::BoundControl<ResponsePlot>(*this, kStepPlot)),
      bodePlot_(app::BoundControl<ResponsePlot>(*this, kBodePlot)),
      fromDuty_(controls_.Get<QLineEdit>(kFromDutyField)),
      bits_(controls_.Get<QLineEdit>(kBitsField)), menu_(*this, [this] { return menuPlot_ && menuPlot_->ShownChart(); }),
      current_(&stepPlot_) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Velmaro - Risposta del filtro"));
    app::NameControls(*this, kResponseNames);
    for (const ResponseLabel label :
         {kStepBandLabel, kStepSettlingLabel,
          kStepSettlingPeriodsLabel, kBodeCutoffLabel,
          kBodeAttenuationLabel, kBodeSlopeLabel})
        controls_.Get<QLabel>(label).setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto& hint = controls_.Get<QLabel>(kMeasureHint);
    hint.setWordWrap(true);
    controls_.Get<QLabel>(kStepRippleWiderThanBandLabel).setWordWrap(true);
    for (const ResponseLabel label :
         {kStepCursorLabel, kBodeCursorLabel}) {
        controls_.Get<QLabel>(label).setWordWrap(true);
        controls_.Get<QLabel>(label).setAccessibleName(tr("Misure dei cursori"));
    }
    stepPlot_.setAccessibleName(app::Text::tr(kStepName));
    stepPlot_.setAccessibleDescription(app::Text::tr(kStepDescription));
    bodePlot_.setAccessibleName(app::Text::tr(kBodeName));
    bodePlot_.setAccessibleDescription(app::Text::tr(kBodeDescription));
    setTabOrder(&fromDuty_, &bits_);
    setTabOrder(&bits_, &stepPlot_);
    setTabOrder(&stepPlot_, &bodePlot_);

    // Enter in a field of the window computes the step again.
    for (QLineEdit* field : {&fromDuty_, &bits_})
        connect(field, &QLineEdit::returnPressed, this, [this] {
            if (!input_)
                return;
            app::CommandInProgress command;
            if (const auto choice = TakeFields())
                ShowStep(StepFiguresOf(*input_, *choice), *choice);
        });

    Connect(stepPlot_, controls_.Get<QLabel>(kStepCursorLabel));
    Connect(bodePlot_, controls_.Get<QLabel>(kBodeCursorLabel));
    focusWatch_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now == &stepPlot_ || now == &bodePlot_)
            current_ = static_cast<ResponsePlot*>(now);
    });

    // The menu of the plot it was opened on, and the keys for the plot last used.
    const std::pair<QString, void (ResponseWindow::*)(ResponsePlot&)> actions[] = {
        {app::Text::tr(plot::kCopyPicture), &ResponseWindow::CopyPicture},
        {app::Text::tr(plot::kSavePicture), &ResponseWindow::SavePicture},
        {app::Text::tr(plot::kSaveData), &ResponseWindow::SaveData},
    };
    for (const auto& [text, act] : actions)
        menu_.Add(text, [this, act = act] { (this->*act)(*menuPlot_); });
    plot::AddMeasuringKeys(*this, [this]() -> plot::MeasuringFrame& { return *current_; });
    const std::pair<QKeySequence, void (ResponseWindow::*)(ResponsePlot&)> keys[] = {
        {QKeySequence::Copy, &ResponseWindow::CopyPicture},
        {QKeySequence(Qt::CTRL | Qt::Key_S), &ResponseWindow::SavePicture},
    };
    for (const auto& [sequence, act] : keys)
        connect(new QShortcut(sequence, this), &QShortcut::activated, this, [this, act = act] {
            if (current_->ShownChart())
                (this->*act)(*current_);
        });
    plot::ScrollControlsWhenSmall(*this);
}

// The focus moves while the widgets go: that is no longer this window's business.
ResponseWindow::~ResponseWindow() { disconnect(focusWatch_); }

void ResponseWindow::Connect(ResponsePlot& plot, QLabel& cursors) {
    const auto read = [this, &plot](float x) {
        current_ = &plot;
        if (const auto& chart = plot.ShownChart())
            if (const auto text =
                    chart->Reading(plot.PositionAt(x), plot.Span(), plot.Area().width()))
                plot.SetToolTipText(*text);
    };
    connect(&plot, &ResponsePlot::PointerMoved, this,
            [read](Qt::MouseButtons, bool, float x, float) { read(x); });
    connect(&plot, &ResponsePlot::Clicked, this, [read, &plot](bool shift, float x, float) {
        read(x);
        plot.PlaceCursor(shift ? CursorName::B : CursorName::A, plot.PositionAt(x));
    });
    // "A" and "B" with the focus on the plot: where the pointer reads, or in the middle.
    connect(&plot, &ResponsePlot::CursorKeyPressed, this, [&plot](CursorName name) {
        const auto& at = plot.LastPointer();
        plot.PlaceCursor(name, at ? plot.PositionAt(at->first) : plot.Span().At(0.5));
    });
    connect(&plot, &ResponsePlot::ViewChanged, this, [&plot, &cursors] {
        const auto& chart = plot.ShownChart();
        const QString text =
            chart ? chart->CursorText(plot.View(), plot.Area().width()) : QString();
        cursors.setText(text);
        cursors.setAccessibleDescription(text);
    });
    menu_.OpenOn(plot, [this, &plot] { menuPlot_ = current_ = &plot; });
}

void ResponseWindow::ShowFor(const ResponseInput& input) {
    plot::BringForward(*this);
    // The circuit becomes the window's only once both plots are computed for it: a refused
    // press leaves the plots, and the circuit Enter computes again, as they were.
    const std::optional<StepChoice> choice = TakeFields();
    if (!choice)
        return;
    input_ = input;
    ShowStep(StepFiguresOf(input, *choice), *choice);
    ShowBode(BodeFiguresOf(input));
}

std::optional<StepChoice> ResponseWindow::TakeFields() {
    std::variant<StepChoice, QString> choice = ReadStepFields(fromDuty_.text(), bits_.text());
    if (const QString* message = std::get_if<QString>(&choice)) {
        app::ShowMessage(*message);
        return std::nullopt;
    }
    return std::get<StepChoice>(choice);
}

void ResponseWindow::ShowStep(const std::optional<StepFigures>& figures,
                              const StepChoice& choice) {
    const auto show = [this](ResponseLabel label, const QString& text) {
        app::SetResultText(controls_.Get<QLabel>(label), text);
    };
    // The captions name the band the figures beside them are for.
    const QString settling = choice.bits ? tr("Assestamento ±½ LSB") : tr("Assestamento ±1%");
    for (const ResponseLabel caption :
         {kStepSettlingCaption, kStepSettlingPeriodsCaption})
        controls_.Get<QLabel>(caption).setText(settling);
    if (!figures) {
        stepPlot_.SetChart(nullptr);
        for (const ResponseLabel label :
             {kStepBandLabel, kStepSettlingLabel,
              kStepSettlingPeriodsLabel,
              kStepRippleWiderThanBandLabel})
            show(label, QString());
        return;
    }
    stepPlot_.SetChart(std::make_shared<StepChart>(*figures));
    show(kStepBandLabel, FormatNumber(figures->band, NumberPattern::Scientific2));
    show(kStepSettlingLabel, FormatNumber(figures->settling * 1e3, NumberPattern::Scientific2));
    show(kStepSettlingPeriodsLabel, app::WholeOrScientific(figures->periods));
    show(kStepRippleWiderThanBandLabel,
         app::RippleWiderThanBandLine(figures->ripple, figures->band));
}

void ResponseWindow::ShowBode(const BodeFigures& figures) {
    const auto show = [this](ResponseLabel label, const QString& text) {
        app::SetResultText(controls_.Get<QLabel>(label), text);
    };
    bodePlot_.SetChart(figures.logLow ? std::make_shared<BodeChart>(figures) : nullptr);
    show(kBodeCutoffLabel, FormatFinite(figures.cutoff, NumberPattern::Scientific2));
    show(kBodeAttenuationLabel, FormatFinite(figures.attenuation, NumberPattern::Scientific2));
    show(kBodeSlopeLabel, QString::number(int(figures.slope)));
}

void ResponseWindow::CopyPicture(ResponsePlot& plot) {
    QGuiApplication::clipboard()->setImage(plot.Picture());
}

void ResponseWindow::SavePicture(ResponsePlot& plot) {
    app::CommandInProgress command;
    const QString path = plot::AskSavePath(
        chooseFile_, *this, tr("Salva grafico"), tr("grafico"),
        {app::Text::tr(plot::kPngFilter), app::Text::tr(plot::kSvgFilter)}, true);
    const std::shared_ptr<const Chart> chart = plot.ShownChart();
    if (path.isEmpty() || !chart)
        return;
    const QString failure =
        plot::SavePicture(path, plot.Picture(), chart->Title(),
                                  [&plot](QPainter& painter) { plot.PaintOn(painter); });
    if (!failure.isEmpty())
        app::ShowMessage(failure);
}

void ResponseWindow::SaveData(ResponsePlot& plot) {
    app::CommandInProgress command;
    const QString path =
        plot::AskSavePath(chooseFile_, *this, tr("Salva dati"), tr("dati"),
                                  {app::Text::tr(plot::kCsvFilter)}, false);
    const std::shared_ptr<const Chart> chart = plot.ShownChart();
    if (path.isEmpty() || !chart)
        return;
    const QString decimalPoint = QLocale().decimalPoint();
    const std::string point = decimalPoint.toStdString();
    const std::string separator = plot::CsvSeparator(decimalPoint).toStdString();
    const AxisSpan span = plot.Span();
    const int columns = plot.Area().width();
    const QString failure =
        plot::WriteCsvFile(path, [&](const plot::CsvSink& sink) {
            return chart->WriteTable(span, columns, separator, point, sink);
        });
    if (!failure.isEmpty())
        app::ShowMessage(failure);
}

} // namespace response_window
