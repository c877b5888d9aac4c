// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/long_work.h"

#include "app/message.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QMetaObject>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>

#include <atomic>
#include <cmath>
#include <system_error>
#include <thread>

namespace app {

namespace {

// How long work runs before its dialog shows, how often the dialog is brought up to date, and
// how often the window's thread looks whether the worker has ended.
constexpr int kQuietMilliseconds = 500;
constexpr int kProgressMilliseconds = 100;
constexpr int kPollMilliseconds = 5;
constexpr int kBarSteps = 1000;

// What ends a wait in the local event loop, besides a request to quit the application, which
// ends it with 0 (or -1 once the application is past quitting).
constexpr int kWorkEnded = 1;
constexpr int kQuietTimeOver = 2;

// While alive, turns the application's quit request into a stop of the work, and repeats the
// request once the work is over: the windows are then closed as usual, with nothing running.
class QuitDuringWork : public QObject {
public:
    explicit QuitDuringWork(engine::RunControl& control) : control_(control) {
        qApp->installEventFilter(this);
    }
    ~QuitDuringWork() override {
        qApp->removeEventFilter(this);
        if (asked_)
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    }
    bool Asked() const { return asked_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != qApp || event->type() != QEvent::Quit)
            return false;
        asked_ = true;
        control_.RequestStop();
        return true;
    }

private:
    engine::RunControl& control_;
    bool asked_ = false;
};

QProgressDialog* MakeDialog(engine::RunControl& control) {
    auto* dialog = new QProgressDialog(QApplication::activeWindow());
    dialog->setObjectName(QStringLiteral("RunProgress"));
    dialog->setWindowTitle(QString::fromUtf16(kProgramTitle));
    dialog->setCancelButtonText(QStringLiteral("Interrompi"));
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    dialog->setRange(0, kBarSteps);
    dialog->setMinimumDuration(0);
    QObject::connect(dialog, &QProgressDialog::canceled, [&control] { control.RequestStop(); });
    QObject::connect(dialog, &QDialog::rejected, [&control] { control.RequestStop(); });
    return dialog;
}

void ShowProgress(QProgressDialog& dialog, const WorkProgress& progress) {
    if (dialog.labelText() != progress.label)
        dialog.setLabelText(progress.label);
    const double done = std::isfinite(progress.done) ? std::fmin(std::fmax(progress.done, 0), 1) : 0;
    const int value = int(done * kBarSteps);
    if (dialog.value() != value)
        dialog.setValue(value);
}

} // namespace

WorkEnd LongWorkRunner::RunLongWork(const LongWork& work) { return RunHere(work); }

WorkEnd RunHere(const LongWork& work) {
    engine::RunControl control;
    try {
        work.run(control);
    } catch (const engine::WorkStopped&) {
        return WorkEnd::Stopped;
    }
    return WorkEnd::Finished;
}

WorkEnd RunWithProgress(const LongWork& work) {
    engine::RunControl control;
    QEventLoop loop;
    std::atomic<bool> finished{false};
    bool stopped = false;
    QuitDuringWork quit(control);
    // The worker hands its results over by ending: join() orders everything it wrote before
    // what this thread reads next. It calls nothing of the toolkit: this thread looks at the flag
    // every few milliseconds instead of being woken.
    std::jthread worker;
    try {
        worker = std::jthread([&] {
            try {
                work.run(control);
            } catch (const engine::WorkStopped&) {
                stopped = true;
            }
            finished.store(true, std::memory_order_release);
        });
    } catch (const std::system_error&) {
        // No thread to be had (the memory or the threads are exhausted): the work runs here
        // rather than not at all.
        return RunHere(work);
    }

    QPointer<QProgressDialog> dialog;
    QTimer progress;
    progress.setInterval(kProgressMilliseconds);
    QObject::connect(&progress, &QTimer::timeout, [&] {
        if (dialog)
            ShowProgress(*dialog, work.progress(control));
    });
    progress.start();
    QTimer poll;
    poll.setInterval(kPollMilliseconds);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (finished.load(std::memory_order_acquire))
            loop.exit(kWorkEnded);
    });
    poll.start();
    QTimer quiet;
    quiet.setSingleShot(true);
    QObject::connect(&quiet, &QTimer::timeout, [&loop] { loop.exit(kQuietTimeOver); });
    quiet.start(kQuietMilliseconds);

    QEventLoop::ProcessEventsFlags flags = QEventLoop::ExcludeUserInputEvents;
    while (!finished.load(std::memory_order_acquire)) {
        const int reason = loop.exec(flags);
        if (reason == kQuietTimeOver && !dialog) {
            dialog = MakeDialog(control);
            ShowProgress(*dialog, work.progress(control));
            dialog->show();
            flags = QEventLoop::AllEvents;
        } else if (reason != kWorkEnded && reason != kQuietTimeOver) {
            // The application is on its way out: stop, and wait for the worker below.
            control.RequestStop();
            break;
        }
    }
    worker.join();
    delete dialog.data();
    if (stopped || quit.Asked())
        return WorkEnd::Stopped;
    return WorkEnd::Finished;
}

} // namespace app
