#pragma once

// The graph window "Forme d'onda reali": the plot area, the three trace selectors, the
// simulated ripple and mean, and the instruction line. It lives until the user closes it.

#include "app/design_state.h"
#include "graph_window/readout.h"

#include <QWidget>

#include <optional>

class PlotArea;
class QRadioButton;

class Form2 : public QWidget {
    Q_OBJECT
public:
    explicit Form2(DesignState& state, QWidget* parent = nullptr);

    PlotArea& Plot() const;

    // Gives the plot area the empty picture: background colour, nothing drawn.
    void BlankPlot();

    // The scales of the traces on show, which the read-out inverts; nothing while no plot
    // has been completed.
    void SetTraceScales(const std::optional<TraceScales>& scales) { traceScales_ = scales; }

    // The simulated ripple (mV) and mean output (V), as the result labels show them.
    void ShowResults(double rippleMillivolts, double meanVolts);

private:
    void ReadPointer(float x, float y);
    QRadioButton& Option(Trace trace) const;
    Trace SelectedTrace() const;

    DesignState& state_;
    std::optional<TraceScales> traceScales_;
};
