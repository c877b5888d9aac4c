// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Helpers for driving the real windows: answering the message boxes a command shows, finding
// controls by name, and switching the locale whose decimal separator the labels show.

#include "app/design_state.h"
#include "main_window/form1.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>

// The point at of widget scrolled into view when the widget lies on a scrolling page: QTest
// sends pointer events by window coordinates, which reach only what is in view. at itself.
inline QPoint InView(QWidget& widget, QPoint at) {
    for (QWidget* up = widget.parentWidget(); up; up = up->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(up); area && area->widget()) {
            const QPoint onPage = widget.mapTo(area->widget(), at);
            area->ensureVisible(onPage.x(), onPage.y(), 4, 4);
            break;
        }
    return at;
}

// What one message box looked like when it was answered.
struct ShownMessage {
    QString title;
    QString text;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    bool applicationModal;
    QStringList buttonTexts; // its buttons' captions
};

// While alive, answers every message box as soon as it is shown and records it: with answer
// when the box has that button, otherwise with OK, or "Non salvare" to the question on unsaved
// changes.
class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(QMessageBox::StandardButton answer = QMessageBox::Ok)
        : answer_(answer) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { AnswerOpenBox(); });
        timer_.start();
    }

    const QList<ShownMessage>& shown() const { return shown_; }

    QStringList texts() const {
        QStringList texts;
        for (const ShownMessage& message : shown_)
            texts << message.text;
        return texts;
    }

private:
    void AnswerOpenBox() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        QStringList buttonTexts;
        for (QAbstractButton* button : box->buttons())
            buttonTexts << button->text();
        shown_.append({box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                       box->windowModality() == Qt::ApplicationModal, buttonTexts});
        for (const QMessageBox::StandardButton which :
             {answer_, QMessageBox::Ok, QMessageBox::Discard})
            if (QAbstractButton* button = box->button(which)) {
                button->click();
                return;
            }
    }

    QMessageBox::StandardButton answer_;
    QTimer timer_;
    QList<ShownMessage> shown_;
};

// Clicks a push button and returns the texts of the message boxes the command showed.
inline QStringList ClickAndAnswer(QWidget& window, const char* buttonName) {
    MessageBoxAnswerer answerer;
    auto* button = window.findChild<QPushButton*>(QString::fromLatin1(buttonName));
    QTest::mouseClick(button, Qt::LeftButton);
    return answerer.texts();
}

// Sets the default locale for the lifetime of the object.
class LocaleScope {
public:
    explicit LocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(previous_); }

private:
    QLocale previous_;
};

inline QLocale EnglishLocale() { return QLocale(QLocale::English, QLocale::UnitedStates); }
inline QLocale ItalianLocale() { return QLocale(QLocale::Italian, QLocale::Italy); }

// The top-level window of that type on show, if any.
template <typename Window>
Window* ShownWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<Window*>(widget); window && window->isVisible())
            return window;
    return nullptr;
}

// A fresh main window over a fresh design state, shown offscreen, and what the tests read and
// do on it.
struct MainWindowSession {
    app::DesignState state;
    main_window::Form1 main{state};

    MainWindowSession() {
        main.show();
        (void)QTest::qWaitForWindowExposed(&main);
    }
    QLineEdit& field(const QString& name) { return *main.findChild<QLineEdit*>(name); }
    QString text(const QString& name) { return field(name).text(); }
    QColor textColour(const QString& name) { return field(name).palette().color(QPalette::Text); }
    QString caption(const QString& name) { return main.findChild<QLabel*>(name)->text(); }
    QStringList click(const char* button) { return ClickAndAnswer(main, button); }
    // The verification fields E, D, f, R, C, N, NP, NI in that order, as many as given.
    void setVerification(const QStringList& values) {
        const char* names[] = {"Text7",  "Text8",  "Text12", "Text9",
                               "Text10", "Text13", "Text14", "Text15"};
        for (int k = 0; k < values.size(); ++k)
            field(names[k]).setText(values[k]);
    }
};
