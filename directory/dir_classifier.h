#pragma once

#include "directory/dir_node_list.h"

#include <atomic>
#include <stop_token>

class CProgressSink;

// Pairs the nodes of two scanned trees by name, compares each file pair byte
// for byte and gives every node its status. Run is the job of the worker of a
// directory comparison; a stop requested through its token ends it at the
// next node, with the classification incomplete.
class CDirClassifier
{
public:
    // progress, if any, receives the progress in per mille at most about once
    // a second and 1000 at the end, on the worker thread.
    // Names pair byte for byte, or with their letter case folded when
    // ignoreNameCase is set (an exact match still wins).
    CDirClassifier(CDirNodeList& first, CDirNodeList& second, CProgressSink* progress = nullptr,
                   bool ignoreNameCase = false);

    void Run(std::stop_token stop = {});

    // True when every node of both trees ends up Normal.
    std::atomic<bool> allIdentical{true};

private:
    class Progress;

    void PairNodes(Progress& progress, const std::stop_token& stop);
    void MarkChangedFolders(Progress& progress, const std::stop_token& stop);
    void ClearIdenticalUnlessAllNormal();
    static bool FilesMatch(const CDirNode& first, const CDirNode& second);

    CDirNodeList& first_;
    CDirNodeList& second_;
    CProgressSink* progressSink_;
    bool ignoreNameCase_;
    int processed_ = 0;
};
