#pragma once

// The main window: design data, the computed capacitance, the verification data with the run
// settings, and the three commands "Dati Esempio", "Calcola C" and "Grafici".

#include "app/control_table.h"
#include "app/design_state.h"
#include "graph_window/form2.h"
#include "main_window/main_window_view.h"

#include <QLineEdit>
#include <QPointer>
#include <QWidget>

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
    QLineEdit& Field(Form1Field field) const { return controls_.Get<QLineEdit>(field); }

    // What the commands see of this window.
    QString FieldText(Form1Field field) const override;
    void SetFieldText(Form1Field field, const QString& text) override;
    void SetFieldColour(Form1Field field, app::Rgb colour) override;
    void SetResultText(Form1Label label, const QString& text) override;
    void ShowMessage(const std::u16string& message) override;
    void SetBusy(bool busy) override;
    app::WorkEnd RunLongWork(const app::LongWork& work) override;

    app::DesignState& state_;
    app::BuiltControls controls_;
    QPointer<graph_window::Form2> graphWindow_;
};

} // namespace main_window
