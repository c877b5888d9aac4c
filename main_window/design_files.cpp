// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/design_files.h"

#include "app/message.h"
#include "app/palette.h"
#include "main_window/field_rules.h"
#include "main_window/form1_controls.h"
#include "main_window/part_group.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

#include <optional>
#include <span>
#include <vector>

namespace main_window {

namespace {

// What the file keeps of the window, section by section: each field's text as typed, and each
// list's choice by a stable text.
struct FileEntry {
    const char* section;
    const char* key;
    std::optional<Form1Field> field;
    std::optional<Form1Choice> list;
    std::span<const char* const> choices = {};      // a list's stable texts
    std::span<const char* const> firstVersion = {}; // the texts version 1 files kept
    int first = 0;                                  // where a list starts
};

constexpr const char* kOrderKeys[] = {"1", "2"};

// clang-format off
constexpr FileEntry kFileEntries[] = {
    {"design", "E", kDesignE.field, {}},         {"design", "Vom", kDesignVom.field, {}},
    {"design", "f", kDesignF.field, {}},         {"design", "DeltaVo", kDesignDeltaVo.field, {}},
    {"design", "R", kDesignR.field, {}},
    {"design", "order", {}, kOrderList, kOrderKeys},
    {"design", "k", kDesignStageRatio.field, {}}, {"design", "RL", kDesignLoad.field, {}},
    {"verification", "E", kVerifyE.field, {}},   {"verification", "f", kVerifyF.field, {}},
    {"verification", "D", kVerifyD.field, {}},   {"verification", "R", kVerifyR.field, {}},
    {"verification", "C", kVerifyC.field, {}},  {"verification", "N", kSamples.field, {}},
    {"verification", "NP", kPeriodsDrawn.field, {}}, {"verification", "NI", kPeriodsSimulated.field, {}},
    {"verification", "R2", kVerifyR2.field, {}}, {"verification", "C2", kVerifyC2.field, {}},
    {"verification", "RL", kVerifyLoad.field, {}},
    {"part", "series", {}, kPartCombos[0].combo, kPartCombos[0].fileTexts, kPartCombos[0].texts,
     kPartCombos[0].first},
    {"part", "CTolerance", {}, kPartCombos[1].combo, kPartCombos[1].fileTexts,
     kPartCombos[1].texts, kPartCombos[1].first},
    {"part", "RTolerance", {}, kPartCombos[2].combo, kPartCombos[2].fileTexts,
     kPartCombos[2].texts, kPartCombos[2].first},
};
// clang-format on

QString AskWithDialog(QWidget& window, FileQuestion question, const QString& start) {
    const bool open = question == FileQuestion::Open;
    QFileDialog dialog(&window,
                       open ? DesignFiles::tr("Apri progetto") : DesignFiles::tr("Salva progetto come"),
                       start);
    dialog.setNameFilters(
        {DesignFiles::tr("Progetti Velmaro (*.velmaro)"), DesignFiles::tr("Tutti i file (*)")});
    if (open) {
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QString::fromLatin1(app::kDesignFileSuffix));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

app::DesignFileSchema DesignFileKeys() {
    static const std::vector<app::DesignFileKey> keys = [] {
        std::vector<app::DesignFileKey> made;
        for (const FileEntry& entry : kFileEntries)
            made.push_back({entry.section, entry.key,
                            entry.field ? kForm1Rows[entry.field->Index()].text
                                        : entry.choices[std::size_t(entry.first)],
                            entry.choices, entry.firstVersion});
        return made;
    }();
    return keys;
}

app::DesignFile DesignOfView(const MainWindowView& view) {
    app::DesignFile design;
    for (const FileEntry& entry : kFileEntries) {
        if (entry.field) {
            design.texts.push_back(view.FieldText(*entry.field));
            continue;
        }
        const int index = view.ChoiceIndex(*entry.list);
        const bool within = index >= 0 && std::size_t(index) < entry.choices.size();
        design.texts.push_back(QString::fromUtf8(entry.choices[std::size_t(within ? index : entry.first)]));
    }
    return design;
}

void ShowDesignInView(MainWindowView& view, const app::DesignFile& design) {
    // The figures "Calcola C" showed described the design before; none stays beside this one.
    for (const Form1Label label : {kDesignCLabel, kExactCLabel, kExactC2Label})
        view.SetResultText(label, QString());
    for (std::size_t i = 0; i < std::size(kFileEntries) && i < design.texts.size(); ++i) {
        const FileEntry& entry = kFileEntries[i];
        if (entry.field) {
            view.SetFieldText(*entry.field, design.texts[i]);
            view.SetFieldColour(*entry.field, app::kPaletteBlack);
            continue;
        }
        for (std::size_t index = 0; index < entry.choices.size(); ++index)
            if (design.texts[i] == QString::fromUtf8(entry.choices[index]))
                view.SetChoiceIndex(*entry.list, int(index));
    }
}

DesignFiles::DesignFiles(QWidget& window, MainWindowView& view)
    : QObject(&window), window_(window), view_(view), menu_(*new QMenu(&window)),
      ask_([&window](FileQuestion question, const QString& start) {
          return AskWithDialog(window, question, start);
      }) {
    const struct {
        QString text;
        QKeySequence keys;
        bool (DesignFiles::*run)();
    } entries[] = {
        {tr("Apri progetto…"), QKeySequence(Qt::CTRL | Qt::Key_O), &DesignFiles::OpenAsked},
        {tr("Salva progetto"), QKeySequence(Qt::CTRL | Qt::Key_S), &DesignFiles::Save},
        {tr("Salva progetto come…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
         &DesignFiles::SaveAs},
    };
    for (const auto& entry : entries) {
        QAction* action = menu_.addAction(entry.text);
        action->setShortcut(entry.keys);
        window_.addAction(action);
        connect(action, &QAction::triggered, this, [this, run = entry.run] { (this->*run)(); });
    }
    // The fields keep their own menu; the labels and the background pass the click to the window.
    window_.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&window_, &QWidget::customContextMenuRequested, this, &DesignFiles::ShowMenu);
}

void DesignFiles::ShowMenu(const QPoint& position) { menu_.popup(window_.mapToGlobal(position)); }

bool DesignFiles::OpenAsked() {
    const QString path = ask_(FileQuestion::Open, currentFile_);
    return !path.isEmpty() && Open(path);
}

bool DesignFiles::Open(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const app::DesignFileReading reading = app::ReadDesignFile(absolute, DesignFileKeys());
    if (!reading.design) {
        app::ShowMessage(reading.problem);
        return false;
    }
    ShowDesignInView(view_, *reading.design);
    currentFile_ = absolute;
    emit Opened();
    return true;
}

bool DesignFiles::Save() { return currentFile_.isEmpty() ? SaveAs() : SaveTo(currentFile_); }

bool DesignFiles::SaveAs() {
    const QString path = ask_(FileQuestion::SaveAs, currentFile_);
    return !path.isEmpty() && SaveTo(QFileInfo(path).absoluteFilePath());
}

bool DesignFiles::SaveTo(const QString& path) {
    const QString failure = app::WriteDesignFile(path, DesignOfView(view_), DesignFileKeys());
    if (!failure.isEmpty()) {
        app::ShowMessage(failure);
        return false;
    }
    currentFile_ = path;
    return true;
}

} // namespace main_window
