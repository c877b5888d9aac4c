#pragma once

// What the commands see of the main window: the texts and colours of its fields, the result
// label, and the message box. Form1 is the real one; a test or a fuzz target can stand in for
// it, so the commands run apart from any widget.

#include <QRgb>
#include <QString>

#include <string>

class MainWindowView {
public:
    virtual QString FieldText(const char* field) const = 0;
    virtual void SetFieldText(const char* field, const QString& text) = 0;
    virtual void SetFieldColour(const char* field, QRgb colour) = 0;
    virtual void SetResultCaption(const QString& caption) = 0; // Label25, C in nF
    virtual void ShowMessage(const std::u16string& message) = 0;

protected:
    ~MainWindowView() = default;
};
