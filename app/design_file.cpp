// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/design_file.h"

#include "app/save_file.h"

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
QString KeyName(const char* section, const char* key) {
    return QStringLiteral("il campo \"%1\" della sezione \"%2\"")
        .arg(QString::fromUtf8(key), QString::fromUtf8(section));
}

// A JSON string of the text, with the characters JSON forbids escaped. A lone surrogate, which
// UTF-8 cannot carry, is escaped too, so that every text reads back as it was.
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
        if (c.unicode() >= 0x20 && c != u'"' && c != u'\\' && !c.isSurrogate())
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
    return QStringLiteral("Impossibile aprire il file %1: %2")
        .arg(QDir::toNativeSeparators(path), why);
}

} // namespace

DesignFile DesignFile::Initial() {
    DesignFile design;
    for (std::size_t i = 0; i < kPartChoiceCount; ++i)
        design.part[i] = QString::fromUtf8(kPartChoices[i].initial);
    return design;
}

QByteArray EncodeDesignFile(const DesignFile& design) {
    QByteArray out = "{\n    \"format\": \"" + QByteArray(kFormatName) +
                     "\",\n    \"version\": " + QByteArray::number(kDesignFileVersion) + ",\n";
    // One "key": "text" a line, a section opened where the key's section changes.
    const char* open = nullptr;
    const auto entry = [&](const char* section, const char* key, const QString& text) {
        if (open && std::strcmp(open, section) == 0) {
            out += ",\n";
        } else {
            out += open ? "\n    },\n    \"" : "    \"";
            out += QByteArray(section) + "\": {\n";
            open = section;
        }
        out += "        \"" + QByteArray(key) + "\": ";
        AppendJsonString(out, text);
    };
    for (std::size_t i = 0; i < kDesignFileFieldCount; ++i)
        entry(kDesignFileFields[i].section, kDesignFileFields[i].key, design.fields[i]);
    for (std::size_t i = 0; i < kPartChoiceCount; ++i)
        entry("part", kPartChoices[i].key, design.part[i]);
    out += "\n    }\n}\n";
    return out;
}

QString DesignFileProblem(const DesignFile& design) {
    for (std::size_t i = 0; i < kDesignFileFieldCount; ++i)
        if (design.fields[i].toUcs4().size() > kDesignFileMaxCharacters)
            return QStringLiteral("%1 è più lungo di %2 caratteri!")
                .arg(KeyName(kDesignFileFields[i].section, kDesignFileFields[i].key))
                .arg(kDesignFileMaxCharacters);
    for (std::size_t i = 0; i < kPartChoiceCount; ++i) {
        QStringList texts;
        for (const char* text : kPartChoices[i].texts)
            texts << QString::fromUtf8(text);
        if (!texts.contains(design.part[i]))
            return QStringLiteral("%1 vale \"%2\", che non è tra le scelte possibili (%3)!")
                .arg(KeyName("part", kPartChoices[i].key), design.part[i], texts.join(u", "));
    }
    return {};
}

DesignFileReading DecodeDesignFile(const QByteArray& bytes) {
    const auto refuse = [](const QString& why) { return DesignFileReading{std::nullopt, why}; };
    // A byte order mark, which some editors put first, is no part of the JSON.
    const QByteArray json = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        return refuse(QStringLiteral("il contenuto non è JSON valido (errore al byte %1)!")
                          .arg(error.offset));
    const QJsonObject root = document.object();
    if (root.value(u"format") != QJsonValue(QString::fromUtf8(kFormatName)))
        return refuse(
            QStringLiteral("non è un progetto di Velmaro (manca \"format\": \"velmaro\")!"));
    const QJsonValue version = root.value(u"version");
    const double number = version.toDouble(0);
    if (!version.isDouble() || number < 1 || number != std::floor(number))
        return refuse(QStringLiteral("il numero di versione (\"version\") manca o non è valido!"));
    if (number > kDesignFileVersion)
        return refuse(QStringLiteral("è stato creato da una versione più recente di Velmaro "
                                     "(formato %1, questa versione legge fino al formato %2)!")
                          .arg(version.toVariant().toString())
                          .arg(kDesignFileVersion));

    // One text, which has to be there and be a string.
    const auto text = [&](const char* section, const char* key, QString& into) -> QString {
        const QJsonValue sectionValue = root.value(QString::fromUtf8(section));
        if (!sectionValue.isObject())
            return QStringLiteral("la sezione \"%1\" manca o non è un oggetto!")
                .arg(QString::fromUtf8(section));
        const QJsonValue value = sectionValue.toObject().value(QString::fromUtf8(key));
        if (value.isUndefined())
            return KeyName(section, key) + QStringLiteral(" manca!");
        if (!value.isString())
            return KeyName(section, key) + QStringLiteral(" non è un testo tra virgolette!");
        into = value.toString();
        return {};
    };
    DesignFile design;
    for (std::size_t i = 0; i < kDesignFileFieldCount; ++i)
        if (QString why =
                text(kDesignFileFields[i].section, kDesignFileFields[i].key, design.fields[i]);
            !why.isEmpty())
            return refuse(why);
    for (std::size_t i = 0; i < kPartChoiceCount; ++i)
        if (QString why = text("part", kPartChoices[i].key, design.part[i]); !why.isEmpty())
            return refuse(why);
    if (QString why = DesignFileProblem(design); !why.isEmpty())
        return refuse(why);
    return {design, {}};
}

DesignFileReading ReadDesignFile(const QString& path) {
    const auto refuse = [&](const QString& why) {
        return DesignFileReading{std::nullopt, OpenMessage(path, why)};
    };
    const QFileInfo info(path);
    if (info.isDir())
        return refuse(QStringLiteral("è una cartella, non un file!"));
    if (!info.exists())
        return refuse(QStringLiteral("il file non esiste!"));
    // A pipe or a device could keep the window waiting: only a plain file is read.
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return refuse(QStringLiteral("il file non si può leggere!"));
    // One byte past the limit tells a file that is too large, whatever its size claims.
    const QByteArray bytes = file.read(kDesignFileMaxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return refuse(QStringLiteral("il file non si può leggere!"));
    if (bytes.size() > kDesignFileMaxBytes)
        return refuse(QStringLiteral("è più grande di 1 MB, troppo per un progetto di Velmaro!"));
    DesignFileReading reading = DecodeDesignFile(bytes);
    if (!reading.design)
        reading.problem = OpenMessage(path, reading.problem);
    return reading;
}

QString WriteDesignFile(const QString& path, const DesignFile& design) {
    if (const QString why = DesignFileProblem(design); !why.isEmpty())
        return SaveFailureMessage(path, why);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return SaveFailureMessage(path, WhyNotWritable(path));
    const QByteArray bytes = EncodeDesignFile(design);
    // Without the commit the new file is discarded, and an earlier one stays as it was.
    if (file.write(bytes) != bytes.size() || !Committed(file))
        return SaveFailureMessage(path, WriteFailed());
    return {};
}

} // namespace app
