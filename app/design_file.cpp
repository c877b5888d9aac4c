// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/design_file.h"

#include "app/save_file.h"
#include "app/text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QSaveFile>
#include <QStringList>

#include <cmath>
#include <cstring>

namespace app {

namespace {

constexpr char kFormatName[] = "velmaro";

// The name of a key as the messages give it: "E" della sezione "design".
QString KeyName(const DesignFileKey& key) {
    return Text::tr("il campo \"%1\" della sezione \"%2\"")
        .arg(QString::fromUtf8(key.key), QString::fromUtf8(key.section));
}

// A JSON string of the text, with the characters JSON forbids escaped. A lone surrogate, which
// UTF-8 cannot carry, is escaped too, and so is U+FEFF, which the toolkit's reader drops at the
// start of a string: every text reads back as it was.
void AppendJsonString(QByteArray& out, const QString& text) {
    out += '"';
    qsizetype plainFrom = 0;
    const auto flushPlain = [&](qsizetype to) {
        out += QStringView(text).mid(plainFrom, to - plainFrom).toUtf8();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        if (c.unicode() >= 0x20 && c != u'"' && c != u'\\' && !c.isSurrogate() &&
            c != QChar::ByteOrderMark)
            continue;
        flushPlain(i);
        out += c == u'"' || c == u'\\'
                   ? QByteArray("\\") + char(c.unicode())
                   : QByteArray("\\u") + QByteArray::number(c.unicode(), 16).rightJustified(4, '0');
        plainFrom = i + 1;
    }
    flushPlain(text.size());
    out += '"';
}

QString OpenMessage(const QString& path, const QString& why) {
    return Text::tr("Impossibile aprire il file %1: %2").arg(QDir::toNativeSeparators(path), why);
}

QStringList ChoiceTexts(const DesignFileKey& key) {
    QStringList texts;
    for (const char* text : key.choices)
        texts << QString::fromUtf8(text);
    return texts;
}

// A choice not in its list.
QString ChoiceProblem(const DesignFileKey& key, const QString& text) {
    return Text::tr("%1 vale \"%2\", che non è tra le scelte possibili (%3)!")
        .arg(KeyName(key), text, ChoiceTexts(key).join(u", "));
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

} // namespace

qsizetype StrictJsonFault(const QByteArray& json) {
    bool inString = false;
    for (qsizetype i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (!inString) {
            inString = c == '"';
            continue;
        }
        if (c == '"') {
            inString = false;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            return i;
        } else if (c == '\\') {
            const char escaped = i + 1 < json.size() ? json[i + 1] : '\0';
            if (escaped == 'u') {
                for (qsizetype k = i + 2; k < i + 6; ++k)
                    if (k >= json.size() || !IsHexDigit(json[k]))
                        return i;
                i += 5;
            } else if (std::strchr("\"\\/bfnrt", escaped) && escaped != '\0') {
                ++i;
            } else {
                return i;
            }
        }
    }
    return -1;
}

QByteArray EncodeDesignFile(const DesignFile& design, DesignFileSchema schema) {
    QByteArray out = "{\n    \"format\": \"" + QByteArray(kFormatName) +
                     "\",\n    \"version\": " + QByteArray::number(kDesignFileVersion) + ",\n";
    // One "key": "text" a line, a section opened where the key's section changes.
    const char* open = nullptr;
    for (std::size_t i = 0; i < schema.size() && i < design.texts.size(); ++i) {
        const DesignFileKey& key = schema[i];
        if (open && std::strcmp(open, key.section) == 0) {
            out += ",\n";
        } else {
            out += open ? "\n    },\n    \"" : "    \"";
            out += QByteArray(key.section) + "\": {\n";
            open = key.section;
        }
        out += "        \"" + QByteArray(key.key) + "\": ";
        AppendJsonString(out, design.texts[i]);
    }
    out += open ? "\n    }\n}\n" : "}\n";
    return out;
}

QString DesignFileProblem(const DesignFile& design, DesignFileSchema schema) {
    if (design.texts.size() != schema.size())
        return Text::tr("il progetto non ha %1 campi!").arg(schema.size());
    for (std::size_t i = 0; i < schema.size(); ++i) {
        const DesignFileKey& key = schema[i];
        const QString& text = design.texts[i];
        if (key.choices.empty() && text.toUcs4().size() > kDesignFileMaxCharacters)
            return Text::tr("%1 è più lungo di %2 caratteri!")
                .arg(KeyName(key))
                .arg(kDesignFileMaxCharacters);
        if (!key.choices.empty() && !ChoiceTexts(key).contains(text))
            return ChoiceProblem(key, text);
    }
    return {};
}

DesignFileReading DecodeDesignFile(const QByteArray& bytes, DesignFileSchema schema) {
    const auto refuse = [](const QString& why) { return DesignFileReading{std::nullopt, why}; };
    // A byte order mark, which some editors put first, is no part of the JSON.
    const qsizetype mark = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    const QByteArray json = bytes.mid(mark);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    qsizetype faultAt = error.error != QJsonParseError::NoError ? error.offset : -1;
    if (const qsizetype strict = StrictJsonFault(json); strict >= 0 && (faultAt < 0 || strict < faultAt))
        faultAt = strict;
    if (faultAt >= 0)
        return refuse(Text::tr("il contenuto non è JSON valido (errore al byte %1)!").arg(faultAt));
    const QJsonObject root = document.object();
    if (root.value(u"format") != QJsonValue(QString::fromUtf8(kFormatName)))
        return refuse(Text::tr("non è un progetto di Velmaro (manca \"format\": \"velmaro\")!"));
    const QJsonValue version = root.value(u"version");
    const double number = version.toDouble(0);
    if (!version.isDouble() || number < 1 || number != std::floor(number))
        return refuse(Text::tr("il numero di versione (\"version\") manca o non è valido!"));
    if (number > kDesignFileVersion)
        return refuse(Text::tr("è stato creato da una versione più recente di Velmaro "
                               "(formato %1, questa versione legge fino al formato %2)!")
                          .arg(version.toVariant().toString())
                          .arg(kDesignFileVersion));

    // A missing section or key holds what a plain start does; a version 1 choice is taken from
    // the text its list showed.
    DesignFile design;
    for (const DesignFileKey& key : schema) {
        const QJsonValue section = root.value(QString::fromUtf8(key.section));
        if (!section.isUndefined() && !section.isObject())
            return refuse(Text::tr("la sezione \"%1\" non è un oggetto!")
                              .arg(QString::fromUtf8(key.section)));
        const QJsonValue value = section.toObject().value(QString::fromUtf8(key.key));
        if (value.isUndefined()) {
            design.texts.push_back(QString::fromUtf8(key.initial));
            continue;
        }
        if (!value.isString())
            return refuse(Text::tr("%1 non è un testo tra virgolette!").arg(KeyName(key)));
        QString text = value.toString();
        if (number == 1 && !key.firstVersionChoices.empty()) {
            const DesignFileKey firstVersion{key.section, key.key, key.initial,
                                             key.firstVersionChoices};
            const qsizetype index = ChoiceTexts(firstVersion).indexOf(text);
            if (index < 0)
                return refuse(ChoiceProblem(firstVersion, text));
            text = QString::fromUtf8(key.choices[std::size_t(index)]);
        }
        design.texts.push_back(text);
    }
    if (QString why = DesignFileProblem(design, schema); !why.isEmpty())
        return refuse(why);
    return {design, {}};
}

DesignFileReading ReadDesignFile(const QString& path, DesignFileSchema schema) {
    const auto refuse = [&](const QString& why) {
        return DesignFileReading{std::nullopt, OpenMessage(path, why)};
    };
    const QFileInfo info(path);
    if (info.isDir())
        return refuse(Text::tr("è una cartella, non un file!"));
    if (!info.exists())
        return refuse(Text::tr("il file non esiste!"));
    // A pipe or a device could keep the window waiting: only a plain file is read.
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return refuse(Text::tr("il file non si può leggere!"));
    // One byte past the limit tells a file that is too large, whatever its size claims.
    const QByteArray bytes = file.read(kDesignFileMaxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return refuse(Text::tr("il file non si può leggere!"));
    if (bytes.size() > kDesignFileMaxBytes)
        return refuse(Text::tr("è più grande di 1 MB, troppo per un progetto di Velmaro!"));
    DesignFileReading reading = DecodeDesignFile(bytes, schema);
    if (!reading.design)
        reading.problem = OpenMessage(path, reading.problem);
    return reading;
}

QString WriteDesignFile(const QString& path, const DesignFile& design, DesignFileSchema schema) {
    if (const QString why = DesignFileProblem(design, schema); !why.isEmpty())
        return SaveFailureMessage(path, why);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return SaveFailureMessage(path, WhyNotWritable(path));
    const QByteArray bytes = EncodeDesignFile(design, schema);
    // Without the commit the new file is discarded, and an earlier one stays as it was.
    if (file.write(bytes) != bytes.size() || !Committed(file))
        return SaveFailureMessage(path, WriteFailed());
    return {};
}

} // namespace app
