// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/long_work.h"

#include "app/text.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <QMetaObject>
#include <QProgressDialog>
#include <QPushButton>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <exception>
#include <new>
#include <system_error>
#include <thread>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace app {

namespace {

// How long work runs before its dialog shows, and how often the dialog is brought up to date.
constexpr int kQuietMilliseconds = 500;
constexpr int kProgressMilliseconds = 100;
constexpr int kBarSteps = 1000;

// What the worker's wake and the quiet timer end a wait in the local event loop with. Either only
// asks the loop to look again at what has happened: two of them handled in one pass leave the
// second's code, so the loop reads the state they set, never the code alone. Anything else is
// a request to quit the application, which ends the wait with 0 (or -1 once the application is
// past quitting).
constexpr int kLookAgain = 1;

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

// The progress dialog. A stop does not close it: it stays on show, modal, with "Interrompi"
// disabled, until the work has ended, so that no input reaches a window in between.
class ProgressDialog : public QProgressDialog {
public:
    explicit ProgressDialog(engine::RunControl& control)
        : QProgressDialog(QApplication::activeWindow()), control_(control) {
        setObjectName(QStringLiteral("RunProgress"));
        setWindowTitle(ProgramTitle());
        setCancelButtonText(Text::tr("Interrompi"));
        setWindowModality(Qt::ApplicationModal);
        setAutoClose(false);
        setAutoReset(false);
        setRange(0, kBarSteps);
        setMinimumDuration(0);
        // The dialog's own answer to its button resets and hides it: the stop replaces it.
        disconnect(this, SIGNAL(canceled()), this, SLOT(cancel()));
        connect(this, &QProgressDialog::canceled, this, &ProgressDialog::Stop);
    }

    void Show(const WorkProgress& progress) {
        if (labelText() != progress.label)
            setLabelText(progress.label);
        const double done =
            std::isfinite(progress.done) ? std::fmin(std::fmax(progress.done, 0), 1) : 0;
        if (const int bar = int(done * kBarSteps); value() != bar)
            setValue(bar);
    }

    // Escape.
    void reject() override { Stop(); }

protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        Stop();
    }

private:
    void Stop() {
        control_.RequestStop();
        if (auto* button = findChild<QPushButton*>())
            button->setEnabled(false);
    }

    engine::RunControl& control_;
};

// The worker's way of waking the window's thread: a pipe, its read end watched by the event loop.
class WakePipe {
public:
    static std::optional<WakePipe> Open() {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
            return std::nullopt;
        return WakePipe(ends[0], ends[1]);
    }
    WakePipe(WakePipe&& other) noexcept
        : read_(std::exchange(other.read_, -1)), write_(std::exchange(other.write_, -1)) {}
    WakePipe(const WakePipe&) = delete;
    WakePipe& operator=(const WakePipe&) = delete;
    ~WakePipe() {
        for (const int end : {read_, write_})
            if (end >= 0)
                ::close(end);
    }

    int ReadEnd() const { return read_; }
    // The worker's side, once.
    void Signal() const {
        const char byte = 1;
        while (::write(write_, &byte, 1) < 0 && errno == EINTR) {
        }
    }
    // The window's side.
    void Drain() const {
        char byte;
        while (::read(read_, &byte, 1) > 0) {
        }
    }

private:
    WakePipe(int read, int write) : read_(read), write_(write) {}
    int read_, write_;
};

// What the user is told of work that threw.
WorkOutcome Failure(const std::exception_ptr& failure, const LongWork& work) {
    try {
        std::rethrow_exception(failure);
    } catch (const std::bad_alloc&) {
        return {WorkEnd::Failed, work.outOfMemory};
    } catch (const std::exception& error) {
        return {WorkEnd::Failed, Text::tr("Errore interno: %1").arg(QString::fromLocal8Bit(error.what()))};
    } catch (...) {
        return {WorkEnd::Failed, Text::tr("Errore interno: %1").arg(Text::tr("errore sconosciuto"))};
    }
}

} // namespace

int CommandInProgress::depth_ = 0;

CommandInProgress::CommandInProgress() {
    if (depth_++ == 0)
        qApp->installEventFilter(this);
}

