// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The window "Velmaro - Scelta del filtro": for the design of the main window, the resolution of
// the converter and the longest settling allowed, the five candidate filters side by side in
// ChooserTable, the fastest that meets the limit selected, and their trade-off curves in
// TradeOffPlot. "Calcola" takes the design again from the main window, and "Usa in verifica"
// hands the selected row's parts, with the duty cycle that reaches Vom through them, to the main
// window. It has no owner and lives until the user closes it.

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
    // Where "Calcola" takes the design from: the main window's fields as they are now, or nothing
    // after the one message that refuses them. Without one, "Calcola" keeps the last design.
    using ReadDesign = std::function<std::optional<ChooserDesign>()>;

    explicit ChooserWindow(UseFilter use, ReadDesign read = {}, QWidget* parent = nullptr);

    // Chooses for the design with the window's own settings: the table, its selection and the
    // plot show the new choice. When a setting is refused, after its message, everything stays
    // as it was and the answer is false.
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
    ReadDesign readDesign_;
    std::optional<FilterChoice> choice_;
};

} // namespace chooser_window
