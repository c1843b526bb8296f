#pragma once

#include "directory/dir_node_list.h"

#include <atomic>

class CProgressSink;

// Pairs the nodes of two scanned trees by name, compares each file pair byte
// for byte and gives every node its status. Run is the body of the worker
// thread of a directory comparison; the owner may ask it to stop through
// abortRequested and learns that it has ended from workerDone.
class CDirClassifier
{
public:
    // progress, if any, receives the progress in per mille at most about once
    // a second and 1000 at the end, on the worker thread.
    CDirClassifier(CDirNodeList& first, CDirNodeList& second, CProgressSink* progress = nullptr);

    void Run();

    std::atomic<bool> abortRequested{false};
    std::atomic<bool> workerDone{false};
    std::atomic<int> progressPermille{0};
    // True when every node of both trees ends up Normal.
    std::atomic<bool> allIdentical{true};

private:
    class Progress;

    void PairNodes(Progress& progress);
    void MarkChangedFolders(Progress& progress);
    void ClearIdenticalUnlessAllNormal();

    CDirNodeList& first_;
    CDirNodeList& second_;
    CProgressSink* progressSink_;
    int processed_ = 0;
};
