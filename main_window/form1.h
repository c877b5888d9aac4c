#pragma once

// The main window: design data, the computed capacitance, the verification data with the run
// settings, and the three commands "Dati Esempio", "Calcola C" and "Grafici".

#include "app/design_state.h"
#include "main_window/main_window_view.h"

#include <QPointer>
#include <QWidget>

class QLineEdit;
class Form2;

class Form1 : public QWidget, private MainWindowView {
    Q_OBJECT
public:
    explicit Form1(DesignState& state, QWidget* parent = nullptr);
    ~Form1() override;

    // The graph window: created, without being shown, on the first access and on the first
    // access after the user closed it.
    Form2& GraphWindow();

private:
    void PlotWaveforms(); // "Grafici"

    QLineEdit& Field(const char* name) const;

    // What the commands see of this window.
    QString FieldText(const char* field) const override;
    void SetFieldText(const char* field, const QString& text) override;
    void SetFieldColour(const char* field, QRgb colour) override;
    void SetResultCaption(const QString& caption) override;
    void ShowMessage(const std::u16string& message) override;

    DesignState& state_;
    QPointer<Form2> graphWindow_;
};
