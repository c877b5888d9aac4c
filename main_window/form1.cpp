#include "main_window/form1.h"

#include "app/control_table.h"
#include "app/images.h"
#include "app/message.h"
#include "main_window/design_command.h"
#include "main_window/form1_layout.h"
#include "main_window/graph_command.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace main_window {

namespace {

// The labels the design command writes.
constexpr const char* kResultLabels[] = {"Label25", "ExactCLabel", "StandardCLabel"};

} // namespace

Form1::Form1(app::DesignState& state, QWidget* parent) : QWidget(parent), state_(state) {
    app::BuildWindow(*this, "Form1", kForm1WidthTwips, kForm1HeightTwips, Form1Rows());
    setWindowTitle(QString::fromUtf16(app::kProgramTitle));
    app::BoundControl<QLabel>(*this, "Picture1").setPixmap(app::SchematicPicture());
    for (const app::ControlRow& row : Form1Rows())
        if (row.kind == app::ControlKind::TextBox)
            fields_.emplace(row.name, &app::BoundControl<QLineEdit>(*this, row.name));
    for (const char* name : kResultLabels)
        results_.emplace(name, &app::BoundControl<QLabel>(*this, name));

    connect(&app::BoundControl<QPushButton>(*this, "Command3"), &QPushButton::clicked, this,
            [this] { RunExampleData(*this); });
    connect(&app::BoundControl<QPushButton>(*this, "Command1"), &QPushButton::clicked, this,
            [this] { RunDesignCommand(state_, *this); });
    connect(&app::BoundControl<QPushButton>(*this, "Command2"), &QPushButton::clicked, this,
            [this] { RunGraphCommand(state_, *this); });

    // The buttons are never default: Enter in a field clicks the button of its group.
    QWidget* previous = nullptr;
    for (const FocusStop& stop : Form1FocusOrder()) {
        auto& control = app::BoundControl<QWidget>(*this, stop.control);
        if (previous)
            setTabOrder(previous, &control);
        previous = &control;
        if (stop.enterRuns)
            connect(&Field(stop.control), &QLineEdit::returnPressed,
                    &app::BoundControl<QPushButton>(*this, stop.enterRuns), &QPushButton::click);
    }
    Field(kForm1FirstFocus).setFocus();
    app::NameControls(*this, Form1Names());
    files_ = new DesignFiles(*this);
}

// The graph window has no owner, so it outlives a closed main window; it goes with this object.
Form1::~Form1() { delete graphWindow_; }

graph_window::Form2& Form1::GraphWindow() {
    if (!graphWindow_)
        graphWindow_ = new graph_window::Form2(state_);
    return *graphWindow_;
}

QString Form1::FieldText(const char* field) const { return Field(field).text(); }

void Form1::SetFieldText(const char* field, const QString& text) { Field(field).setText(text); }

void Form1::SetFieldColour(const char* field, app::Rgb colour) {
    app::SetTextColour(Field(field), colour);
}

// The label's accessible name says what it holds; the value it shows is its description.
void Form1::SetResultText(const char* label, const QString& text) {
    QLabel& result = *results_.at(label);
    result.setText(text);
    result.setAccessibleDescription(text);
}

void Form1::ShowMessage(const std::u16string& message) { app::ShowMessageText(message); }

// Set and restored without yielding: the window neither repaints nor reacts while a run takes.
void Form1::SetBusy(bool busy) {
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

} // namespace main_window
