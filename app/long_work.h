// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Work that may take long (a run, a large copy or save) goes to a worker thread while the
// window's thread shows how far it has got and lets the user stop it. The caller still sees one
// call that returns when the work has ended, so commands keep their order of events.

#include "engine/run_control.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

namespace app {

// What the progress dialog shows: its line and how much of the work is done, from 0 to 1.
struct WorkProgress {
    QString label;
    double done = 0;
};

struct LongWork {
    // Runs on the worker: checks the control now and then, and publishes its progress there; it
    // may end early by throwing engine::WorkStopped. It must touch no widget. Any other exception
    // it throws ends the work as a failure, reported on the window's thread.
    std::function<void(engine::RunControl&)> run;
    // Runs on the window's thread, a few times a second: reads the control, nothing else.
    std::function<WorkProgress(const engine::RunControl&)> progress;
    // The message for work that runs out of memory ("Memoria insufficiente per …").
    QString outOfMemory;
};

enum class WorkEnd {
    Finished, // the work ran to its end
    Stopped,  // the user stopped it, or the application was asked to quit meanwhile
    Failed,   // it threw: failure says what to tell the user
};

struct WorkOutcome {
    WorkEnd end = WorkEnd::Finished;
    QString failure; // when failed: the work's outOfMemory, or "Errore interno: …"
};

// Whoever runs long work for a command: the real windows run it on a worker behind a progress
// dialog; a stand-in runs it at once on the calling thread.
class LongWorkRunner {
public:
    virtual WorkOutcome RunLongWork(const LongWork& work);

protected:
    ~LongWorkRunner() = default;
};

// The work on this thread, to its end (or until it throws).
WorkOutcome RunHere(const LongWork& work);

// The work on a worker thread, while this thread goes on handling events other than user input.
// For the first half second user input waits, and reaches the windows, in order, once the
// command has returned; then an application-modal QProgressDialog "RunProgress" titled
// "Velmaro" shows, whose "Interrompi", Escape or closing stops the work. Once stopped, the dialog
// stays on show, its button disabled, until the work has ended: like any modal dialog it keeps
// input from the windows, which is dropped. A request to quit the application stops the work
// too, and is carried out once the command has returned. The worker wakes this thread when it
// ends; returns once it has ended.
WorkOutcome RunWithProgress(const LongWork& work);

// While a command runs, windows are not closed under it: from the construction of the first of
// these until the destruction of the last, a request to close one of the program's windows (a
// plain window: not a dialog, menu, popup list, tooltip or splash screen) is refused and carried
// out once the command has returned. Commands that run long work hold one; the
// runner holds one of its own.
class CommandInProgress : public QObject {
public:
    CommandInProgress();
    ~CommandInProgress() override;
    CommandInProgress(const CommandInProgress&) = delete;
    CommandInProgress& operator=(const CommandInProgress&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static int depth_;
    std::vector<QPointer<QWidget>> closes_; // asked while the outermost one was alive
};

} // namespace app
