// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Work that may take long (a run, a large copy or save) goes to a worker thread while the
// window's thread shows how far it has got and lets the user stop it. The caller still sees one
// call that returns when the work has ended, so commands keep their order of events.

#include "engine/run_control.h"

#include <QString>

#include <functional>

namespace app {

// What the progress dialog shows: its line and how much of the work is done, from 0 to 1.
struct WorkProgress {
    QString label;
    double done = 0;
};

struct LongWork {
    // Runs on the worker: checks the control now and then, and publishes its progress there; it
    // may end early by throwing engine::WorkStopped. It must touch no widget.
    std::function<void(engine::RunControl&)> run;
    // Runs on the window's thread, a few times a second: reads the control, nothing else.
    std::function<WorkProgress(const engine::RunControl&)> progress;
};

enum class WorkEnd {
    Finished, // the work ran to its end
    Stopped,  // the user stopped it, or the application was asked to quit meanwhile
};

// Whoever runs long work for a command: the real windows run it on a worker behind a progress
// dialog; a stand-in runs it at once on the calling thread.
class LongWorkRunner {
public:
    virtual WorkEnd RunLongWork(const LongWork& work);

protected:
    ~LongWorkRunner() = default;
};

// The work on this thread, to its end (or until it throws engine::WorkStopped).
WorkEnd RunHere(const LongWork& work);

// The work on a worker thread, while this thread goes on handling events: for half a second with
// user input held back (it reaches the windows after the work), then behind an
// application-modal QProgressDialog "RunProgress" titled "Velmaro" whose "Interrompi", Escape or
// closing stops the work. A request to quit the application meanwhile stops the work too, and is
// carried out once this call has returned. Returns when the worker has ended.
WorkEnd RunWithProgress(const LongWork& work);

} // namespace app
