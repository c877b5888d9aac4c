// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph_window/plot_clipboard.h"

#include "plot/files.h"

namespace graph_window {

using plot::AppendRoundTrip;

namespace {

// Bytes gathered before they go to the sink, and rows between two looks at the stop.
constexpr std::size_t kPieceBytes = 1 << 20;
constexpr std::int32_t kRowsBetweenChecks = 4096;

} // namespace

bool WriteSampleTable(const DrawnPlot& plot, const QString& separator, const QString& decimalPoint,
                      engine::RunControl* control,
                      const std::function<bool(const std::string& piece)>& sink) {
    const engine::SimulatedRun* run = plot.run.get();
    const std::int32_t N = run && run->N == plot.N ? plot.N : 0;
    const std::string point = decimalPoint.toStdString();
    const std::string between = separator.toStdString();
    std::string piece;
    piece.reserve(kPieceBytes + 256);
    for (const char* title : {"t [s]", "Vi [V]", "iC [A]", "Vo [V]"})
        piece += (piece.empty() ? "" : between) + title;
    piece += '\n';
    for (std::int32_t i = 1; i <= N; ++i) {
        if (control && i % kRowsBetweenChecks == 0) {
            control->Check();
            control->SetStep(i);
        }
        AppendRoundTrip(piece, i * plot.dt, point);
        piece += between;
        AppendRoundTrip(piece, run->Vi[i], point);
        piece += between;
        AppendRoundTrip(piece, run->iC[i], point);
        piece += between;
        AppendRoundTrip(piece, run->Vo[i], point);
        piece += '\n';
        if (piece.size() >= kPieceBytes) {
            if (!sink(piece))
                return false;
            piece.clear();
        }
    }
    return sink(piece);
}

QString SamplesTable(const DrawnPlot& plot, const QString& decimalPoint,
                     engine::RunControl* control) {
    if (plot.N < 1 || !plot.run || plot.run->N != plot.N)
        return {};
    std::string table;
    WriteSampleTable(plot, QStringLiteral("\t"), decimalPoint, control,
                     [&table](const std::string& piece) {
                         table += piece;
                         return true;
                     });
    return QString::fromStdString(table);
}

QString ResultsText(std::span<const ShownResult> results) {
    QString text;
    for (const ShownResult& result : results)
        text += result.name + u'\t' + result.value + u'\t' + result.unit + u'\n';
    return text;
}

QString WriteSamplesCsv(const QString& path, const DrawnPlot& plot, const QString& decimalPoint,
                        engine::RunControl* control) {
    return plot::WriteCsvFile(path, [&](const plot::CsvSink& sink) {
        return WriteSampleTable(plot, plot::CsvSeparator(decimalPoint), decimalPoint, control,
                                sink);
    });
}

} // namespace graph_window
