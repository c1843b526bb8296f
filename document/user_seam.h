#pragma once

#include <QString>

class CProgressSink;
class CWorker;

// Everything the document needs from the user: telling them something and
// letting them watch (and stop) a comparison. The window answers with message
// boxes and a modal progress dialog; tests and the report mode answer without
// a display.
class CUserSeam
{
public:
    virtual ~CUserSeam();

    // Shows one of the document's fixed messages and returns once it has been seen.
    virtual void ShowMessage(const QString& text) = 0;
    // Where the worker of the next comparison reports its progress. Called on
    // the worker thread, so it must hand the value on without waiting.
    virtual CProgressSink* ProgressSink() = 0;
    // Starts the worker, whose job compares the files and reports to
    // ProgressSink, and returns only after the job has returned, whether it
    // ran to the end or was stopped.
    virtual void RunComparison(CWorker& worker) = 0;
};
