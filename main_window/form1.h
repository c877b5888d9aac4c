#pragma once

// The main window: design data, the computed capacitance, the verification data with the run
// settings, and the three commands "Dati Esempio", "Calcola C" and "Grafici".

#include "app/design_state.h"
#include "graph_window/form2.h"
#include "main_window/main_window_view.h"
#include "main_window/part_group.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <map>
#include <optional>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace main_window {

class Form1 : public QWidget, private MainWindowView {
    Q_OBJECT
public:
    explicit Form1(app::DesignState& state, QWidget* parent = nullptr);
    ~Form1() override;

    // The graph window: created, without being shown, on the first access and on the first
    // access after the user closed it.
    graph_window::Form2& GraphWindow() override;

private:
    QLineEdit& Field(const char* name) const { return *fields_.at(name); }

    // What the commands see of this window.
    QString FieldText(const char* field) const override;
    void SetFieldText(const char* field, const QString& text) override;
    void SetFieldColour(const char* field, app::Rgb colour) override;
    void SetResultText(const char* label, const QString& text) override;
    void ShowPartFor(const engine::PartDesign& design) override;
    void ShowMessage(const std::u16string& message) override;
    void SetBusy(bool busy) override;

    // The part group for the last accepted design and the choices in its combos.
    void ShowPart();

    app::DesignState& state_;
    std::map<std::string, QLineEdit*, std::less<>> fields_;
    std::map<std::string, QLabel*, std::less<>> results_;
    QPointer<graph_window::Form2> graphWindow_;
    // The part group's controls that change.
    std::array<QComboBox*, 3> partCombos_{}; // series, C's tolerance, R's tolerance
    QLabel* standardCaption_ = nullptr;
    QLabel* worstRipple_ = nullptr;
    QPushButton* useSafeC_ = nullptr;
    std::optional<engine::PartDesign> partDesign_; // none before the first accepted design
    std::optional<double> safeNanofarads_;         // what "Usa in verifica" writes
};

} // namespace main_window
