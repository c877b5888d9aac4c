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
#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
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

// The thread that runs the work of commands, kept from one command to the next and parked on a
// condition in between. A thread started for each command cost a "Grafici" at N 1000, which
// takes under five milliseconds, another 0.6 to 0.9 ms of processor time (the start, and a new
// thread that begins cold), and on a machine busy with other builds several milliseconds of
// waiting for a processor. It is stopped and joined as the program ends, with no work left.
class ParkedWorker {
public:
    static ParkedWorker& Instance() {
        static ParkedWorker worker;
        return worker;
    }
    ParkedWorker(const ParkedWorker&) = delete;
    ParkedWorker& operator=(const ParkedWorker&) = delete;
    ~ParkedWorker() {
        {
            std::lock_guard lock(mutex_);
            closing_ = true;
        }
        changed_.notify_all();
        if (thread_.joinable())
            thread_.join();
    }

    // Hands the job to the thread. False when it is busy with another command's work (a
    // command run from inside this one's wait), or cannot be started: the caller then starts
    // a thread of its own.
    bool TryStart(std::function<void()> job) {
        if (handedOver_)
            return false;
        if (!thread_.joinable()) {
            try {
                thread_ = std::thread([this] { Serve(); });
            } catch (const std::system_error&) {
                return false;
            }
        }
        {
            std::lock_guard lock(mutex_);
            job_ = std::move(job);
        }
        handedOver_ = true;
        changed_.notify_all();
        return true;
    }

    // Waits until the job handed over has returned: everything it wrote is then visible here.
    void WaitForEnd() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return !job_; });
        handedOver_ = false;
    }

private:
    ParkedWorker() = default;

    void Serve() {
        std::unique_lock lock(mutex_);
        for (;;) {
            changed_.wait(lock, [this] { return job_ || closing_; });
            if (!job_)
                return;
            lock.unlock();
            job_();
            lock.lock();
            job_ = nullptr;
            changed_.notify_all();
        }
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::function<void()> job_; // while set, the thread is running it
    bool closing_ = false;
    bool handedOver_ = false; // the window's thread's own view: a job not yet waited for
    std::thread thread_;
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

// Waits in a local event loop until the work has ended (true), or the application is on its
// way out (false). For the first half second user input waits; then the progress
// dialog shows, and the loop handles every event. The work's end is the state this waits for,
// not the code an exit leaves: a wake and the quiet timer handled in one pass leave the second's
// code, and a wake handled between two waits leaves none.
bool WaitInEventLoop(const LongWork& work, engine::RunControl& control, const WakePipe& wake) {
    QEventLoop loop;
    bool ended = false;
    QSocketNotifier woken(wake.ReadEnd(), QSocketNotifier::Read);
    QObject::connect(&woken, &QSocketNotifier::activated, [&] {
        wake.Drain();
        ended = true;
        loop.exit(kLookAgain);
    });

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

    QEventLoop::ProcessEventsFlags flags = QEventLoop::ExcludeUserInputEvents;
    while (!ended) {
        if (quietOver && !dialog) {
            dialog = std::make_unique<ProgressDialog>(control);
            dialog->Show(work.progress(control));
            dialog->show();
            flags = QEventLoop::AllEvents;
            continue; // showing the dialog may have handled the wake
        }
        if (loop.exec(flags) != kLookAgain && !ended)
            return false;
    }
    return true;
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
    bool stopped = false;
    std::exception_ptr failure;
    // The worker hands its results over by ending the job: the wait for that end (the parked
    // thread's lock, or join()) orders everything it wrote before what this thread reads next.
    // Its last act wakes this thread: it writes a byte into a pipe whose other end this thread's
    // event loop watches. The worker touches nothing of the toolkit, and the pipe orders its
    // writes before this thread's reads for ThreadSanitizer too.
    const std::optional<WakePipe> wake = WakePipe::Open();
    if (!wake)
        return RunHere(work); // no descriptors left: the work runs here rather than not at all
    const std::function<void()> job = [&] {
        try {
            work.run(control);
        } catch (const engine::WorkStopped&) {
            stopped = true;
        } catch (...) {
            failure = std::current_exception();
        }
        wake->Signal();
    };
    ParkedWorker& parked = ParkedWorker::Instance();
    std::jthread ownThread;
    if (!parked.TryStart(job)) {
        try {
            ownThread = std::jthread(job);
        } catch (const std::system_error&) {
            // No thread to be had (the memory or the threads are exhausted): the work runs
            // here rather than not at all.
            return RunHere(work);
        }
    }

    QuitDuringWork quit(control);
    if (!WaitInEventLoop(work, control, *wake))
        control.RequestStop(); // the application is on its way out: stop, and wait below
    if (ownThread.joinable())
        ownThread.join();
    else
        parked.WaitForEnd();
    if (failure)
        return Failure(failure, work);
    if (stopped || quit.Asked())
        return {WorkEnd::Stopped, {}};
    return {};
}

} // namespace app