CommandInProgress::~CommandInProgress() {
    if (--depth_ != 0)
        return;
    qApp->removeEventFilter(this);
    // After the command: whatever asked for the closes has long returned.
    for (const QPointer<QWidget>& window : closes_)
        if (window)
            QMetaObject::invokeMethod(window, &QWidget::close, Qt::QueuedConnection);
}

bool CommandInProgress::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Close || !watched->isWidgetType())
        return false;
    // Only the program's own windows wait: top-level widgets of the plain window type, which
    // every window the user opens is. Dialogs (the progress dialog among them) close as the
    // command wants them to; menus, combo lists, tooltips and splash screens are brief and the
    // toolkit closes them through close() too (a tooltip as it expires, a popup at a click
    // elsewhere): held back, they would stay on screen until the command has returned.
    auto* window = static_cast<QWidget*>(watched);
    if (!window->isWindow() || window->windowType() != Qt::Window || qobject_cast<QDialog*>(window))
        return false;
    event->ignore();
    if (std::find(closes_.begin(), closes_.end(), window) == closes_.end())
        closes_.emplace_back(window);
    return true;
}

WorkOutcome LongWorkRunner::RunLongWork(const LongWork& work) { return RunHere(work); }

WorkOutcome RunHere(const LongWork& work) {
    engine::RunControl control;
    try {
        work.run(control);
    } catch (const engine::WorkStopped&) {
        return {WorkEnd::Stopped, {}};
    } catch (...) {
        return Failure(std::current_exception(), work);
    }
    return {};
}

WorkOutcome RunWithProgress(const LongWork& work) {
    CommandInProgress command;
    engine::RunControl control;
    QEventLoop loop;
    QuitDuringWork quit(control);
    bool stopped = false;
    std::exception_ptr failure;
    // The worker hands its results over by ending: join() orders everything it wrote before
    // what this thread reads next. Its last act wakes this thread: it writes a byte into a pipe
    // whose other end this thread's event loop watches. The worker touches nothing of the
    // toolkit, and the pipe orders its writes before this thread's reads for ThreadSanitizer too.
    const std::optional<WakePipe> wake = WakePipe::Open();
    if (!wake)
        return RunHere(work); // no descriptors left: the work runs here rather than not at all
    bool ended = false;
    QSocketNotifier woken(wake->ReadEnd(), QSocketNotifier::Read);
    QObject::connect(&woken, &QSocketNotifier::activated, [&] {
        wake->Drain();
        ended = true;
        loop.exit(kLookAgain);
    });
    std::jthread worker;
    try {
        worker = std::jthread([&] {
            try {
                work.run(control);
            } catch (const engine::WorkStopped&) {
                stopped = true;
            } catch (...) {
                failure = std::current_exception();
            }
            wake->Signal();
        });
    } catch (const std::system_error&) {
        // No thread to be had (the memory or the threads are exhausted): the work runs here
        // rather than not at all.
        return RunHere(work);
    }

    std::unique_ptr<ProgressDialog> dialog;
    QTimer progress;
    progress.setInterval(kProgressMilliseconds);
    QObject::connect(&progress, &QTimer::timeout, [&] {
        if (dialog)
            dialog->Show(work.progress(control));
    });
    progress.start();
    bool quietOver = false;
    QTimer quiet;
    quiet.setSingleShot(true);
    QObject::connect(&quiet, &QTimer::timeout, [&] {
        quietOver = true;
        loop.exit(kLookAgain);
    });
    quiet.start(kQuietMilliseconds);

    // The work's end is the state this waits for: a wake that arrives while the loop is not
    // running, or whose code another exit overwrote, is not lost.
    QEventLoop::ProcessEventsFlags flags = QEventLoop::ExcludeUserInputEvents;
    while (!ended) {
        if (quietOver && !dialog) {
            dialog = std::make_unique<ProgressDialog>(control);
            dialog->Show(work.progress(control));
            dialog->show();
            flags = QEventLoop::AllEvents;
            continue; // showing the dialog may have handled the wake
        }
        if (loop.exec(flags) != kLookAgain && !ended) {
            // The application is on its way out: stop, and wait for the worker below.
            control.RequestStop();
            break;
        }
    }
    worker.join();
    dialog.reset();
    if (failure)
        return Failure(failure, work);
    if (stopped || quit.Asked())
        return {WorkEnd::Stopped, {}};
    return {};
}

} // namespace app
