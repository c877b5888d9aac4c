// SPDX-License-Identifier: GPL-3.0-or-later
#include "chooser_window/trade_off_plot.h"

#include "app/message.h"
#include "app/text.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLocale>
#include <QPainter>

#include <algorithm>

namespace chooser_window {

using app::Text;

namespace {

constexpr char kPlotName[] =
    QT_TRANSLATE_NOOP("Velmaro", "Grafico del compromesso tra ripple e assestamento");
constexpr char kPlotDescription[] = QT_TRANSLATE_NOOP(
    "Velmaro",
    "Per ogni filtro della tabella, una curva del ripple peggiore in mV (asse verticale, "
    "logaritmico) contro il tempo di assestamento in ms (asse orizzontale, logaritmico) mentre C "
    "varia di due decadi in più e in meno; un punto segna il componente scelto. Il riquadro "
    "tratteggiato è l'obiettivo: ripple entro 1 LSB e assestamento entro il limite. Il menu del "
    "tasto destro copia il grafico e salva il grafico o i dati.");

} // namespace

TradeOffPlot::TradeOffPlot(QWidget* parent)
    : QWidget(parent), menu_(*this, [this] { return HasCurves(); }) {
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(Text::tr(kPlotName));
    setAccessibleDescription(Text::tr(kPlotDescription));
    menu_.Add(Text::tr(plot::kCopyPicture), [this] { CopyPicture(); });
    menu_.AddSeparator();
    menu_.Add(Text::tr(plot::kSavePicture), [this] { SavePicture(); });
    menu_.Add(Text::tr(plot::kSaveData), [this] { SaveData(); });
    menu_.OpenOn(*this);
}

void TradeOffPlot::Show(TradeOffData data) {
    data_ = std::move(data);
    update();
}

void TradeOffPlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    DrawTradeOff(painter, size(), data_);
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}

// The focus shows as a frame in the highlight colour around the picture.
void TradeOffPlot::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void TradeOffPlot::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

bool TradeOffPlot::HasCurves() const {
    return std::any_of(data_.curves.begin(), data_.curves.end(),
                       [](const TradeOffCurve& curve) { return !curve.points.empty(); });
}

void TradeOffPlot::CopyPicture() { QGuiApplication::clipboard()->setImage(Picture()); }

void TradeOffPlot::SavePicture() {
    const QString path =
        plot::AskSavePath(chooseFile_, *this, Text::tr("Salva grafico"), Text::tr("compromesso"),
                          {Text::tr(plot::kPngFilter), Text::tr(plot::kSvgFilter)}, true);
    if (path.isEmpty())
        return;
    if (const QString failure = SaveTradeOffPicture(path, data_, size()); !failure.isEmpty())
        app::ShowMessage(failure);
}

void TradeOffPlot::SaveData() {
    const QString path =
        plot::AskSavePath(chooseFile_, *this, Text::tr("Salva dati"), Text::tr("compromesso"),
                          {Text::tr(plot::kCsvFilter)}, false);
    if (path.isEmpty())
        return;
    if (const QString failure = WriteTradeOffCsv(path, data_, QLocale().decimalPoint());
        !failure.isEmpty())
        app::ShowMessage(failure);
}

} // namespace chooser_window
