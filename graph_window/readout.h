#pragma once

// The mouse read-out: the pointer's height picks a trace, and its position is turned back into
// the time along the plot and the value, in the trace's units, that the height stands for.

#include <QString>

#include <cstdint>
#include <optional>

enum class Trace { None, Vi, Ic, Vo };

// The trace a pointer at height y selects; None below the output-voltage baseline, where the
// selection stays as it is.
Trace TraceAtHeight(float y);

// The largest magnitudes of the plot on show, which scaled its traces.
struct TraceScales {
    double ViMax = 0, IcMax = 0, VoMax = 0;
};

// The tooltip text for a pointer at (x, y) reading trace, such as
// "t= 5000.00usec ; Vi(t) = 5.00E+00V", with the locale's decimal separator. Nothing when
// there is no reading: no trace selected, no plot, a zero frequency, or a time or value that
// is not finite.
std::optional<QString> ReadoutText(Trace trace, float x, float y, std::int32_t NP, double f,
                                   const std::optional<TraceScales>& scales);
