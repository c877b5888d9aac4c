// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The plot "TradeOffPlot" of the filter chooser: the curves of trade_off.h, drawn at the
// control's size. Its context menu (a right click, the Menu key or Shift+F10 with the focus on
// it) copies the picture, saves it as PNG or SVG, and saves the curves' data as CSV, as the graph
// window's plot does; while no curves are on show its entries are disabled.

#include "chooser_window/trade_off.h"
#include "graph_window/plot_files.h"

#include <QWidget>

class QMenu;

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
    void SetSaveFileChooser(graph_window::SaveFileChooser chooser) {
        chooseFile_ = std::move(chooser);
    }

    QMenu& Menu() const { return menu_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool HasCurves() const;
    void ShowMenu(QPoint position);
    void CopyPicture();
    void SavePicture();
    void SaveData();
    QString AskSavePath(const QString& caption, const QString& name, const QStringList& filters,
                        bool picture);

    TradeOffData data_;
    QMenu& menu_;
    graph_window::SaveFileChooser chooseFile_ = graph_window::AskWithFileDialog;
};

} // namespace chooser_window
