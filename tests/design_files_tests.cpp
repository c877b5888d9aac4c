// SPDX-License-Identifier: GPL-3.0-or-later
// Designs saved and opened from the main window, and the files that cannot be opened.

#include "main_window/design_files.h"
#include "tests/gui_support.h"
#include "tests/test_registry.h"

#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace main_window;

namespace {

// Each field, where the file keeps it, a text as a user may leave it there, and what it holds
// at start.
struct FieldCase {
    const char* name;
    const char* section;
    const char* key;
    const char* typed;
    const char* initial = "";
};
// clang-format off
const FieldCase kFields[] = {
    {"Text1", "design", "E", "10"},
    {"Text2", "design", "Vom", ""},
    {"Text3", "design", "f", " 1,5 kHz "},
    {"Text4", "design", "DeltaVo", "\"100\" \\ ΔVo è ±"},
    {"Text6", "design", "R", "1e400"},
    {"Text7", "verification", "E", "😀\t"},
    {"Text12", "verification", "f", "10"},
    {"Text8", "verification", "D", ""},
    {"Text9", "verification", "R", "-0"},
    {"Text10", "verification", "C", "2.1E+03"},
    {"Text13", "verification", "N", "1000", "1000"},
    {"Text14", "verification", "NP", "", "10"},
    {"Text15", "verification", "NI", "2000", "2000"},
    {"StageRatioField", "design", "k", "3", "10"},
    {"LoadField", "design", "RL", "47"},
    {"R2Field", "verification", "R2", "1e2"},
    {"C2Field", "verification", "C2", "x"},
    {"RLField", "verification", "RL", ""},
};
// clang-format on

// The lists: where the file keeps each choice, its stable texts, those of version 1 files, and
// where it starts.
struct ListCase {
    const char* name;
    const char* section;
    const char* key;
    QStringList stable, firstVersion;
    int first;
};
const ListCase kLists[] = {
    {"OrderCombo", "design", "order", {"1", "2"}, {}, 0},
    {"SeriesCombo", "part", "series", {"E6", "E12", "E24", "E96"}, {}, 1},
    {"CToleranceCombo", "part", "CTolerance", {"5", "10", "20"}, {"±5 %", "±10 %", "±20 %"}, 1},
    {"RToleranceCombo", "part", "RTolerance", {"1", "5"}, {"±1 %", "±5 %"}, 0},
};

// A main window whose file dialogs answer with a given path and count the questions.
struct FilesWindow : MainWindowSession {
    QString answer;
    QStringList asked;

    FilesWindow() {
        main.Files().SetAskForFile([this](FileQuestion question, const QString&) {
            asked << (question == FileQuestion::Open ? "open" : "save as");
            return answer;
        });
        main.activateWindow();
        (void)QTest::qWaitForWindowActive(&main);
    }
    QStringList texts() {
        QStringList texts;
        for (const FieldCase& field : kFields)
            texts << text(field.name);
        for (const ListCase& list : kLists)
            texts << list.stable.value(main.findChild<QComboBox*>(list.name)->currentIndex());
        return texts;
    }
    QStringList keys(int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        MessageBoxAnswerer answerer;
        QTest::keyClick(&main, Qt::Key(key), modifiers);
        return answerer.texts();
    }
};

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

// A version 1 design file that opens, as a JSON object, and its bytes with one key changed (at the top when
// section is empty; an undefined value removes the key).
QJsonObject GoodFile() {
    QJsonObject root{{"format", "velmaro"}, {"version", 1}};
    for (const FieldCase& field : kFields) {
        QJsonObject section = root[field.section].toObject();
        section[field.key] = QString::fromUtf8(field.typed);
        root[field.section] = section;
    }
    root["part"] = QJsonObject{{"series", "E96"}, {"CTolerance", "±20 %"}, {"RTolerance", "±5 %"}};
    return root;
}

QByteArray With(const char* section, const char* key, const QJsonValue& value) {
    QJsonObject root = GoodFile();
    QJsonObject inner = *section ? root[section].toObject() : root;
    if (value.isUndefined())
        inner.remove(key);
    else
        inner[key] = value;
    if (*section)
        root[section] = inner;
    return QJsonDocument(*section ? root : inner).toJson();
}

// The texts a file holds, in the order FilesWindow::texts() gives them: what a plain start
// holds where a key is missing, a list's stable text for a version 1 file's caption.
QStringList TextsIn(const QByteArray& content) {
    const QJsonDocument file = QJsonDocument::fromJson(content.mid(content.startsWith('\xEF') * 3));
    QStringList texts;
    for (const FieldCase& field : kFields)
        texts << file[field.section][field.key].toString(field.initial);
    for (const ListCase& list : kLists) {
        const QString text = file[list.section][list.key].toString(list.stable[list.first]);
        const qsizetype caption = list.firstVersion.indexOf(text);
        texts << (file["version"].toInt() == 1 && caption >= 0 ? list.stable[caption] : text);
    }
    return texts;
}

// While alive, the process may write files of at most 16 bytes (root included).
class FileSizeLimit {
public:
    FileSizeLimit() {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved_);
        const rlimit tight{16, saved_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &tight);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, SIG_DFL);
    }

