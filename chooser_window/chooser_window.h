// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The window "Velmaro - Scelta del filtro": for the design of the main window, the resolution of
// the converter and the longest settling allowed, the five candidate filters side by side in
// ChooserTable, the fastest that meets the limit selected, and their trade-off curves in
// TradeOffPlot. "Usa in verifica" hands the selected row's parts to the main window. It has no
// owner and lives until the user closes it.

#include "app/control_table.h"
#include "chooser_window/filter_choice.h"
#include "chooser_window/trade_off_plot.h"

#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace chooser_window {

class ChooserWindow : public QWidget {
    Q_OBJECT
public:
    // What "Usa in verifica" does with the parts of the row selected.
    using UseFilter = std::function<void(const ChosenFilter& chosen)>;

    explicit ChooserWindow(UseFilter use, QWidget* parent = nullptr);

    // Chooses for the design with the window's own settings, as "Calcola" does: the table, its
    // selection and the plot show the new choice. When a setting is refused, after its message,
    // everything stays as it was and the answer is false.
    bool ChooseFor(const ChooserDesign& design);

    // Brought forward whatever state it was in: restored from minimized, raised and active.
    void ShowWindow();

    // The choice on show; none before the first.
    const std::optional<FilterChoice>& Choice() const { return choice_; }
    TradeOffPlot& Plot() const { return plot_; }

private:
    void Show(FilterChoice choice);
    void FitColumns();
    std::optional<std::size_t> SelectedRow() const;
    void UseSelected();

    app::BuiltControls controls_;
    QLineEdit& bits_;
    QLineEdit& time_;
    QTableWidget& table_;
    QPushButton& use_;
    QLabel& status_;
    TradeOffPlot& plot_;
    UseFilter useFilter_;
    std::optional<FilterChoice> choice_;
};

} // namespace chooser_window
