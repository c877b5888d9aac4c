// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph_window/plot_files.h"

#include "app/save_file.h"

#include "app/text.h"
#include "graph_window/plot_clipboard.h"
#include "graph_window/zoomed_drawing.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSettings>
#include <QSvgGenerator>

#include <string>

namespace graph_window {

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


QString SavePlotPicture(const QString& path, const PlotPicture& plot, const QImage& shown) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return SaveFailureMessage(path, WhyNotWritable(path));
    bool written;
    const QByteArray format = PictureFormat(path);
    if (format == "svg") {
        const QSize size = plot.Picture().size();
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setResolution(96);
        svg.setTitle(app::Text::tr("Forme d'onda reali"));
        svg.setDescription(app::ProgramTitle());
        QPainter painter;
        written = painter.begin(&svg);
        if (written) {
            PaintView(painter, plot);
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

QString CsvSeparator(const QString& decimalPoint) {
    return decimalPoint == QStringLiteral(",") ? QStringLiteral(";") : QStringLiteral(",");
}

QString WriteSamplesCsv(const QString& path, const DrawnPlot& plot, const QString& decimalPoint,
                        engine::RunControl* control) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return SaveFailureMessage(path, WhyNotWritable(path));
    bool written;
    try {
        written = WriteSampleTable(plot, CsvSeparator(decimalPoint), decimalPoint, control,
                                   [&file](const std::string& piece) {
                                       return file.write(piece.data(), qint64(piece.size())) ==
                                              qint64(piece.size());
                                   });
    } catch (const engine::WorkStopped&) {
        file.cancelWriting();
        throw;
    }
    if (!written || !Committed(file))
        return SaveFailureMessage(path, WriteFailed());
    return {};
}

} // namespace graph_window
