#include "main_window/form1.h"

#include "app/control_table.h"
#include "app/images.h"
#include "app/message.h"
#include "graph_window/form2.h"
#include "graph_window/simulate_and_plot.h"
#include "main_window/design_command.h"
#include "main_window/form1_layout.h"
#include "main_window/graph_command.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr char16_t kNoMemory[] = u"Memoria insufficiente per simulare questo numero di campioni N!";
constexpr char16_t kNotRepresentable[] =
    u"La simulazione ha dato valori fuori dall'intervallo dei numeri rappresentabili: "
    u"controlla i dati di verifica!";

// The wait cursor for as long as the run and the drawing take; set without yielding.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

Form1::Form1(DesignState& state, QWidget* parent) : QWidget(parent), state_(state) {
    BuildWindow(*this, "Form1", kForm1WidthTwips, kForm1HeightTwips, Form1Rows());
    setWindowTitle(QString::fromUtf16(kProgramTitle));
    findChild<QLabel*>("Picture1")->setPixmap(SchematicPicture());

    connect(findChild<QPushButton*>("Command3"), &QPushButton::clicked, this,
            [this] { RunExampleData(*this); });
    connect(findChild<QPushButton*>("Command1"), &QPushButton::clicked, this,
            [this] { RunDesignCommand(state_, *this); });
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

void Form1::PlotWaveforms() {
    if (!TakeGraphSettings(state_, *this))
        return;
    Form2& graph = GraphWindow();
    graph.BlankPlot();
    PlotOutcome outcome;
    {
        WaitCursor wait;
        outcome = SimulateAndPlot(graph, state_);
    }
    // Through MissingMsg, as every message about a value the command cannot use.
    if (outcome != PlotOutcome::Drawn) {
        state_.MissingMsg = outcome == PlotOutcome::NoMemory ? kNoMemory : kNotRepresentable;
        return ShowMessage(state_.MissingMsg);
    }
    graph.ShowResults(state_.DeltaVoVera, state_.VomVera);
}

QLineEdit& Form1::Field(const char* name) const {
    return *findChild<QLineEdit*>(QString::fromLatin1(name));
}

QString Form1::FieldText(const char* field) const { return Field(field).text(); }

void Form1::SetFieldText(const char* field, const QString& text) { Field(field).setText(text); }

void Form1::SetFieldColour(const char* field, QRgb colour) { SetTextColour(Field(field), colour); }

void Form1::SetResultCaption(const QString& caption) {
    findChild<QLabel*>("Label25")->setText(caption);
}

void Form1::ShowMessage(const std::u16string& message) { ShowMessageText(message); }
