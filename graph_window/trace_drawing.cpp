#include "graph_window/trace_drawing.h"

#include "graph_window/plot_area.h"

#include <algorithm>
#include <utility>

namespace {

// Smallest and largest of any index range of a sample array, without scanning the range:
// a pyramid of block extremes, each level summarising kFanOut entries of the one below.
class RangeExtremes {
public:
    explicit RangeExtremes(const std::vector<double>& values) : values_(values) {
        std::size_t count = values.size();
        const Extremes* below = nullptr;
        while (count > kFanOut) {
            std::vector<Extremes> level((count + kFanOut - 1) / kFanOut);
            for (std::size_t block = 0; block < level.size(); ++block) {
                const std::size_t first = block * kFanOut;
                const std::size_t last = std::min(first + kFanOut, count);
                Extremes extremes = below ? below[first] : Extremes{values[first], values[first]};
                for (std::size_t k = first + 1; k < last; ++k)
                    extremes.Include(below ? below[k] : Extremes{values[k], values[k]});
                level[block] = extremes;
            }
            levels_.push_back(std::move(level));
            below = levels_.back().data();
            count = levels_.back().size();
        }
    }

    // Extremes of values[first..last], both included.
    std::pair<double, double> MinMax(std::size_t first, std::size_t last) const {
        Extremes extremes{values_[first], values_[first]};
        Collect(0, first, last, extremes);
        return {extremes.low, extremes.high};
    }

private:
    static constexpr std::size_t kFanOut = 32;

    struct Extremes {
        double low, high;
        void Include(const Extremes& other) {
            low = std::min(low, other.low);
            high = std::max(high, other.high);
        }
    };

    Extremes At(std::size_t level, std::size_t index) const {
        if (level == 0)
            return {values_[index], values_[index]};
        return levels_[level - 1][index];
    }

    // Whole blocks go to the level above; the ragged ends are taken entry by entry.
    void Collect(std::size_t level, std::size_t first, std::size_t last, Extremes& extremes) const {
        if (level == levels_.size() || last - first < 2 * kFanOut) {
            for (std::size_t k = first; k <= last; ++k)
                extremes.Include(At(level, k));
            return;
        }
        const std::size_t firstWhole = (first + kFanOut - 1) / kFanOut;
        const std::size_t lastWhole = (last + 1) / kFanOut; // one past
        for (std::size_t k = first; k < firstWhole * kFanOut; ++k)
            extremes.Include(At(level, k));
        for (std::size_t k = lastWhole * kFanOut; k <= last; ++k)
            extremes.Include(At(level, k));
        if (firstWhole < lastWhole)
            Collect(level + 1, firstWhole, lastWhole - 1, extremes);
    }

    const std::vector<double>& values_;
    std::vector<std::vector<Extremes>> levels_;
};

struct TraceGeometry {
    PixelMapping toPixel;
    const std::vector<double>& samples;
    double largest;
    const TraceBand& band;
    std::int32_t N, NP;

    int Row(double sample) const { return toPixel(0, BandHeight(sample, largest, band)).y(); }
    int Column(std::int32_t j, std::int32_t i) const {
        return toPixel(SampleX(j, i, N, NP), 0).x();
    }

    // The last sample from i on that lies in the same pixel column as sample i; columns grow
    // with i, so a binary search finds it.
    std::int32_t LastInColumn(std::int32_t j, std::int32_t i) const {
        const int column = Column(j, i);
        std::int32_t inside = i, beyond = N + 1;
        while (beyond - inside > 1) {
            const std::int32_t middle = inside + (beyond - inside) / 2;
            if (Column(j, middle) == column)
                inside = middle;
            else
                beyond = middle;
        }
        return inside;
    }
};

// One period: per pixel column, the segments between samples of that column are vertical and
// together cover the rows from the lowest to the highest sample; the segments that cross
// columns are drawn as they are.
void DrawPeriod(PlotArea& plot, const TraceGeometry& trace, const RangeExtremes& extremes,
                std::int32_t j) {
    QPoint previous;
    for (std::int32_t i = 1; i <= trace.N;) {
        const std::int32_t last = trace.LastInColumn(j, i);
        const int column = trace.Column(j, i);
        const auto [low, high] = extremes.MinMax(std::size_t(i), std::size_t(last));
        const QPoint first(column, trace.Row(trace.samples[i]));
        if (i > 1)
            plot.PixelLine(previous, first, trace.band.colour);
        plot.PixelLine(QPoint(column, trace.Row(high)), QPoint(column, trace.Row(low)),
                       trace.band.colour);
        previous = QPoint(column, trace.Row(trace.samples[last]));
        i = last + 1;
    }
}

// A period no wider than a fifth of a pixel: every column of the picture then holds at least
// one whole period, whose samples cover every row between the trace's extremes, and nothing
// is drawn outside those rows.
void FillEveryColumn(PlotArea& plot, const TraceGeometry& trace, const RangeExtremes& extremes) {
    const auto [low, high] = extremes.MinMax(1, std::size_t(trace.N));
    const int top = trace.Row(high), bottom = trace.Row(low);
    for (int column = 0; column < plot.Picture().width(); ++column)
        plot.PixelLine(QPoint(column, top), QPoint(column, bottom), trace.band.colour);
}

} // namespace

void DrawTrace(PlotArea& plot, const std::vector<double>& samples, double largest,
               const TraceBand& band, std::int32_t N, std::int32_t NP) {
    if (N < 2 || NP < 1 || samples.size() < std::size_t(N) + 1)
        return;
    const TraceGeometry trace{plot.Mapping(), samples, largest, band, N, NP};
    const RangeExtremes extremes(samples);
    const double periodPixels = double(plot.Picture().width() - 1) / NP;
    if (periodPixels <= 0.2) {
        FillEveryColumn(plot, trace, extremes);
        return;
    }
    for (std::int32_t j = 1; j <= NP; ++j)
        DrawPeriod(plot, trace, extremes, j);
}

void DrawTraces(PlotArea& plot, const DesignState& state) {
    DrawTrace(plot, state.Vi, state.ViMax, kViBand, state.N, state.NP);
    DrawTrace(plot, state.iC, state.IcMax, kIcBand, state.N, state.NP);
    DrawTrace(plot, state.Vo, state.VoMax, kVoBand, state.N, state.NP);
}
