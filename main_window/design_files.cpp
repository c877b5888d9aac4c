// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/design_files.h"

#include "app/message.h"
#include "app/palette.h"
#include "app/text.h"
#include "main_window/field_rules.h"
#include "main_window/form1_controls.h"
#include "main_window/part_group.h"
#include "main_window/recent_files.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
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

// The design's name in the title and the question: its file's, or "Senza nome" before the first
// open or save.
QString DesignNameShown(const QString& path) {
    return path.isEmpty() ? DesignFiles::tr("Senza nome") : QFileInfo(path).fileName();
}

// The question on unsaved changes, in the style of the program's messages, with Italian buttons.
SaveChoice AskToSaveWithBox(const QString& question) {
    QMessageBox box(QMessageBox::NoIcon, app::ProgramTitle(), question,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    box.setWindowModality(Qt::ApplicationModal);
    box.button(QMessageBox::Save)->setText(DesignFiles::tr("Salva"));
    box.button(QMessageBox::Discard)->setText(DesignFiles::tr("Non salvare"));
    box.button(QMessageBox::Cancel)->setText(DesignFiles::tr("Annulla"));
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    if (box.clickedButton() == box.button(QMessageBox::Save))
        return SaveChoice::Save;
    if (box.clickedButton() == box.button(QMessageBox::Discard))
        return SaveChoice::Discard;
    return SaveChoice::Cancel;
}

} // namespace

void SetStandardKeys(QAction& action, QKeySequence::StandardKey key, const QKeySequence& otherwise) {
    const QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    if (keys.isEmpty())
        action.setShortcut(otherwise);
    else
        action.setShortcuts(keys);
}

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
      recentMenu_(*new QMenu(tr("Apri recenti"), &window)), startDesign_(DesignOfView(view)),
      ask_([&window](FileQuestion question, const QString& start) {
          return AskWithDialog(window, question, start);
      }),
      askToSave_(AskToSaveWithBox) {
    const struct {
        FileAction action;
        QString text;
        QKeySequence::StandardKey keys;
        QKeySequence otherwise; // where the desktop binds no keys to it
        bool (DesignFiles::*run)();
    } entries[] = {
        {FileAction::New, tr("Nuovo"), QKeySequence::New, QKeySequence(Qt::CTRL | Qt::Key_N),
         &DesignFiles::New},
        {FileAction::Open, tr("Apri…"), QKeySequence::Open, QKeySequence(Qt::CTRL | Qt::Key_O),
         &DesignFiles::OpenAsked},
        {FileAction::Save, tr("Salva"), QKeySequence::Save, QKeySequence(Qt::CTRL | Qt::Key_S),
         &DesignFiles::Save},
        {FileAction::SaveAs, tr("Salva con nome…"), QKeySequence::SaveAs,
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), &DesignFiles::SaveAs},
    };
    for (const auto& entry : entries) {
        auto* action = new QAction(entry.text, this);
        SetStandardKeys(*action, entry.keys, entry.otherwise);
        window_.addAction(action);
        connect(action, &QAction::triggered, this, [this, run = entry.run] { (this->*run)(); });
        actions_[int(entry.action)] = action;
    }
    menu_.addAction(&Action(FileAction::New));
    menu_.addAction(&Action(FileAction::Open));
    menu_.addMenu(&recentMenu_);
    menu_.addAction(&Action(FileAction::Save));
    menu_.addAction(&Action(FileAction::SaveAs));
    connect(&recentMenu_, &QMenu::aboutToShow, this, &DesignFiles::FillRecentMenu);
    // The fields keep their own menu; the labels and the background pass the click to the window.
    window_.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&window_, &QWidget::customContextMenuRequested, this, &DesignFiles::ShowMenu);

    // Every field and list of the window is part of the design.
    const auto changed = [this] {
        modified_ = true;
        ShowTitle();
    };
    for (QLineEdit* field : window_.findChildren<QLineEdit*>())
        connect(field, &QLineEdit::textChanged, this, changed);
    for (QComboBox* list : window_.findChildren<QComboBox*>())
        connect(list, &QComboBox::currentIndexChanged, this, changed);
    ShowTitle();
}

void DesignFiles::ShowMenu(const QPoint& position) { menu_.popup(window_.mapToGlobal(position)); }

void DesignFiles::FillRecentMenu() {
    recentMenu_.clear();
    const QStringList files = RecentFiles();
    for (int i = 0; i < files.size(); ++i) {
        // "&1 progetto.velmaro", the folder on hover.
        QAction* action = recentMenu_.addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(files[i]).fileName().replace(
                                                        u'&', QStringLiteral("&&"))));
        action->setToolTip(files[i]);
        action->setStatusTip(files[i]);
        connect(action, &QAction::triggered, this, [this, path = files[i]] { OpenRecent(path); });
    }
    if (files.isEmpty())
        recentMenu_.addAction(tr("(nessun file)"))->setEnabled(false);
}

void DesignFiles::ShowTitle() {
    if (currentFile_.isEmpty()) {
        window_.setWindowModified(false);
        window_.setWindowTitle(app::ProgramTitle());
        return;
    }
    window_.setWindowTitle(tr("%1[*] - %2").arg(DesignNameShown(currentFile_), app::ProgramTitle()));
    window_.setWindowModified(modified_);
}

void DesignFiles::Settle(const QString& file) {
    currentFile_ = file;
    modified_ = false;
    if (!file.isEmpty())
        RememberRecentFile(file);
    ShowTitle();
}

bool DesignFiles::MayDiscard() {
    if (!modified_)
        return true;
    switch (askToSave_(tr("Salvare le modifiche a %1?").arg(DesignNameShown(currentFile_)))) {
    case SaveChoice::Save:
        return Save();
    case SaveChoice::Discard:
        return true;
    case SaveChoice::Cancel:
        break;
    }
    return false;
}

bool DesignFiles::New() {
    if (!MayDiscard())
        return false;
    ShowDesignInView(view_, startDesign_);
    Settle(QString());
    emit Opened();
    return true;
}

bool DesignFiles::OpenRecent(const QString& path) {
    if (!QFileInfo::exists(path)) {
        ForgetRecentFile(path);
        app::ShowMessage(tr("Il file %1 non esiste più: è stato tolto dai file recenti.").arg(path));
        return false;
    }
    return MayDiscard() && Open(path);
}

bool DesignFiles::OpenAsked() {
    if (!MayDiscard())
        return false;
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
    Settle(absolute);
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
    Settle(path);
    return true;
}

} // namespace main_window
