#pragma once

#include "engine/diff_algorithm.h"

// The greedy search for long runs of equal elements: in each pass the longest
// runs between the unmatched ranges of both files are accepted, the ranges are
// cut around them, and the next pass searches what is left. What stays
// unmatched becomes content present in one file only.
class CDiffAlgorithm5 : public CDiffAlgorithm
{
public:
    using CDiffAlgorithm::Init;
    // limit: how far, in elements, from the starts of two unmatched ranges a
    // run of equal elements is searched.
    void Init(CProgressSink* notify, CDiffBuf* buf1, CDiffBuf* buf2, int minLength,
              CBlockList* result, int limit);
    void Run() override;

private:
    int limit_ = 0;
};
