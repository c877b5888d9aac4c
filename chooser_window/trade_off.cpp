// SPDX-License-Identifier: GPL-3.0-or-later
#include "chooser_window/trade_off.h"

#include "app/text.h"
#include "plot/files.h"

#include <cmath>
#include <string>

namespace chooser_window {

using app::MakeRgb, app::Text;

namespace {

// One colour per candidate, in the table's order: dark enough to read on white, far apart in hue.
constexpr app::Rgb kCurveColours[] = {MakeRgb(0, 0, 200), MakeRgb(200, 0, 0), MakeRgb(0, 130, 0),
                                      MakeRgb(150, 0, 170), MakeRgb(210, 105, 0)};

// "1.5e-07" with the decimal point given: as few digits as read back to the same double.
QString Shortest(double value, const QString& decimalPoint) {
    std::string text;
    plot::AppendRoundTrip(text, value, decimalPoint.toStdString());
    return QString::fromStdString(text);
}

} // namespace

TradeOffData TradeOffOf(const FilterChoice& choice) {
    const engine::ChooserInput input = InputOf(choice.design, choice.limits.bits);
    TradeOffData data{{}, choice.limits.maxSettlingSeconds};
    constexpr int kSteps = kSweepDecades * kPointsPerDecade;
    for (std::size_t i = 0; i < choice.candidates.size(); ++i) {
        const engine::FilterCandidate& candidate = choice.candidates[i];
        TradeOffCurve curve{FilterName(candidate.k), kCurveColours[i % std::size(kCurveColours)],
                            {}, std::nullopt, engine::LeastSignificantBit(input, candidate.k)};
        if (candidate.c && candidate.worstRipple && candidate.settlingSeconds) {
            curve.chosen = CurvePoint{*candidate.c, candidate.c2, *candidate.worstRipple,
                                      *candidate.settlingSeconds};
            for (int step = 0; step <= kSteps; ++step) {
                const double c =
                    *candidate.c * std::pow(10.0, double(step - kSteps / 2) / kPointsPerDecade);
                const std::optional<engine::TradeOffPoint> point =
                    engine::TradeOffAt(input, candidate.k, c);
                if (point && Plottable(point->worstRipple) && Plottable(point->settlingSeconds))
                    curve.points.push_back(
                        {c, candidate.k ? std::optional(c / *candidate.k) : std::nullopt,
                         point->worstRipple, point->settlingSeconds});
            }
        }
        data.curves.push_back(std::move(curve));
    }
    return data;
}

QString TradeOffTable(const TradeOffData& data, const QString& decimalPoint) {
    const QString separator = plot::CsvSeparator(decimalPoint);
    const QStringList header{Text::tr("Filtro"), Text::tr("C [nF]"), Text::tr("C2 [nF]"),
                             Text::tr("Ripple peggiore [mV]"), Text::tr("Assestamento ±½ LSB [ms]")};
    QString table = header.join(separator) + u'\n';
    for (const TradeOffCurve& curve : data.curves)
        for (const CurvePoint& point : curve.points)
            table += QStringList{u'"' + curve.name + u'"', Shortest(point.c * 1e9, decimalPoint),
                                 point.c2 ? Shortest(*point.c2 * 1e9, decimalPoint) : QString(),
                                 Shortest(point.worstRipple * 1e3, decimalPoint),
                                 Shortest(point.settlingSeconds * 1e3, decimalPoint)}
                         .join(separator) +
                     u'\n';
    return table;
}

QString WriteTradeOffCsv(const QString& path, const TradeOffData& data,
                         const QString& decimalPoint) {
    return plot::WriteCsvFile(path, [&](const plot::CsvSink& sink) {
        return sink(TradeOffTable(data, decimalPoint).toStdString());
    });
}

} // namespace chooser_window
