#pragma once

#include "engine/diff_buf.h"
#include "engine/diff_result.h"
#include "engine/progress_sink.h"

#include <atomic>

// The greedy search for long runs of equal elements: in each pass the longest
// runs between the unmatched ranges of both files are accepted, the ranges are
// cut around them, and the next pass searches what is left. What stays
// unmatched becomes content present in one file only.
class CDiffAlgorithm5
{
public:
    // blockSize: the shortest run of equal elements accepted as common (below
    // 1 is used as 1). limit: how far, in elements, from the starts of two
    // unmatched ranges a run of equal elements is searched (below 0 is 0).
    CDiffAlgorithm5(int blockSize, int limit);

    // Compares the two buffers and returns the finished result. stop may be
    // set at any time, from any thread: the run then ends early and still
    // delivers a complete but coarser result that covers both files. The
    // progress goes to sink, if any, in per mille, ending with 1000.
    CDiffResult Run(const CDiffBuf& first, const CDiffBuf& second, const std::atomic<bool>& stop,
                    CProgressSink* sink = nullptr) const;

    // The search alone, without the post-processing: the list of all blocks
    // holds the Common blocks in the order they were accepted, then the
    // unmatched stretches of the first file, then those of the second, and
    // the per-file lists are empty. CDiffResult::Finish completes it.
    CDiffResult Search(const CDiffBuf& first, const CDiffBuf& second, const std::atomic<bool>& stop,
                       CProgressSink* sink = nullptr) const;

private:
    int minLength_;
    int limit_;
};
