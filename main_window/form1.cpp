#include "main_window/form1.h"

#include "app/control_table.h"
#include "app/images.h"
#include "app/message.h"
#include "app/number_text.h"
#include "checking/check_field.h"
#include "graph_window/form2.h"
#include "main_window/field_rules.h"
#include "main_window/form1_layout.h"


#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>

Form1::Form1(DesignState& state, QWidget* parent) : QWidget(parent), state_(state) {
    BuildWindow(*this, "Form1", kForm1WidthTwips, kForm1HeightTwips, Form1Rows());
    setWindowTitle(QString::fromUtf16(kProgramTitle));
    findChild<QLabel*>("Picture1")->setPixmap(SchematicPicture());

    connect(findChild<QPushButton*>("Command3"), &QPushButton::clicked, this,
            &Form1::ShowExampleData);
    connect(findChild<QPushButton*>("Command1"), &QPushButton::clicked, this,
            &Form1::DesignCapacitor);
    connect(findChild<QPushButton*>("Command2"), &QPushButton::clicked, this,
            &Form1::PlotWaveforms);
}

// The graph window has no owner, so it outlives a closed main window; it goes with this object.
Form1::~Form1() { delete graphWindow_; }

Form2& Form1::GraphWindow() {
    if (!graphWindow_)
        graphWindow_ = new Form2(state_);
    return *graphWindow_;
}

QLineEdit& Form1::Field(const char* name) const {
    return *findChild<QLineEdit*>(QString::fromLatin1(name));
}

bool Form1::FieldPasses(const FieldRule& rule) {
    state_.FieldText = Field(rule.field).text().toStdU16String();
    state_.MissingMsg = MissingFieldMessage(rule);
    state_.InvalidMsg = InvalidFieldMessage(rule);
    CheckField(state_, state_.FieldText, ShowMessageText);
    return state_.InputError != 1;
}

std::optional<double> Form1::ReadScaled(const FieldRule& rule, double scale) {
    const std::optional<double> reading =
        ReadFieldNumber(Field(rule.field).text().toStdU16String());
    const double scaled = reading ? *reading * scale : 0;
    if (!reading || !std::isfinite(scaled)) {
        RejectValue(UnrepresentableFieldMessage(rule).c_str());
        return std::nullopt;
    }
    return scaled;
}

bool Form1::TakeValue(const ValueStep& step) {
    const std::optional<double> value = ReadScaled(step.rule, step.scale);
    if (!value)
        return false;
    state_.*step.member = *value;
    if (step.blacken == Blacken::OnceRead)
        SetTextColour(Field(step.rule.field), kPaletteBlack);
    if (!step.accepts(state_)) {
        RejectValue(step.rejection);
        return false;
    }
    if (step.blacken == Blacken::OnceAccepted)
        SetTextColour(Field(step.rule.field), kPaletteBlack);
    return true;
}

void Form1::RejectValue(const char16_t* message) {
    state_.MissingMsg = message;
    ShowMessageText(state_.MissingMsg);
}

void Form1::ShowExampleData() {
    Field("Text1").setText("10");
    Field("Text2").setText("5");
    Field("Text3").setText("10");
    Field("Text4").setText("100");
    Field("Text6").setText("10");
}
