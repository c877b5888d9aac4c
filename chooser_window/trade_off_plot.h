// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The plot "TradeOffPlot" of the filter chooser: the curves of trade_off.h, drawn at the
// control's size. Its context menu (a right click, the Menu key or Shift+F10 with the focus on
// it) copies the picture, saves it as PNG or SVG, and saves the curves' data as CSV, as the graph
// window's plot does; while no curves are on show its entries are disabled.

#include "chooser_window/trade_off_drawing.h"
#include "plot/files.h"
#include "plot/plot_menu.h"

#include <QWidget>

namespace chooser_window {

class TradeOffPlot : public QWidget {
    Q_OBJECT
public:
    explicit TradeOffPlot(QWidget* parent = nullptr);

    // The curves to show, from now on.
    void Show(TradeOffData data);
    const TradeOffData& Data() const { return data_; }

    // The picture on show, at the control's size.
    QImage Picture() const { return TradeOffImage(data_, size()); }

    // Who answers the save dialogs: a QFileDialog unless a test answers instead.
    void SetSaveFileChooser(plot::SaveFileChooser chooser) {
        chooseFile_ = std::move(chooser);
    }

    QMenu& Menu() const { return menu_.Menu(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool HasCurves() const;
    void CopyPicture();
    void SavePicture();
    void SaveData();

    TradeOffData data_;
    plot::PlotMenu menu_;
    plot::SaveFileChooser chooseFile_ = plot::AskWithFileDialog;
};

} // namespace chooser_window
