#pragma once

#include "engine/block_list.h"
#include "engine/diff_buf.h"
#include "engine/progress_sink.h"

#include <atomic>
#include <thread>

// Holds the inputs of a comparison run, its two flags and its worker thread.
class CDiffAlgorithm
{
public:
    CDiffAlgorithm() = default;
    // Waits for the worker, so a worker never outlives the object it runs on.
    virtual ~CDiffAlgorithm();
    CDiffAlgorithm(const CDiffAlgorithm&) = delete;
    CDiffAlgorithm& operator=(const CDiffAlgorithm&) = delete;

    void Init(CProgressSink* notify, CDiffBuf* buf1, CDiffBuf* buf2, int minLength,
              CBlockList* result);
    // The comparison; appends the blocks to the result list, which must be empty.
    virtual void Run() = 0;

    // Starts Run on a new thread. running is set before the thread exists and
    // cleared by Run when its result is complete.
    void Start();
    // Waits until the worker thread has ended.
    void Wait();

    // Set by the owner to ask the run to stop; the run then delivers a complete
    // but coarser result.
    std::atomic<bool> stopRequested{false};
    std::atomic<bool> running{false};

protected:
    // Reports progress in per mille to the sink, if any.
    void Notify(int permille) const;

    CDiffBuf* buf1_ = nullptr;
    CDiffBuf* buf2_ = nullptr;
    CBlockList* result_ = nullptr;
    // The block size: the shortest run of equal elements accepted as common.
    int minLength_ = 1;
    CProgressSink* notify_ = nullptr;

private:
    std::thread worker_;
};
