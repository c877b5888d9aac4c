// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/design_files.h"

#include "app/message.h"
#include "app/palette.h"
#include "main_window/part_group.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

#include <vector>

namespace main_window {

namespace {

// The fields, each where the file keeps its text, in the order the window shows them.
struct FileField {
    Form1Field field;
    const char* section;
    const char* key;
};
// clang-format off
constexpr FileField kFileFields[] = {
    {"Text1",  "design", "E"},       {"Text2",  "design", "Vom"},     {"Text3", "design", "f"},
    {"Text4",  "design", "DeltaVo"}, {"Text6",  "design", "R"},
    {"Text7",  "verification", "E"}, {"Text12", "verification", "f"}, {"Text8", "verification", "D"},
    {"Text9",  "verification", "R"}, {"Text10", "verification", "C"},
    {"Text13", "verification", "N"}, {"Text14", "verification", "NP"},
    {"Text15", "verification", "NI"},
};
// clang-format on
constexpr std::size_t kFieldCount = std::size(kFileFields);

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
        for (const FileField& field : kFileFields)
            made.push_back({field.section, field.key});
        for (const PartCombo& list : kPartCombos)
            made.push_back({"part", list.fileKey, list.texts});
        return made;
    }();
    return keys;
}

app::DesignFile DesignOfView(const MainWindowView& view) {
    app::DesignFile design;
    for (const FileField& field : kFileFields)
        design.texts.push_back(view.FieldText(field.field));
    for (const PartCombo& list : kPartCombos) {
        const int index = view.ChoiceIndex(list.combo);
        const bool within = index >= 0 && std::size_t(index) < list.texts.size();
        design.texts.push_back(QString::fromUtf8(list.texts[within ? index : list.first]));
    }
    return design;
}

void ShowDesignInView(MainWindowView& view, const app::DesignFile& design) {
    for (std::size_t i = 0; i < kFieldCount && i < design.texts.size(); ++i) {
        view.SetFieldText(kFileFields[i].field, design.texts[i]);
        view.SetFieldColour(kFileFields[i].field, app::kPaletteBlack);
    }
    for (std::size_t k = 0; k < std::size(kPartCombos); ++k) {
        const PartCombo& list = kPartCombos[k];
        if (kFieldCount + k >= design.texts.size())
            break;
        for (std::size_t index = 0; index < list.texts.size(); ++index)
            if (design.texts[kFieldCount + k] == QString::fromUtf8(list.texts[index]))
                view.SetChoiceIndex(list.combo, int(index));
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
