// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A plot and its data written to files: the picture as PNG, JPEG or BMP, or as SVG vector lines,
// by the suffix of its name; the data as CSV. Every file is written through a QSaveFile: a
// failure or a stop leaves an earlier file of that name as it was. The file dialog that asks for
// the name, and the folder it remembers.


#include <QImage>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <functional>
#include <string>

class QPainter;
class QWidget;

namespace plot {

// The file dialog's filters.
inline constexpr char kPngFilter[] = QT_TRANSLATE_NOOP("Velmaro", "Immagine PNG (*.png)");
inline constexpr char kSvgFilter[] = QT_TRANSLATE_NOOP("Velmaro", "Disegno SVG (*.svg)");
inline constexpr char kCsvFilter[] = QT_TRANSLATE_NOOP("Velmaro", "Dati CSV (*.csv)");

// What a save asks the user, and the answer: the file (empty when the user gave up) and the
// filter chosen with it.
struct SaveQuestion {
    QString caption;
    QString start; // the folder and name the dialog opens with
    QStringList filters;
};
struct SaveAnswer {
    QString path;
    QString filter;
};
using SaveFileChooser = std::function<SaveAnswer(QWidget& parent, const SaveQuestion& question)>;

// The question asked with a QFileDialog (the platform's own where there is one), modal to parent.
SaveAnswer AskWithFileDialog(QWidget& parent, const SaveQuestion& question);

// The folder of the last file saved ($HOME before any), kept between sessions with QSettings, and
// remembering a file's folder.
QString LastSaveFolder();
void RememberSaveFolder(const QString& path);

// The answer's file, with the suffix of its filter when its name has none ("dati" with
// "Dati CSV (*.csv)" gives "dati.csv").
QString WithSuffixOf(const SaveAnswer& answer);

// The answer's file for a picture: a name ending in the suffix of a format the program writes
// (png, jpg, jpeg, bmp, svg, in any case) keeps it; any other name gets its filter's suffix
// ("grafico.1" with "Immagine PNG (*.png)" gives "grafico.1.png").
QString PicturePath(const SaveAnswer& answer);

// The file to save to, asked through choose with the filters given, starting in the folder used
// last with name; its folder is remembered. Empty when the user gave up. A picture's name keeps
// the suffix of a format the program writes (PicturePath), any other takes its filter's when it
// has none (WithSuffixOf).
QString AskSavePath(const SaveFileChooser& choose, QWidget& parent, const QString& caption,
                    const QString& name, const QStringList& filters, bool picture);

// A plot as shown, in the format its name's suffix names: for ".svg" the vectors that paint draws
// on a canvas the size of shown, one unit a pixel, titled title; otherwise shown, the picture on
// show, at its pixel size, as PNG, JPEG or BMP. Empty when saved, otherwise the message saying
// why not.
QString SavePicture(const QString& path, const QImage& shown, const QString& title,
                    const std::function<void(QPainter& painter)>& paint);

// The fields' separator of a CSV file whose numbers have decimalPoint: ";" after a decimal comma,
// "," otherwise.
QString CsvSeparator(const QString& decimalPoint);

// value appended to out in the fewest digits that read back to the same 64-bit value, with
// decimalPoint for its point.
void AppendRoundTrip(std::string& out, double value, const std::string& decimalPoint);

// A table as a CSV file: write hands its UTF-8 pieces to the sink it is given, which answers
// false when a piece could not be written; write answers false to end the table there. Whatever
// it throws (the stop of long work, say) leaves any earlier file as it was and goes on to the
// caller. Empty when saved, otherwise the message saying why not.
using CsvSink = std::function<bool(const std::string& piece)>;
QString WriteCsvFile(const QString& path, const std::function<bool(const CsvSink& sink)>& write);

} // namespace plot
