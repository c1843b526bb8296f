#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <stop_token>
#include <vector>

class CDirNodeList;
struct CDirNode;

// Compares the content of many pairs of regular files of two scanned trees,
// on several threads: reading files is most of the time of a directory
// comparison, and much of it is spent waiting for the system, which several
// readers share. Pairs are handed out in order in small runs, so that each
// reader meets the files of one folder one after the other and opens that
// folder once for all of them.
class CFilePairReader
{
public:
    struct PAIR
    {
        CDirNode* first;
        CDirNode* second;
    };

    CFilePairReader(const CDirNodeList& firstList, const CDirNodeList& secondList);

    // Compares every pair; equal[i] is set to 1 when the files of pairs[i]
    // hold the same bytes. A file that cannot be opened or read gets the
    // errno in its node's error. Each node must be in one pair at most.
    // progress is called on the calling thread with the number of pairs done
    // so far, after each run of pairs it compared itself. A stop requested
    // through stop ends the work after the runs under way.
    void Compare(const std::vector<PAIR>& pairs, std::vector<char>& equal,
                 const std::function<void(std::size_t done)>& progress,
                 const std::stop_token& stop);

private:
    class CFolderCache;

    // Compares runs of pairs until none is left; returns after each run when
    // the caller is to report progress.
    void Work(const std::vector<PAIR>& pairs, std::vector<char>& equal, const std::stop_token& stop,
              const std::function<void(std::size_t)>* progress);

    const CDirNodeList& firstList_;
    const CDirNodeList& secondList_;
    std::atomic<std::size_t> next_{0};
    std::atomic<std::size_t> done_{0};
};
