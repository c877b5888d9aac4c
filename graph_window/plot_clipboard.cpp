// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph_window/plot_clipboard.h"

#include <charconv>

namespace graph_window {

namespace {

// The longest shortest-round-trip form of a double, "-2.2250738585072014e-308", with room.
constexpr int kMaxNumberLength = 32;

// Characters per row reserved ahead, about what a row of four 16-digit values takes.
constexpr qsizetype kTypicalRowLength = 64;

// Rows between two looks at the stop: about a millisecond's work.
constexpr std::int32_t kRowsBetweenChecks = 4096;

void AppendNumber(QString& text, double value, const QString& decimalPoint) {
    char buffer[kMaxNumberLength];
    const char* const end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    const char* point = buffer;
    while (point != end && *point != '.')
        ++point;
    text += QLatin1StringView(buffer, point);
    if (point != end) {
        text += decimalPoint;
        text += QLatin1StringView(point + 1, end);
    }
}

} // namespace

QString SamplesTable(const DrawnPlot& plot, const QString& decimalPoint,
                     engine::RunControl* control) {
    const engine::SimulatedRun* run = plot.run.get();
    if (plot.N < 1 || !run || run->N != plot.N)
        return {};
    QString text = QStringLiteral("t [s]\tVi [V]\tiC [A]\tVo [V]\n");
    text.reserve(text.size() + plot.N * kTypicalRowLength);
    for (std::int32_t i = 1; i <= plot.N; ++i) {
        if (control && i % kRowsBetweenChecks == 0) {
            control->Check();
            control->SetStep(i);
        }
        AppendNumber(text, i * plot.dt, decimalPoint);
        text += u'\t';
        AppendNumber(text, run->Vi[i], decimalPoint);
        text += u'\t';
        AppendNumber(text, run->iC[i], decimalPoint);
        text += u'\t';
        AppendNumber(text, run->Vo[i], decimalPoint);
        text += u'\n';
    }
    return text;
}

QString ResultsText(std::span<const ShownResult> results) {
    QString text;
    for (const ShownResult& result : results)
        text += result.name + u'\t' + result.value + u'\t' + result.unit + u'\n';
    return text;
}

} // namespace graph_window
