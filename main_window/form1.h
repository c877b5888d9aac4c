#pragma once

// The main window: design data, the computed capacitance, the verification data with the run
// settings, and the three commands "Dati Esempio", "Calcola C" and "Grafici".

#include "app/design_state.h"
#include "graph_window/form2.h"
#include "main_window/design_files.h"
#include "main_window/main_window_view.h"

#include <QPointer>
#include <QWidget>

#include <map>
#include <string>

class QLabel;
class QLineEdit;

namespace main_window {

class Form1 : public QWidget, private MainWindowView {
    Q_OBJECT
public:
    explicit Form1(app::DesignState& state, QWidget* parent = nullptr);
    ~Form1() override;

    // The graph window: created, without being shown, on the first access and on the first
    // access after the user closed it.
    graph_window::Form2& GraphWindow() override;

    // Saving and opening designs.
    DesignFiles& Files() { return *files_; }

private:
    QLineEdit& Field(const char* name) const { return *fields_.at(name); }

    // What the commands see of this window.
    QString FieldText(const char* field) const override;
    void SetFieldText(const char* field, const QString& text) override;
    void SetFieldColour(const char* field, app::Rgb colour) override;
    void SetResultText(const char* label, const QString& text) override;
    void ShowMessage(const std::u16string& message) override;
    void SetBusy(bool busy) override;

    app::DesignState& state_;
    std::map<std::string, QLineEdit*, std::less<>> fields_;
    std::map<std::string, QLabel*, std::less<>> results_;
    QPointer<graph_window::Form2> graphWindow_;
    DesignFiles* files_ = nullptr;
};

} // namespace main_window