private:
    rlimit saved_{};
};

} // namespace

class DesignFilesTest : public QObject {
    Q_OBJECT
private slots:
    void theBackgroundMenuSharesTheFileMenusActions() {
        FilesWindow window;
        const QPoint at(5, 5);
        QWidget& label = *window.main.findChild<QLabel*>("Label35");
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, label.mapToGlobal(at));
        QApplication::sendEvent(&label, &click);
        QWidget* menu = QApplication::activePopupWidget();
        QVERIFY(menu);
        menu->close();
        QStringList entries;
        for (const QAction* action : menu->actions())
            entries << action->text() + " " + action->shortcut().toString();
        QCOMPARE(entries, QStringList({"Nuovo Ctrl+N", "Apri… Ctrl+O", "Apri recenti ",
                                       "Salva Ctrl+S", "Salva con nome… Ctrl+Shift+S"}));
        const QList<QAction*> fileMenu =
            window.main.findChild<QMenu*>("FileMenu")->actions();
        for (QAction* action : menu->actions())
            QVERIFY2(fileMenu.contains(action), qPrintable(action->text()));
    }

    void aDesignComesBackAsTyped_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("English") << EnglishLocale();
        QTest::newRow("Italian") << ItalianLocale();
    }
    void aDesignComesBackAsTyped() {
        QFETCH(QLocale, locale);
        const LocaleScope scope(locale);
        QTemporaryDir folder;
        FilesWindow typed;
        typed.answer = folder.filePath("progetto.velmaro");
        for (const FieldCase& field : kFields)
            typed.field(field.name).setText(QString::fromUtf8(field.typed));
        for (const ListCase& list : kLists)
            typed.main.findChild<QComboBox*>(list.name)->setCurrentIndex(list.first == 0 ? 1 : 0);
        QCOMPARE(typed.keys(Qt::Key_S), QStringList());
        QCOMPARE(typed.asked, QStringList{"save as"});

        // The file keeps each text under its key, as a string.
        const QJsonDocument file = QJsonDocument::fromJson(Bytes(typed.answer));
        QCOMPARE(file["format"].toString(), QString("velmaro"));
        QCOMPARE(file["version"].toInt(), 2);
        QCOMPARE(TextsIn(Bytes(typed.answer)), typed.texts());
        QCOMPARE(file["part"]["CTolerance"].toString(), QString("5"));
        QCOMPARE(file["design"]["order"].toString(), QString("2"));

        // Ctrl+S after a save writes there without asking.
        typed.field("Text2").setText("3");
        QCOMPARE(typed.keys(Qt::Key_S), QStringList());
        QCOMPARE(typed.asked, QStringList{"save as"});
        QCOMPARE(QJsonDocument::fromJson(Bytes(typed.answer))["design"]["Vom"].toString(),
                 QString("3"));

        // Opened over a computed design: the texts as typed, black, and no command run; nothing
        // computed for the design before stays beside it.
        FilesWindow opened;
        opened.click("Command3");
        opened.click("Command1");
        const QStringList figures{"Label25", "ExactCLabel", "ExactC2Label", "StandardCLabel",
                                  "SafeCLabel"};
        for (const QString& label : figures.mid(0, 2))
            QVERIFY(!opened.caption(label).isEmpty());
        opened.answer = typed.answer;
        QCOMPARE(opened.keys(Qt::Key_O), QStringList{"Salvare le modifiche a Senza nome?"});
        QCOMPARE(opened.asked, QStringList{"open"});
        QCOMPARE(opened.texts(), typed.texts());
        for (const FieldCase& field : kFields)
            QCOMPARE(opened.textColour(field.name), QColor(Qt::black));
        for (const QString& label : figures)
            QCOMPARE(opened.caption(label), QString());
        QCOMPARE(opened.main.Files().CurrentFile(), typed.answer);
    }

    // A file opens whole (why empty) or changes nothing and says why. "missing", "folder" and
    // "pipe" name what stands at the path instead of a file.
    void aFileOpensWholeOrNotAtAll_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("why");
        QJsonObject later = GoodFile();
        later["later"] = QJsonArray{1, 2};
        later["part"] = QJsonObject{
            {"series", "E96"}, {"CTolerance", "±20 %"}, {"RTolerance", "±5 %"}, {"shop", "x"}};
        QTest::newRow("unknown keys") << QJsonDocument(later).toJson() << "";
        QByteArray full = QJsonDocument(GoodFile()).toJson();
        QTest::newRow("byte order mark") << "\xEF\xBB\xBF" + full << "";
        QTest::newRow("1000 characters") << With("design", "E", QString(999, u'9') + "😀") << "";
        full.append(app::kDesignFileMaxBytes - full.size(), ' ');
        QTest::newRow("exactly 1 MB") << full << "";
        QTest::newRow("over 1 MB")
            << full + ' ' << "è più grande di 1 MB, troppo per un progetto di Velmaro!";
        QTest::newRow("missing") << QByteArray("missing") << "il file non esiste!";
        QTest::newRow("folder") << QByteArray("folder") << "è una cartella, non un file!";
        QTest::newRow("pipe") << QByteArray("pipe") << "il file non si può leggere!";
        QTest::newRow("not JSON") << QByteArray("{\"format\": \"velmaro\",")
                                  << "il contenuto non è JSON valido (errore al byte 21)!";
        QTest::newRow("not UTF-8") << QByteArray("{\"format\": \"velmaro\xff\"}")
                                   << "il contenuto non è JSON valido (errore al byte 19)!";
        const QString notOurs = "non è un progetto di Velmaro (manca \"format\": \"velmaro\")!";
        QTest::newRow("an array") << QByteArray("[\"velmaro\"]") << notOurs;
        QTest::newRow("no format") << With("", "format", QJsonValue::Undefined) << notOurs;
        QTest::newRow("another format") << With("", "format", "velmaro2") << notOurs;
        QTest::newRow("newer version")
            << With("", "version", 3)
            << "è stato creato da una versione più recente di Velmaro (formato 3, questa versione "
               "legge fino al formato 2)!";
        // Version 2 keeps the choices by stable texts, the captions of version 1 no longer.
        QJsonObject second = GoodFile();
        second["version"] = 2;
        second["part"] = QJsonObject{{"series", "E6"}, {"CTolerance", "20"}, {"RTolerance", "5"}};
        QTest::newRow("version 2") << QJsonDocument(second).toJson() << "";
        second["part"] = QJsonObject{{"CTolerance", "±20 %"}};
        QTest::newRow("version 2 with a caption")
            << QJsonDocument(second).toJson()
            << "il campo \"CTolerance\" della sezione \"part\" vale \"±20 %\", che non è tra le "
               "scelte possibili (5, 10, 20)!";
        QTest::newRow("version as text")
            << With("", "version", "1")
            << "il numero di versione (\"version\") manca o non è valido!";
        // What is missing holds what a plain start does, so that a file written by hand opens.
        QTest::newRow("no section") << With("", "verification", QJsonValue::Undefined) << "";
        QTest::newRow("no field") << With("design", "Vom", QJsonValue::Undefined) << "";
        QTest::newRow("a section not an object")
            << With("", "verification", 5) << "la sezione \"verification\" non è un oggetto!";
        QTest::newRow("a number") << With("verification", "N", 1000)
                                  << "il campo \"N\" della sezione \"verification\" non è un testo "
                                     "tra virgolette!";
        QTest::newRow("1001 characters")
            << With("verification", "R", QString(1001, u'1'))
            << "il campo \"R\" della sezione \"verification\" è più lungo di 1000 caratteri!";
        QTest::newRow("unknown series")
            << With("part", "series", "E48")
            << "il campo \"series\" della sezione \"part\" vale \"E48\", che non è tra le scelte "
               "possibili (E6, E12, E24, E96)!";
    }
    void aFileOpensWholeOrNotAtAll() {
        QFETCH(QByteArray, content);
        QFETCH(QString, why);
        QTemporaryDir folder;
        const QString path = folder.filePath("progetto.velmaro");
        if (content == "folder")
            QVERIFY(QDir(folder.path()).mkdir("progetto.velmaro"));
        else if (content == "pipe")
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (content != "missing")
            Write(path, content);
        FilesWindow window;
        for (const FieldCase& field : kFields)
            window.field(field.name).setText(QString(field.name) + " before");
        const QStringList before = window.texts();
        window.answer = path;
        const QStringList shown = window.keys(Qt::Key_O);
        const QStringList question{"Salvare le modifiche a Senza nome?"}; // answered Non salvare
        if (why.isEmpty()) {
            QCOMPARE(shown, question);
            QCOMPARE(window.texts(), TextsIn(content));
            QCOMPARE(window.main.Files().CurrentFile(), path);
        } else {
            QCOMPARE(shown, question + QStringList("Impossibile aprire il file " + path + ": " + why));
            QCOMPARE(window.texts(), before);
            QCOMPARE(window.main.Files().CurrentFile(), QString());
        }
    }

    void aFailedSaveKeepsTheOldFile_data() {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("why");
        QTest::newRow("write fails")
            << "write fails"
            << "la scrittura non è riuscita (il disco potrebbe essere pieno)!";
        QTest::newRow("text too long")
            << "text too long"
            << "il campo \"C\" della sezione \"verification\" è più lungo di 1000 caratteri!";
        QTest::newRow("no folder") << "no folder"
                                   << "la cartella <folder> non esiste!";
    }
    void aFailedSaveKeepsTheOldFile() {
        QFETCH(QString, failure);
        QFETCH(QString, why);
        QTemporaryDir folder;
        const QString path = folder.filePath("progetto.velmaro");
        FilesWindow window;
        window.answer = path;
        QCOMPARE(window.keys(Qt::Key_S), QStringList());
        const QByteArray old = Bytes(path);

        window.field("Text10").setText(failure == "text too long" ? QString(1001, u'1') : "22");
        QStringList shown;
        if (failure == "write fails") {
            const FileSizeLimit limit;
            shown = window.keys(Qt::Key_S);
        } else if (failure == "text too long") {
            shown = window.keys(Qt::Key_S);
        } else {
            window.answer = folder.filePath("gone/progetto.velmaro");
            shown = window.keys(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
            why.replace("<folder>", folder.filePath("gone"));
        }
        QCOMPARE(shown, QStringList("Impossibile salvare il file " + window.answer + ": " + why));
        QCOMPARE(Bytes(path), old);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList("progetto.velmaro"));
        QCOMPARE(window.main.Files().CurrentFile(), path);
    }

    // The toolkit's own words are Italian whatever the locale: a field's menu and the buttons of
    // the file dialogs.
    void theToolkitSpeaksItalian_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("C") << QLocale::c();
        QTest::newRow("Italian") << ItalianLocale();
    }
    void theToolkitSpeaksItalian() {
        QFETCH(QLocale, locale);
        const LocaleScope scope(locale);
        MainWindowSession window;
        const auto plain = [](QString text) { return text.section(u'\t', 0, 0).remove(u'&'); };
        std::unique_ptr<QMenu> menu(window.field("Text1").createStandardContextMenu());
        QStringList entries;
        for (const QAction* action : menu->actions())
            if (!action->isSeparator())
                entries << plain(action->text());
        QCOMPARE(entries, QStringList({"Annulla", "Rifai", "Taglia", "Copia", "Incolla", "Elimina",
                                       "Seleziona tutto"}));

        for (const auto& [keys, accept] :
             {std::pair{QKeySequence(Qt::CTRL | Qt::Key_O), QString("Apri")},
              std::pair{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), QString("Salva")}}) {
            QStringList buttons;
            QTimer::singleShot(0, [&] {
                auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                if (!dialog)
                    return;
                for (const QPushButton* button :
                     dialog->findChild<QDialogButtonBox*>()->findChildren<QPushButton*>())
                    buttons << plain(button->text());
                dialog->reject();
            });
            for (QAction* action : window.main.actions())
                if (action->shortcut() == keys)
                    action->trigger();
            QCOMPARE(buttons, QStringList({accept, "Annulla"}));
        }
    }
};

VELMARO_TEST(DesignFilesTest);

#include "design_files_tests.moc"
