#pragma once

class CDirClassifier;

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
    // Runs the classifier on a worker thread and returns only after the
    // worker has set workerDone, whether it completed or was aborted.
    virtual void RunClassification(CDirClassifier& classifier) = 0;
};
