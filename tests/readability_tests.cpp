// SPDX-License-Identifier: GPL-3.0-or-later
// Every text reads under a dark palette: measured on the pixels each window draws, the text
// against the background it lies on, and the plots drawn alike whatever the palette.

#include "app/palette.h"
#include "chooser_window/chooser_window.h"
#include "response_window/response_window.h"
#include "tests/gui_support.h"
#include "tests/test_registry.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QHash>
#include <QHeaderView>
#include <QRadioButton>
#include <QStyle>
#include <QTableWidget>

namespace {

// A dark palette as desktops set one; its own pairs of text and background read.
QPalette DarkPalette() {
    QPalette dark(QColor(235, 235, 235), QColor(45, 45, 48), QColor(90, 90, 90),
                  QColor(20, 20, 20), QColor(60, 60, 60), QColor(235, 235, 235),
                  QColor(235, 235, 235), QColor(30, 30, 32), QColor(45, 45, 48));
    dark.setColor(QPalette::Highlight, QColor(30, 80, 140));
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(QPalette::Disabled, role, QColor(127, 127, 127));
    return dark;
}

// While alive, the application's palette is the one given.
class PaletteScope {
public:
    explicit PaletteScope(const QPalette& palette) : previous_(QApplication::palette()) {
        QApplication::setPalette(palette);
    }
    ~PaletteScope() { QApplication::setPalette(previous_); }

private:
    QPalette previous_;
};

// The contrast of text as drawn in a rectangle of an image: the commonest colour there is the
// background, and the pixel of most contrast against it is the text's.
double DrawnContrast(const QImage& image, QRect inside) {
    QHash<QRgb, int> counts;
    inside &= image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            ++counts[image.pixel(x, y) | 0xff000000u];
    QRgb background = 0;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most)
            most = it.value(), background = it.key();
    double contrast = 1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        contrast = std::max(contrast, app::ContrastRatio(it.key(), background));
    return contrast;
}

QImage Grab(QWidget& widget, const QRect& rect = QRect(QPoint(0, 0), QSize(-1, -1))) {
    return widget.grab(rect).toImage().convertToFormat(QImage::Format_RGB32);
}

// Each visible, enabled text of a window with its contrast as drawn: labels, fields, buttons and
// combo boxes by their inside (frames left out), a table by its header and its cells.
QList<std::pair<QString, double>> TextContrasts(QWidget& window) {
    QList<std::pair<QString, double>> found;
    const auto measure = [&](const QString& what, const QImage& image, const QRect& inside) {
        found.append({window.objectName() + '/' + what, DrawnContrast(image, inside)});
    };
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&window) || !widget->isEnabled())
            continue;
        QString text;
        if (auto* label = qobject_cast<QLabel*>(widget))
            text = label->text();
        else if (auto* field = qobject_cast<QLineEdit*>(widget))
            text = field->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            text = button->text();
        else if (auto* combo = qobject_cast<QComboBox*>(widget))
            text = combo->currentText();
        if (!text.isEmpty()) {
            QRect inside = widget->rect().adjusted(3, 3, -3, -3);
            if (auto* option = qobject_cast<QRadioButton*>(widget)) {
                QStyleOptionButton style;
                style.initFrom(option);
                inside =
                    option->style()->subElementRect(QStyle::SE_RadioButtonContents, &style, option);
            }
            measure(widget->objectName(), Grab(*widget), inside);
        }
        if (auto* table = qobject_cast<QTableWidget*>(widget)) {
            QHeaderView& header = *table->horizontalHeader();
            for (int column = 0; column < table->columnCount(); ++column) {
                const QRect section(header.sectionViewportPosition(column), 0,
                                    header.sectionSize(column), header.height());
                measure(QString("heading %1").arg(column), Grab(*header.viewport(), section),
                        QRect(QPoint(0, 0), section.size()).adjusted(3, 3, -3, -3));
                for (int row = 0; row < table->rowCount(); ++row)
                    if (QTableWidgetItem* item = table->item(row, column);
                        item && !item->text().isEmpty()) {
                        const QRect cell = table->visualItemRect(item);
                        measure(QString("cell %1, %2").arg(row).arg(column),
                                Grab(*table->viewport(), cell),
                                QRect(QPoint(0, 0), cell.size()).adjusted(2, 2, -2, -2));
                    }
            }
        }
    }
    return found;
}

template <typename Window> Window* Shown() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<Window*>(widget); window && window->isVisible())
            return window;
    return nullptr;
}

} // namespace

class ReadabilityTest : public QObject {
    Q_OBJECT
private slots:
    // Each window as a user meets it, its figures shown: the main window after "Dati Esempio"
    // and "Calcola C", the graph window after "Grafici", the response window, the chooser after
    // its "Calcola". Under the dark palette every text reads; the plots, whose background the
    // program fixes, draw the same pixels as under the palette the program starts with.
    void everyTextReadsOnADarkPalette_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("window");
        for (const char* window : {"main", "graph", "response", "chooser"}) {
            QTest::newRow(window) << EnglishLocale() << QString(window);
            QTest::newRow(qPrintable(QString(window) + ", Italian"))
                << ItalianLocale() << QString(window);
        }
    }
    void everyTextReadsOnADarkPalette() {
        QFETCH(QLocale, locale);
        QFETCH(QString, window);
        LocaleScope scope(locale);
        const QPalette light = QApplication::palette();
        PaletteScope dark(DarkPalette());
        MainWindowSession s;
        QCOMPARE(s.click("Command3"), QStringList());
        QCOMPARE(s.click("Command1"), QStringList());
        QWidget* shown = &s.main;
        QStringList plots;
        if (window == "graph") {
            QCOMPARE(s.click("Command2"), QStringList());
            shown = &s.main.GraphWindow();
            plots = {"Picture1"};
        } else if (window == "response") {
            QCOMPARE(s.click("ResponseButton"), QStringList());
            shown = Shown<response_window::ResponseWindow>();
            plots = {"StepPlot", "BodePlot"};
        } else if (window == "chooser") {
            QCOMPARE(s.click("ChooserButton"), QStringList());
            shown = Shown<chooser_window::ChooserWindow>();
            shown->findChild<QLineEdit*>("ChooserTimeField")->setText("10");
            QCOMPARE(ClickAndAnswer(*shown, "ChooserComputeButton"), QStringList());
            plots = {"TradeOffPlot"};
        }
        QVERIFY(shown && shown->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(shown));

        const QList<std::pair<QString, double>> contrasts = TextContrasts(*shown);
        QVERIFY(contrasts.size() >= 8);
        for (const auto& [what, contrast] : contrasts)
            QVERIFY2(contrast >= app::kReadableContrast,
                     qPrintable(QString("%1: %2 : 1").arg(what).arg(contrast, 0, 'f', 2)));

        QList<QImage> onDark;
        for (const QString& plot : plots)
            onDark.append(Grab(*shown->findChild<QWidget*>(plot)));
        QApplication::setPalette(light);
        for (qsizetype i = 0; i < plots.size(); ++i)
            QVERIFY2(Grab(*shown->findChild<QWidget*>(plots[i])) == onDark[i],
                     qPrintable(plots[i]));
    }
};

VELMARO_TEST(ReadabilityTest);

#include "readability_tests.moc"
