// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The graph window "Forme d'onda reali": the plot area, the three trace selectors, the
// simulated ripple and mean, and the instruction line. It lives until the user closes it.
// Ctrl+C copies the plot as a picture; the plot's context menu copies the picture, one period's
// samples or the results, all of the plot on show, saves the picture or the samples to a file,
// and fits the bands to the span on show. The plot measures: zoom, pan, fit and two cursors
// (plot_area.h, plot_view.h), with the keys as shortcuts of the window and the cursors' readings
// in CursorLabel.

#include "app/control_table.h"
#include "graph_window/graph_window_view.h"
#include "plot/files.h"
#include "plot/plot_menu.h"

#include <QWidget>

#include <array>
#include <vector>

class QAction;
class QLabel;
class QRadioButton;

namespace graph_window {

class PlotArea;

class Form2 : public QWidget, public GraphWindowView {
    Q_OBJECT
public:
    explicit Form2(QWidget* parent = nullptr);

    PlotArea& Plot() const { return plot_; }

    // What the graph command and the read-out see of this window.
    void ShowWindow() override;
    PlotPicture& PlotSurface() override;
    void SetPlotToolTip(const QString& text) override;
    void SetResultText(Form2Label label, const QString& text) override;
    void SetResultColour(Form2Label label, app::Rgb colour) override;
    Trace SelectedTrace() const override;
    void SelectTrace(Trace trace) override;

    // Who answers the save dialogs: a QFileDialog unless a test answers instead.
    void SetSaveFileChooser(plot::SaveFileChooser chooser) { chooseFile_ = std::move(chooser); }

private:
    // A result row's labels; unit is null for a result without a unit.
    struct ResultLabels {
        QLabel* name;
        QLabel* value;
        QLabel* unit;
    };

    QRadioButton& Option(Trace trace) const;

    bool HasPlot() const;
    void CopyPicture();
    void CopySamples();
    void CopyResults();
    void SavePicture();
    void SaveSamples();
    // The file to save to, asked with the filters given; empty when the user gave up. A picture's
    // name keeps the suffix of a format the program writes (PicturePath).
    QString AskSavePath(const QString& caption, const QString& name, const QStringList& filters,
                        bool picture);
    void ShowView();

    app::BuiltControls controls_;
    PlotArea& plot_;
    std::vector<ResultLabels> resultRows_;
    std::array<QRadioButton*, 3> options_; // Vi, iC, Vo
    plot::PlotMenu plotMenu_;
    QLabel& cursorLabel_;
    QAction* fitAction_ = nullptr;
    plot::SaveFileChooser chooseFile_ = plot::AskWithFileDialog;
};

} // namespace graph_window
