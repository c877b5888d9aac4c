// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The window "Velmaro - Risposta del filtro": how the filter's output gets to its mean after a
// change of duty cycle (StepPlot) and what the filter does to each frequency (BodePlot), with
// their figures. It has no owner and is destroyed when closed. "Risposta" shows it for the
// circuit of the verification fields; Enter in one of its own fields computes the step again,
// the frequency plot staying as it is.
// Both plots measure as the graph window's does (zoom, pan, two cursors, the same keys and
// mouse); the keys act on the plot last pointed at or focused. A right click on a plot copies its
// picture or saves it (PNG, SVG) or its data (CSV).

#include "app/control_table.h"
#include "plot/files.h"
#include "plot/plot_menu.h"
#include "response_window/response_figures.h"

#include <QWidget>

#include <optional>

class QLabel;
class QLineEdit;

namespace plot {
class ChartPlot;
}

namespace response_window {

// Each plot of the window is a chart in the plot library's measuring frame.
using ResponsePlot = plot::ChartPlot;

class ResponseWindow : public QWidget {
    Q_OBJECT
public:
    explicit ResponseWindow(QWidget* parent = nullptr);
    ~ResponseWindow() override;

    // The window for the input: both plots and their figures computed again with the window's
    // own fields as they are typed, then the window brought forward, restored from minimized,
    // raised and active. A field of its own that cannot be taken shows its message and leaves
    // everything on show as it was.
    void ShowFor(const ResponseInput& input);

    ResponsePlot& StepPlot() const { return stepPlot_; }
    ResponsePlot& BodePlot() const { return bodePlot_; }

    // Who answers the save dialogs: a QFileDialog unless a test answers instead.
    void SetSaveFileChooser(plot::SaveFileChooser chooser) {
        chooseFile_ = std::move(chooser);
    }

private:
    // What the window's own fields give; nothing after their message.
    std::optional<StepChoice> TakeFields();
    void ShowStep(const std::optional<StepFigures>& figures, const StepChoice& choice);
    void ShowBode(const BodeFigures& figures);

    void Connect(ResponsePlot& plot, QLabel& cursors);
    void CopyPicture(ResponsePlot& plot);
    void SavePicture(ResponsePlot& plot);
    void SaveData(ResponsePlot& plot);

    app::BuiltControls controls_;
    ResponsePlot& stepPlot_;
    ResponsePlot& bodePlot_;
    QLineEdit& fromDuty_;
    QLineEdit& bits_;
    plot::PlotMenu menu_;
    ResponsePlot* menuPlot_ = nullptr; // the plot whose menu is open
    ResponsePlot* current_;            // the plot the window's keys act on
    std::optional<ResponseInput> input_; // the circuit of the plots on show
    QMetaObject::Connection focusWatch_; // the focus coming to a plot makes it the current one
    plot::SaveFileChooser chooseFile_ = plot::AskWithFileDialog;
};

} // namespace response_window
