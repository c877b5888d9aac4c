// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph_window/plot_files.h"

#include "app/save_file.h"

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

#include <charconv>
#include <string>

namespace graph_window {

using app::Committed, app::SaveFailureMessage, app::WhyNotWritable, app::WriteFailed;

namespace {

constexpr char kFolderKey[] = "salvataggi/cartella";

// Bytes gathered before they go to the file, and rows between two looks at the stop.
constexpr std::size_t kChunkBytes = 1 << 20;
constexpr std::int32_t kRowsBetweenChecks = 4096;

// The longest shortest-round-trip form of a double, "-2.2250738585072014e-308", with room.
constexpr int kMaxNumberLength = 32;

QSettings Settings() { return QSettings(QStringLiteral("Velmaro"), QStringLiteral("Velmaro")); }

void AppendNumber(std::string& out, double value, const std::string& decimalPoint) {
    char buffer[kMaxNumberLength];
    const char* const end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    for (const char* c = buffer; c != end; ++c) {
        if (*c == '.')
            out += decimalPoint;
        else
            out += *c;
    }
}

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

QString WithSuffixOf(const SaveAnswer& answer) {
    if (!QFileInfo(answer.path).suffix().isEmpty())
        return answer.path;
    static const QRegularExpression pattern(QStringLiteral("\\(\\*(\\.[A-Za-z0-9]+)\\)"));
    const QRegularExpressionMatch match = pattern.match(answer.filter);
    return match.hasMatch() ? answer.path + match.captured(1) : answer.path;
}


QString SavePlotPicture(const QString& path, const PlotPicture& plot, const QImage& shown) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return SaveFailureMessage(path, WhyNotWritable(path));
    bool written;
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        const QSize size = plot.Picture().size();
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setResolution(96);
        svg.setTitle(QStringLiteral("Forme d'onda reali"));
        svg.setDescription(QStringLiteral("Velmaro"));
        QPainter painter;
        written = painter.begin(&svg);
        if (written) {
            PaintView(painter, plot);
            written = painter.end();
        }
    } else {
        QImageWriter png(&file, "png");
        written = png.write(shown);
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
    const engine::SimulatedRun* run = plot.run.get();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return SaveFailureMessage(path, WhyNotWritable(path));
    const std::string point = decimalPoint.toStdString();
    const std::string separator = CsvSeparator(decimalPoint).toStdString();
    std::string chunk;
    chunk.reserve(kChunkBytes + 256);
    for (const char* title : {"t [s]", "Vi [V]", "iC [A]", "Vo [V]"})
        chunk += (chunk.empty() ? "" : separator) + title;
    chunk += '\n';
    const auto flush = [&] {
        const bool whole = file.write(chunk.data(), qint64(chunk.size())) == qint64(chunk.size());
        chunk.clear();
        return whole;
    };
    const std::int32_t N = run && run->N == plot.N ? plot.N : 0;
    try {
        for (std::int32_t i = 1; i <= N; ++i) {
            if (control && i % kRowsBetweenChecks == 0) {
                control->Check();
                control->SetStep(i);
            }
            AppendNumber(chunk, i * plot.dt, point);
            chunk += separator;
            AppendNumber(chunk, run->Vi[i], point);
            chunk += separator;
            AppendNumber(chunk, run->iC[i], point);
            chunk += separator;
            AppendNumber(chunk, run->Vo[i], point);
            chunk += '\n';
            if (chunk.size() >= kChunkBytes && !flush())
                return SaveFailureMessage(path, WriteFailed());
        }
    } catch (const engine::WorkStopped&) {
        file.cancelWriting();
        throw;
    }
    if (!flush() || !Committed(file))
        return SaveFailureMessage(path, WriteFailed());
    return {};
}

} // namespace graph_window
