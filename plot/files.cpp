// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/files.h"

#include "app/save_file.h"

#include "app/text.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSettings>
#include <QSvgGenerator>

#include <charconv>
#include <string>

namespace plot {

using app::Committed, app::SaveFailureMessage, app::WhyNotWritable, app::WriteFailed;

namespace {

constexpr char kFolderKey[] = "salvataggi/cartella";

QSettings Settings() { return QSettings(QStringLiteral("Velmaro"), QStringLiteral("Velmaro")); }

} // namespace

SaveAnswer AskWithFileDialog(QWidget& parent, const SaveQuestion& question) {
    QFileDialog dialog(&parent, question.caption, question.start);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(question.filters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return {dialog.selectedFiles().constFirst(), dialog.selectedNameFilter()};
}

QString LastSaveFolder() {
    const QString folder = Settings().value(QString::fromLatin1(kFolderKey)).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

void RememberSaveFolder(const QString& path) {
    Settings().setValue(QString::fromLatin1(kFolderKey), QFileInfo(path).absolutePath());
}

namespace {

// ".png" of "Immagine PNG (*.png)".
QString FilterSuffix(const QString& filter) {
    static const QRegularExpression pattern(QStringLiteral("\\(\\*(\\.[A-Za-z0-9]+)\\)"));
    const QRegularExpressionMatch match = pattern.match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

// The image format a picture's name asks for, in lower case; empty when it names none the
// program writes.
QByteArray PictureFormat(const QString& path) {
    const QByteArray suffix = QFileInfo(path).suffix().toLower().toLatin1();
    if (suffix == "svg")
        return suffix;
    for (const char* format : {"png", "jpg", "jpeg", "bmp"})
        if (suffix == format && QImageWriter::supportedImageFormats().contains(suffix))
            return suffix;
    return {};
}

} // namespace

QString WithSuffixOf(const SaveAnswer& answer) {
    if (!QFileInfo(answer.path).suffix().isEmpty())
        return answer.path;
    return answer.path + FilterSuffix(answer.filter);
}

QString PicturePath(const SaveAnswer& answer) {
    if (!PictureFormat(answer.path).isEmpty())
        return answer.path;
    return answer.path + FilterSuffix(answer.filter);
}

QString AskSavePath(const SaveFileChooser& choose, QWidget& parent, const QString& caption,
                    const QString& name, const QStringList& filters, bool picture) {
    const SaveAnswer answer =
        choose(parent, {caption, QDir(LastSaveFolder()).filePath(name), filters});
    if (answer.path.isEmpty())
        return {};
    const QString path =
        QFileInfo(picture ? PicturePath(answer) : WithSuffixOf(answer)).absoluteFilePath();
    RememberSaveFolder(path);
    return path;
}

QString SavePicture(const QString& path, const QImage& shown, const QString& title,
                    const std::function<void(QPainter& painter)>& paint) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return SaveFailureMessage(path, WhyNotWritable(path));
    bool written;
    const QByteArray format = PictureFormat(path);
    if (format == "svg") {
        const QSize size = shown.size();
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setResolution(96);
        svg.setTitle(title);
        svg.setDescription(app::ProgramTitle());
        QPainter painter;
        written = painter.begin(&svg);
        if (written) {
            paint(painter);
            written = painter.end();
        }
    } else {
        QImageWriter writer(&file, format.isEmpty() ? QByteArray("png") : format);
        written = writer.write(shown);
    }
    if (!written || !Committed(file))
        return SaveFailureMessage(path, WriteFailed());
    return {};
}

void AppendRoundTrip(std::string& out, double value, const std::string& decimalPoint) {
    // The longest shortest-round-trip form of a double, "-2.2250738585072014e-308", with room.
    char buffer[32];
    const char* const end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    for (const char* c = buffer; c != end; ++c) {
        if (*c == '.')
            out += decimalPoint;
        else
            out += *c;
    }
}

QString CsvSeparator(const QString& decimalPoint) {
    return decimalPoint == QStringLiteral(",") ? QStringLiteral(";") : QStringLiteral(",");
}

QString WriteCsvFile(const QString& path, const std::function<bool(const CsvSink& sink)>& write) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return SaveFailureMessage(path, WhyNotWritable(path));
    bool written;
    try {
        written = write([&file](const std::string& piece) {
            return file.write(piece.data(), qint64(piece.size())) == qint64(piece.size());
        });
    } catch (...) { // a stop, or memory running out: nothing of it reaches the file
        file.cancelWriting();
        throw;
    }
    if (!written || !Committed(file))
        return SaveFailureMessage(path, WriteFailed());
    return {};
}

} // namespace plot
