// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A design as a file: texts kept by section and key as UTF-8 JSON in a ".velmaro" file:
//
//   {"format": "velmaro", "version": 2,
//    "design": {"E": "10", "Vom": "3", …, "order": "2", …},
//    "verification": {"E": …, …},
//    "part": {"series": "E12", "CTolerance": "10", "RTolerance": "1"}}
//
// Which texts a file holds is the schema the caller gives: a list of keys, each either any text
// (a field as typed) or one of a list of choices, kept by a stable text. The reader and the
// writer work on a DesignFile value and answer with a message in Italian when they fail; they
// know nothing of the windows. A reader meets keys it does not know (a later file of its
// version) and ignores them; a key or a whole section that is missing reads as the value a plain
// start has, so that a file written by hand opens. Version 1 files kept a choice by the text its
// list showed ("±10 %"); they still open.

#include <QByteArray>
#include <QString>

#include <optional>
#include <span>
#include <vector>

namespace app {

inline constexpr int kDesignFileVersion = 2;
inline constexpr char kDesignFileSuffix[] = "velmaro";
inline constexpr qint64 kDesignFileMaxBytes = 1 << 20; // "1 MB"
inline constexpr qsizetype kDesignFileMaxCharacters = 1000;

// One text of a design file: where it lives, what it may hold and what a plain start holds.
struct DesignFileKey {
    const char* section;
    const char* key;
    const char* initial = "";
    std::span<const char* const> choices = {}; // none: any text; else one of these
    // The same choices as version 1 files kept them, in the same order; none: as above.
    std::span<const char* const> firstVersionChoices = {};
};

struct DesignFile {
    std::vector<QString> texts; // one per key of the schema, in its order
    bool operator==(const DesignFile&) const = default;
};

using DesignFileSchema = std::span<const DesignFileKey>;

// The file's bytes: indented UTF-8 JSON, the keys in the schema's order.
QByteArray EncodeDesignFile(const DesignFile& design, DesignFileSchema schema);

// Why a design cannot be kept in a file (a text longer than kDesignFileMaxCharacters, a choice
// not in its list, texts that do not match the schema), as the end of a sentence ("…!"); empty
// when it can.
QString DesignFileProblem(const DesignFile& design, DesignFileSchema schema);

// A file's bytes read back, or why they are no design (the end of a sentence, as above).
struct DesignFileReading {
    std::optional<DesignFile> design;
    QString problem;
};
DesignFileReading DecodeDesignFile(const QByteArray& bytes, DesignFileSchema schema);

// The file at path read back; the problem is then the whole message, naming the file:
// "Impossibile aprire il file <path>: <why>".
DesignFileReading ReadDesignFile(const QString& path, DesignFileSchema schema);

// Writes the design to path through a QSaveFile, so that a failure leaves an earlier file as it
// was. Answers with the whole message on failure, "Impossibile salvare il file <path>: <why>",
// and an empty text once saved.
QString WriteDesignFile(const QString& path, const DesignFile& design, DesignFileSchema schema);

// Where the bytes stop being JSON that reads back exactly as written: a string with an escape
// JSON does not have ("\0"), or a control character left unescaped; -1 when there is none. The
// toolkit's reader is lenient there.
qsizetype StrictJsonFault(const QByteArray& json);

} // namespace app
