// SPDX-License-Identifier: GPL-3.0-or-later
#include "chooser_window/trade_off_plot.h"

#include "app/message.h"
#include "app/text.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QMenu>
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

TradeOffPlot::TradeOffPlot(QWidget* parent) : QWidget(parent), menu_(*new QMenu(this)) {
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(Text::tr(kPlotName));
    setAccessibleDescription(Text::tr(kPlotDescription));
    const std::pair<QString, void (TradeOffPlot::*)()> entries[] = {
        {Text::tr("Copia grafico"), &TradeOffPlot::CopyPicture},
        {Text::tr("Salva grafico…"), &TradeOffPlot::SavePicture},
        {Text::tr("Salva dati…"), &TradeOffPlot::SaveData},
    };
    for (const auto& entry : entries)
        connect(menu_.addAction(entry.first), &QAction::triggered, this, [this, act = entry.second] {
            if (HasCurves())
                (this->*act)();
        });
    menu_.insertSeparator(menu_.actions().at(1));
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, &TradeOffPlot::ShowMenu);
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

void TradeOffPlot::ShowMenu(QPoint position) {
    for (QAction* action : menu_.actions())
        action->setEnabled(HasCurves());
    menu_.popup(mapToGlobal(position));
}

void TradeOffPlot::CopyPicture() { QGuiApplication::clipboard()->setImage(Picture()); }

QString TradeOffPlot::AskSavePath(const QString& caption, const QString& name,
                                  const QStringList& filters, bool picture) {
    const graph_window::SaveAnswer answer =
        chooseFile_(*this, {caption, QDir(graph_window::LastSaveFolder()).filePath(name), filters});
    if (answer.path.isEmpty())
        return {};
    const QString path = QFileInfo(picture ? graph_window::PicturePath(answer)
                                           : graph_window::WithSuffixOf(answer))
                             .absoluteFilePath();
    graph_window::RememberSaveFolder(path);
    return path;
}

void TradeOffPlot::SavePicture() {
    const QString path = AskSavePath(
        Text::tr("Salva grafico"), Text::tr("compromesso"),
        {Text::tr(graph_window::kPngFilter), Text::tr(graph_window::kSvgFilter)}, true);
    if (path.isEmpty())
        return;
    if (const QString failure = SaveTradeOffPicture(path, data_, size()); !failure.isEmpty())
        app::ShowMessage(failure);
}

void TradeOffPlot::SaveData() {
    const QString path = AskSavePath(Text::tr("Salva dati"), Text::tr("compromesso"),
                                     {Text::tr(graph_window::kCsvFilter)}, false);
    if (path.isEmpty())
        return;
    if (const QString failure = WriteTradeOffCsv(path, data_, QLocale().decimalPoint());
        !failure.isEmpty())
        app::ShowMessage(failure);
}

} // namespace chooser_window
