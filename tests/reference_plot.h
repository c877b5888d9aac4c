// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The traces drawn the plain way, to hold the fast drawing against: for every period, every
// segment from sample i to i+1 of each trace with its own call, Vi, iC, Vo in turn.

#include "app/palette.h"
#include "graph_window/plot_picture.h"
#include "tests/reference_simulation.h"

// The tick marks and the three baselines, as every plot starts.
inline void DrawTicksAndBaselines(graph_window::PlotPicture& plot) {
    for (int y = 100; y >= 5; y -= 5)
        plot.Line(0, float(y), 0.2f, float(y));
    for (int x = 0; x <= 100; x += 25)
        plot.Line(float(x), 0, float(x), 0.5f);
    plot.Line(0, 80, 100, 80, app::kRed);
    plot.Line(0, 60, 100, 60, app::kGreen);
    plot.Line(0, 0.1f, 100, 0.1f, app::kBlue);
}

inline void DrawTracesSegmentBySegment(graph_window::PlotPicture& plot,
                                       const test_state::SimulatedState& s) {
    const std::int32_t NP = s.NP;
    for (std::int32_t j = 1; j <= NP; ++j) {
        const std::int32_t lastSegment = s.N - 1;
        for (std::int32_t i = 1; i <= lastSegment; ++i) {
            const double x1 = (100.0 / NP) * (j - 1) + ((100.0 / NP) * i) / s.N;
            const double x2 = (100.0 / NP) * (j - 1) + ((100.0 / NP) * (i + 1)) / s.N;
            plot.Line(float(x1), float((s.Vi[i] * 18) / s.ViMax + 80), float(x2),
                      float((s.Vi[i + 1] * 18) / s.ViMax + 80), app::kRed);
            plot.Line(float(x1), float((s.iC[i] * 18) / s.IcMax + 60), float(x2),
                      float((s.iC[i + 1] * 18) / s.IcMax + 60), app::kGreen);
            plot.Line(float(x1), float((s.Vo[i] * 36) / s.VoMax + 0.1), float(x2),
                      float((s.Vo[i + 1] * 36) / s.VoMax + 0.1), app::kBlue);
        }
    }
}
