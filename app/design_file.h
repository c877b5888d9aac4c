// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A design as a file: the texts of the main window's thirteen fields, exactly as typed (empty
// ones too), and the three choices of the part to buy, kept as UTF-8 JSON in a ".velmaro" file:
//
//   {"format": "velmaro", "version": 1,
//    "design": {"E": "10", "Vom": "3", "f": "10", "DeltaVo": "100", "R": "10"},
//    "verification": {"E": …, "f": …, "D": …, "R": …, "C": …, "N": …, "NP": …, "NI": …},
//    "part": {"series": "E12", "CTolerance": "±10 %", "RTolerance": "±1 %"}}
//
// The reader and the writer work on a DesignFile value and answer with a message in Italian when
// they fail; they know nothing of the windows. A reader meets keys it does not know (a later
// version 1 file) and ignores them.

#include <QByteArray>
#include <QString>

#include <array>
#include <cstddef>
#include <optional>
#include <span>

namespace app {

inline constexpr int kDesignFileVersion = 1;
inline constexpr char kDesignFileSuffix[] = "velmaro";
inline constexpr qint64 kDesignFileMaxBytes = 1 << 20; // "1 MB"
inline constexpr qsizetype kDesignFileMaxCharacters = 1000;

// Where a text lives in the file: its section and its key there.
struct DesignFileKey {
    const char* section;
    const char* key;
};

// The field texts, in the order the main window shows them.
// clang-format off
inline constexpr DesignFileKey kDesignFileFields[] = {
    {"design", "E"}, {"design", "Vom"}, {"design", "f"}, {"design", "DeltaVo"}, {"design", "R"},
    {"verification", "E"}, {"verification", "f"}, {"verification", "D"}, {"verification", "R"},
    {"verification", "C"}, {"verification", "N"}, {"verification", "NP"}, {"verification", "NI"},
};
// clang-format on
inline constexpr std::size_t kDesignFileFieldCount = std::size(kDesignFileFields);

// One choice of the part to buy: its key in "part", the texts of its list, and the one the
// window starts with.
struct PartChoiceRule {
    const char* key;
    std::span<const char* const> texts;
    const char* initial;
};

inline constexpr const char* kSeriesTexts[] = {"E6", "E12", "E24", "E96"};
inline constexpr const char* kCToleranceTexts[] = {"±5 %", "±10 %", "±20 %"};
inline constexpr const char* kRToleranceTexts[] = {"±1 %", "±5 %"};
inline constexpr PartChoiceRule kPartChoices[] = {
    {"series", kSeriesTexts, "E12"},
    {"CTolerance", kCToleranceTexts, "±10 %"},
    {"RTolerance", kRToleranceTexts, "±1 %"},
};
inline constexpr std::size_t kPartChoiceCount = std::size(kPartChoices);

struct DesignFile {
    std::array<QString, kDesignFileFieldCount> fields; // in kDesignFileFields' order
    std::array<QString, kPartChoiceCount> part;        // in kPartChoices' order

    // The part choices the window starts with, and empty fields.
    static DesignFile Initial();
    bool operator==(const DesignFile&) const = default;
};

// The file's bytes: indented UTF-8 JSON, the keys in the order above.
QByteArray EncodeDesignFile(const DesignFile& design);

// Why a design cannot be kept in a file (a text longer than kDesignFileMaxCharacters, a part
// choice not in its list), as the end of a sentence ("…!"); empty when it can.
QString DesignFileProblem(const DesignFile& design);

// A file's bytes read back, or why they are no design (the end of a sentence, as above).
struct DesignFileReading {
    std::optional<DesignFile> design;
    QString problem;
};
DesignFileReading DecodeDesignFile(const QByteArray& bytes);

// The file at path read back; the problem is then the whole message, naming the file:
// "Impossibile aprire il file <path>: <why>".
DesignFileReading ReadDesignFile(const QString& path);

// Writes the design to path through a QSaveFile, so that a failure leaves an earlier file as it
// was. Answers with the whole message on failure, "Impossibile salvare il file <path>: <why>",
// and an empty text once saved.
QString WriteDesignFile(const QString& path, const DesignFile& design);

} // namespace app
