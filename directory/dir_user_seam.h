#pragma once

class CProgressSink;
class CWorker;

// What a directory comparison needs from the user: patience while the trees
// are scanned, and a way to watch (and abort) the classification. The window
// shows the wait cursor and a modal progress dialog; the report mode and the
// tests run the classification and wait.
class CDirUserSeam
{
public:
    virtual ~CDirUserSeam();

    // Scanning is about to start (busy) or has ended.
    virtual void SetBusy(bool busy) = 0;
    // Where the classification reports its progress. Called on the worker
    // thread, so it must hand the value on without waiting.
    virtual CProgressSink* ProgressSink() = 0;
    // Starts the worker, whose job classifies the trees, and returns only
    // after the job has returned, whether it completed or was aborted (the
    // seam aborts it by asking the worker to stop).
    virtual void RunClassification(CWorker& worker) = 0;
};
