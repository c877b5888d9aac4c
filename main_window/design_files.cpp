// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/design_files.h"

#include "app/control_table.h"
#include "app/message.h"
#include "app/palette.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QWidget>

#include <iterator>

namespace main_window {

namespace {

// The field each text of a design file belongs to, in app::kDesignFileFields' order.
constexpr const char* kFieldNames[] = {
    "Text1", "Text2", "Text3",  "Text4",  "Text6",  "Text7",  "Text12",
    "Text8", "Text9", "Text10", "Text13", "Text14", "Text15",
};
static_assert(std::size(kFieldNames) == app::kDesignFileFieldCount);

// The combo box of each part choice, in app::kPartChoices' order.
constexpr const char* kPartComboNames[] = {"SeriesCombo", "CToleranceCombo", "RToleranceCombo"};
static_assert(std::size(kPartComboNames) == app::kPartChoiceCount);

QLineEdit& FieldOf(const QWidget& window, const char* name) {
    return *window.findChild<QLineEdit*>(QString::fromLatin1(name));
}

QComboBox* ComboOf(const QWidget& window, const char* name) {
    return window.findChild<QComboBox*>(QString::fromLatin1(name));
}

QString AskWithDialog(QWidget& window, FileQuestion question, const QString& start) {
    const bool open = question == FileQuestion::Open;
    QFileDialog dialog(
        &window, open ? QStringLiteral("Apri progetto") : QStringLiteral("Salva progetto come"),
        start);
    dialog.setNameFilters(
        {QStringLiteral("Progetti Velmaro (*.velmaro)"), QStringLiteral("Tutti i file (*)")});
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

DesignFiles::DesignFiles(QWidget& window)
    : QObject(&window), window_(window), menu_(*new QMenu(&window)),
      ask_([&window](FileQuestion question, const QString& start) {
          return AskWithDialog(window, question, start);
      }) {
    const struct {
        const char* text;
        QKeySequence keys;
        bool (DesignFiles::*run)();
    } entries[] = {
        {"Apri progetto…", QKeySequence(Qt::CTRL | Qt::Key_O), &DesignFiles::OpenAsked},
        {"Salva progetto", QKeySequence(Qt::CTRL | Qt::Key_S), &DesignFiles::Save},
        {"Salva progetto come…", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
         &DesignFiles::SaveAs},
    };
    for (const auto& entry : entries) {
        QAction* action = menu_.addAction(QString::fromUtf8(entry.text));
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
    const app::DesignFileReading reading = app::ReadDesignFile(absolute);
    if (!reading.design) {
        app::ShowMessage(reading.problem);
        return false;
    }
    ShowDesignInWindow(window_, *reading.design);
    currentFile_ = absolute;
    return true;
}

bool DesignFiles::Save() { return currentFile_.isEmpty() ? SaveAs() : SaveTo(currentFile_); }

bool DesignFiles::SaveAs() {
    const QString path = ask_(FileQuestion::SaveAs, currentFile_);
    return !path.isEmpty() && SaveTo(QFileInfo(path).absoluteFilePath());
}

bool DesignFiles::SaveTo(const QString& path) {
    const QString failure = app::WriteDesignFile(path, DesignOfWindow(window_));
    if (!failure.isEmpty()) {
        app::ShowMessage(failure);
        return false;
    }
    currentFile_ = path;
    return true;
}

app::DesignFile DesignOfWindow(const QWidget& window) {
    app::DesignFile design = app::DesignFile::Initial();
    for (std::size_t i = 0; i < app::kDesignFileFieldCount; ++i)
        design.fields[i] = FieldOf(window, kFieldNames[i]).text();
    ReadPartChoices(window, design);
    return design;
}

// The texts stand for typed ones: in the colour of typed text, not in the blue of a result of
// "Calcola C".
void ShowDesignInWindow(QWidget& window, const app::DesignFile& design) {
    for (std::size_t i = 0; i < app::kDesignFileFieldCount; ++i) {
        QLineEdit& field = FieldOf(window, kFieldNames[i]);
        field.setText(design.fields[i]);
        app::SetTextColour(field, app::kPaletteBlack);
    }
    ShowPartChoices(window, design);
}

void ReadPartChoices(const QWidget& window, app::DesignFile& design) {
    for (std::size_t i = 0; i < app::kPartChoiceCount; ++i)
        if (const QComboBox* combo = ComboOf(window, kPartComboNames[i]))
            design.part[i] = combo->currentText();
}

void ShowPartChoices(QWidget& window, const app::DesignFile& design) {
    for (std::size_t i = 0; i < app::kPartChoiceCount; ++i)
        if (QComboBox* combo = ComboOf(window, kPartComboNames[i]))
            if (const int index = combo->findText(design.part[i]); index >= 0)
                combo->setCurrentIndex(index);
}

} // namespace main_window
