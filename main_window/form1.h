// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window: design data, the computed capacitance, the verification data with the run
// settings, and the three commands "Dati Esempio", "Calcola C" and "Grafici".

#include "app/control_table.h"
#include "app/design_state.h"
#include "chooser_window/chooser_window.h"
#include "graph_window/form2.h"
#include "main_window/design_files.h"
#include "main_window/main_window_view.h"
#include "main_window/part_group.h"
#include "plot/files.h"
#include "response_window/response_window.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QWidget>

#include <optional>


class QCloseEvent;
class QLabel;
class QMenuBar;
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

    // Saving and opening designs.
    DesignFiles& Files() { return *files_; }

    // The menu bar above the controls; the controls themselves lie on Content(), which scrolls
    // when the screen is smaller than it.
    QMenuBar& MenuBar() const { return *menuBar_; }
    QWidget& Content() const { return *content_; }

    // By default a file dialog asks where "Esporta netlist SPICE…" writes; tests answer in its
    // place.
    void SetSaveFileChooser(plot::SaveFileChooser chooser) { chooseFile_ = std::move(chooser); }

protected:
    // A design changed since its last save is not closed without a question. The response and
    // chooser windows describe this window's design and write into it, so they close with it;
    // the graph window stays open until the user closes it.
    void closeEvent(QCloseEvent* event) override;

private:
    QLineEdit& Field(Form1Field field) const { return controls_.Get<QLineEdit>(field); }
    QComboBox& List(Form1Choice list) const { return controls_.Get<QComboBox>(list); }

    // What the commands see of this window.
    QString FieldText(Form1Field field) const override;
    void SetFieldText(Form1Field field, const QString& text) override;
    void SetFieldColour(Form1Field field, app::Rgb colour) override;
    int ChoiceIndex(Form1Choice list) const override;
    void SetChoiceIndex(Form1Choice list, int index) override;
    void SetResultText(Form1Label label, const QString& text) override;
    void ShowPartFor(const engine::PartDesign& design) override;
    void ShowMessage(const QString& message) override;
    void SetBusy(bool busy) override;
    app::WorkOutcome RunLongWork(const app::LongWork& work) override;

    // "File", "Strumenti" and "Aiuto"; the buttons and the design files keep the actions' work.
    QMenuBar& MakeMainMenu();

    // The part group for the last accepted design and the choices in its combos.
    void ShowPart();

    app::DesignState& state_;
    QWidget* content_;
    app::BuiltControls controls_;
    QMenuBar* menuBar_ = nullptr;
    plot::SaveFileChooser chooseFile_ = plot::AskWithFileDialog;
    QPointer<graph_window::Form2> graphWindow_;
    // The part group's controls that change.
    QLabel* standardCaption_ = nullptr;
    QLabel* standardC2Caption_ = nullptr;
    QLabel* worstRipple_ = nullptr;
    QPushButton* useSafeC_ = nullptr;
    std::optional<engine::PartDesign> partDesign_; // none before the first accepted design
    std::optional<PartPair> safePart_;             // what "Usa in verifica" writes
    DesignFiles* files_ = nullptr;

    // ---- The filter chooser ("Scegli filtro…") ----
    // Created on the first press and on the first after the user closed it, without an owner;
    // each press takes the design data again and chooses in place, bringing it forward. Closed
    // with this window.
    void OpenChooser();
    QPointer<chooser_window::ChooserWindow> chooserWindow_;

    // ---- The response window ("Risposta") ----
    // Like the graph window it has no owner and goes with this object; closed with this window.
    void ShowResponse(const response_window::ResponseInput& input) override;
    QPointer<response_window::ResponseWindow> responseWindow_;
};

} // namespace main_window
