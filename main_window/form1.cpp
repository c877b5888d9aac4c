// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/form1.h"

#include "app/control_table.h"
#include "app/images.h"
#include "app/message.h"
#include "app/text.h"
#include "main_window/chooser_command.h"
#include "main_window/design_command.h"
#include "main_window/field_rules.h"
#include "main_window/form1_controls.h"
#include "main_window/graph_command.h"
#include "main_window/recent_files.h"
#include "main_window/response_command.h"
#include "main_window/schematic.h"
#include "plot/window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

namespace main_window {

namespace {

// The window's lists, its only controls of their kind: the filter's order and the part group's.
QWidget* MakeList(const app::ControlRow& row, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    if (app::SameText(row.name, kOrderList.Name()))
        for (const char* text : kOrderTexts)
            combo->addItem(app::Text::tr(text));
    for (const PartCombo& list : kPartCombos)
        if (app::SameText(list.combo.Name(), row.name)) {
            for (const char* text : list.texts)
                combo->addItem(QString::fromUtf8(text));
            combo->setCurrentIndex(list.first);
        }
    return combo;
}

// Builds the window's content from its table, on a page of its own below the menu bar.
QWidget* BuiltContent(QWidget& window) {
    auto* content = new QWidget(&window);
    app::BuildWindow(*content, "Form1", kForm1WidthTwips, kForm1HeightTwips, kForm1Rows,
                     MakeList);
    content->setObjectName(QStringLiteral("Form1Content"));
    window.setObjectName(QStringLiteral("Form1"));
    window.setWindowIcon(content->windowIcon());
    return content;
}

// The keys under which the other windows' places are kept.
const QString kGraphPlace = QStringLiteral("Form2");
const QString kResponsePlace = QStringLiteral("ResponseWindow");
const QString kChooserPlace = QStringLiteral("ChooserWindow");

// A new window goes where it was last, on a screen present; the first time, beside the main
// window's buttons. Its place is kept whenever it goes out of sight.
void ComeBackToPlace(QWidget& window, const QString& key, const QWidget& main) {
    if (!RestorePlace(window, key))
        plot::PlaceBesideButtons(window, main);
    KeepPlaceWhenHidden(window, key);
}

} // namespace

Form1::Form1(app::DesignState& state, QWidget* parent)
    : QWidget(parent), state_(state), content_(BuiltContent(*this)),
      controls_(*content_, kForm1Rows) {
    setWindowTitle(app::ProgramTitle());
    new SchematicView(app::BoundControl<QLabel>(Content(), kSchematicPicture), List(kOrderList),
                      Field(kDesignLoad.field), this);

    connect(&app::BoundControl<QPushButton>(Content(), kExampleButton), &QPushButton::clicked, this,
            [this] { RunExampleData(*this); });
    connect(&app::BoundControl<QPushButton>(Content(), kDesignButton), &QPushButton::clicked, this,
            [this] { RunDesignCommand(state_, *this); });
    connect(&app::BoundControl<QPushButton>(Content(), kGraphButton), &QPushButton::clicked, this,
            [this] {
                app::CommandInProgress command;
                RunGraphCommand(state_, *this);
            });

    // A new choice shows the part for the last accepted design at once. Each combo's caption
    // labels it for a screen reader, which takes a combo's name from its label on Linux.
    for (const PartCombo& list : kPartCombos) {
        connect(&List(list.combo), &QComboBox::currentIndexChanged, this, [this] { ShowPart(); });
        controls_.Get<QLabel>(list.caption).setBuddy(&List(list.combo));
    }
    standardCaption_ = &app::BoundControl<QLabel>(Content(), kStandardCCaption);
    standardC2Caption_ = &app::BoundControl<QLabel>(Content(), kStandardC2Caption);
    worstRipple_ = &app::BoundControl<QLabel>(Content(), kWorstRippleLabel);
    useSafeC_ = &app::BoundControl<QPushButton>(Content(), kUseSafeCButton);
    connect(useSafeC_, &QPushButton::clicked, this, [this] {
        if (!safePart_)
            return;
        UseInVerification(*this, *safePart_);
        Field(kVerifyC.field).setFocus();
    });

    // The buttons are never default: Enter in a field clicks the button of its group.
    QWidget* previous = nullptr;
    for (const FocusStop& stop : Form1FocusOrder()) {
        auto& control = app::BoundControl<QWidget>(Content(), stop.control);
        if (previous)
            setTabOrder(previous, &control);
        previous = &control;
        if (stop.enterRuns)
            connect(&app::BoundControl<QLineEdit>(Content(), stop.control), &QLineEdit::returnPressed,
                    &app::BoundControl<QPushButton>(Content(), stop.enterRuns), &QPushButton::click);
    }
    Field(Form1Field(kForm1FirstFocus)).setFocus();
    app::NameControls(Content(), Form1Names());
    ShowPart();
    files_ = new DesignFiles(*this, *this);
    menuBar_ = &MakeMainMenu();
    plot::ScrollWhenSmall(*this, *content_, menuBar_);
    RestorePlace(*this, QStringLiteral("Form1"));
    Field(Form1Field(kForm1FirstFocus)).setFocus(); // again, the content having moved

    // k belongs to the second stage.
    QLineEdit& stageRatio = Field(kDesignStageRatio.field);
    stageRatio.setToolTip(tr("R2 = k·R, C2 = C/k"));
    stageRatio.setEnabled(false);
    connect(&List(kOrderList), &QComboBox::currentIndexChanged, this,
            [&stageRatio](int index) { stageRatio.setEnabled(index == 1); });

    // The part group describes the design of the last "Calcola C": a design opened, or any
    // design field changed, leaves it empty until the next.
    const auto forget = [this] {
        partDesign_.reset();
        ShowPart();
    };
    for (const FieldRule& rule : {kDesignE, kDesignVom, kDesignF, kDesignDeltaVo, kDesignR,
                                  kDesignStageRatio, kDesignLoad})
        connect(&Field(rule.field), &QLineEdit::textChanged, this, forget);
    connect(&List(kOrderList), &QComboBox::currentIndexChanged, this, forget);
    connect(files_, &DesignFiles::Opened, this, forget);

    // ---- The filter chooser ----
    connect(&app::BoundControl<QPushButton>(Content(), kChooserButton), &QPushButton::clicked, this,
            &Form1::OpenChooser);

    // ---- "Risposta" ----
    connect(&app::BoundControl<QPushButton>(Content(), kResponseButton), &QPushButton::clicked, this,
            [this] {
                app::CommandInProgress command;
                RunResponseCommand(state_, *this);
            });
}

// The graph window has no owner, so it outlives a closed main window; it goes with this object.
Form1::~Form1() {
    delete graphWindow_;
    delete responseWindow_;
}

void Form1::closeEvent(QCloseEvent* event) {
    if (!files_->MayDiscard()) {
        event->ignore();
        return;
    }
    KeepPlace(*this, QStringLiteral("Form1"));
    if (graphWindow_ && graphWindow_->isVisible())
        KeepPlace(*graphWindow_, kGraphPlace);
    QWidget::closeEvent(event);
    if (!event->isAccepted())
        return;
    if (responseWindow_)
        responseWindow_->close();
    if (chooserWindow_)
        chooserWindow_->close();
}

graph_window::Form2& Form1::GraphWindow() {
    if (!graphWindow_) {
        graphWindow_ = new graph_window::Form2();
        ComeBackToPlace(*graphWindow_, kGraphPlace, *this);
    }
    return *graphWindow_;
}

// ---- The response window ----

void Form1::ShowResponse(const response_window::ResponseInput& input) {
    if (!responseWindow_) {
        responseWindow_ = new response_window::ResponseWindow();
        ComeBackToPlace(*responseWindow_, kResponsePlace, *this);
    }
    responseWindow_->ShowFor(input);
}

QString Form1::FieldText(Form1Field field) const { return Field(field).text(); }

void Form1::SetFieldText(Form1Field field, const QString& text) { Field(field).setText(text); }

void Form1::SetFieldColour(Form1Field field, app::Rgb colour) {
    app::SetTextColour(Field(field), colour);
}

int Form1::ChoiceIndex(Form1Choice list) const { return List(list).currentIndex(); }

void Form1::SetChoiceIndex(Form1Choice list, int index) { List(list).setCurrentIndex(index); }

void Form1::SetResultText(Form1Label label, const QString& text) {
    app::SetResultText(controls_.Get<QLabel>(label), text);
}

void Form1::ShowPartFor(const engine::PartDesign& design) {
    partDesign_ = design;
    ShowPart();
}

void Form1::ShowPart() {
    const PartGroupTexts texts = PartTextsFor(
        partDesign_, PartChoiceAt(ChoiceIndex(kPartCombos[0].combo), ChoiceIndex(kPartCombos[1].combo),
                                  ChoiceIndex(kPartCombos[2].combo)));
    // The standard parts' captions follow the series, and so do their names for a screen reader.
    standardCaption_->setText(texts.standardCaption);
    standardC2Caption_->setText(texts.standardC2Caption);
    const app::NamingRow standardNames[] = {
        {kStandardCLabel.Name(), {kStandardCCaption.Name()}, app::CheckedName<kForm1Rows>("StandardCUnit")},
        {kStandardC2Label.Name(), {kStandardC2Caption.Name()}, app::CheckedName<kForm1Rows>("StandardC2Unit")}};
    app::NameControls(Content(), standardNames);
    SetResultText(kStandardCLabel, texts.standardC);
    SetResultText(kStandardC2Label, texts.standardC2);
    SetResultText(kWorstRippleLabel, texts.worstRipple);
    app::SetTextColour(*worstRipple_, texts.worstRippleColour);
    SetResultText(kSafeCLabel, texts.safeC);
    SetResultText(kSafeC2Label, texts.safeC2);
    safePart_ = texts.safe;
    useSafeC_->setEnabled(texts.safe.has_value());
}

void Form1::ShowMessage(const QString& message) { app::ShowMessage(message); }

// The busy cursor stays on while a run goes on behind its progress dialog: the arrow with it
// still presses the dialog's button.
void Form1::SetBusy(bool busy) {
    if (busy)
        QApplication::setOverrideCursor(Qt::BusyCursor);
    else
        QApplication::restoreOverrideCursor();
}

app::WorkOutcome Form1::RunLongWork(const app::LongWork& work) { return app::RunWithProgress(work); }

// ---- The filter chooser ----

// A refused design field leaves the chooser as it was, unopened or showing its last choice.
void Form1::OpenChooser() {
    const std::optional<chooser_window::ChooserDesign> design = RunChooserCommand(state_, *this);
    if (!design)
        return;
    if (!chooserWindow_) {
        auto* window = new chooser_window::ChooserWindow(
            [this](const chooser_window::ChosenFilter& chosen) { UseChosenFilter(*this, chosen); },
            [this] { return RunChooserCommand(state_, *this); });
        // It has no owner; it goes with this object.
        connect(this, &QObject::destroyed, window, [window] { delete window; });
        chooserWindow_ = window;
        ComeBackToPlace(*window, kChooserPlace, *this);
    }
    chooserWindow_->ChooseFor(*design);
    chooserWindow_->ShowWindow();
}

} // namespace main_window
