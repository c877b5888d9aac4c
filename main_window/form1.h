#pragma once

// The main window: design data, the computed capacitance, the verification data with the run
// settings, and the three commands "Dati Esempio", "Calcola C" and "Grafici".

#include "app/design_state.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <string>

class QLineEdit;
class Form2;
struct FieldRule;
struct ValueStep;

class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(DesignState& state, QWidget* parent = nullptr);
    ~Form1() override;

    // The graph window: created, without being shown, on the first access and on the first
    // access after the user closed it.
    Form2& GraphWindow();

private:
    void ShowExampleData(); // "Dati Esempio"
    void DesignCapacitor(); // "Calcola C"
    void PlotWaveforms();   // "Grafici"

    QLineEdit& Field(const char* name) const;

    // Runs the field check on one field with the field's two messages; false when the check
    // showed a message and the command must end.
    bool FieldPasses(const FieldRule& rule);

    // The field's number times scale; empty, after a message, when the result is beyond the
    // range of a 64-bit real.
    std::optional<double> ReadScaled(const FieldRule& rule, double scale);

    // Reads, stores and tests one value; false, after a message, when the command must end.
    bool TakeValue(const ValueStep& step);

    // The field's number as a count; empty, after a message, when it is not a 32-bit count.
    std::optional<std::int32_t> ReadCount(const FieldRule& rule);

    // Shows a message about a value the command cannot accept, through MissingMsg.
    void RejectValue(const char16_t* message);

    // Writes a value into a verification field as "0.000E+00" with "." and in palette blue.
    void WriteVerificationField(const char* name, double value);

    DesignState& state_;
    QPointer<Form2> graphWindow_;
};
