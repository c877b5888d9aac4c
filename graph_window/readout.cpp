#include "graph_window/readout.h"

#include "app/number_text.h"

#include <cmath>

namespace {

struct TraceReading {
    double baseline;   // height of the trace's zero
    double fullScale;  // height that its largest magnitude takes
    const char* label; // before the value
    const char* unit;  // after the value
};

TraceReading ReadingOf(Trace trace) {
    switch (trace) {
    case Trace::Vi:
        return {80, 18, "Vi(t) = ", "V"};
    case Trace::Ic:
        return {60, 18, "iC(t) = ", "A"};
    default:
        return {0.1, 36, "Vo(t) = ", "V"};
    }
}

double LargestOf(Trace trace, const TraceScales& scales) {
    switch (trace) {
    case Trace::Vi:
        return scales.ViMax;
    case Trace::Ic:
        return scales.IcMax;
    default:
        return scales.VoMax;
    }
}

} // namespace

Trace TraceAtHeight(float y) {
    if (y >= 80.0f)
        return Trace::Vi;
    if (y >= 40.0f)
        return Trace::Ic;
    if (y >= 0.1f)
        return Trace::Vo;
    return Trace::None;
}

std::optional<QString> ReadoutText(Trace trace, float x, float y, std::int32_t NP, double f,
                                   const std::optional<TraceScales>& scales) {
    if (trace == Trace::None || !scales || f == 0)
        return std::nullopt;
    const TraceReading reading = ReadingOf(trace);
    const double microseconds = double(x) / 100 * NP * 1e6 / f;
    const double value =
        (double(y) - reading.baseline) * LargestOf(trace, *scales) / reading.fullScale;
    if (!std::isfinite(microseconds) || !std::isfinite(value))
        return std::nullopt;
    return QStringLiteral("t= ") + FormatNumber(microseconds, NumberPattern::Fixed2) +
           QStringLiteral("usec") + QStringLiteral(" ; ") + QString::fromLatin1(reading.label) +
           FormatNumber(value, NumberPattern::Scientific2) + QString::fromLatin1(reading.unit);
}
