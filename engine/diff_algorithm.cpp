#include "engine/diff_algorithm.h"

#include <system_error>

CDiffAlgorithm::~CDiffAlgorithm()
{
    Wait();
}

void CDiffAlgorithm::Init(CProgressSink* notify, CDiffBuf* buf1, CDiffBuf* buf2, int minLength,
                          CBlockList* result)
{
    notify_ = notify;
    buf1_ = buf1;
    buf2_ = buf2;
    // A block size below 1 would accept empty runs without end.
    minLength_ = minLength < 1 ? 1 : minLength;
    result_ = result;
    stopRequested = false;
    running = false;
}

void CDiffAlgorithm::Start()
{
    Wait();
    stopRequested = false;
    running = true;
    try {
        worker_ = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
        running = false;
    }
}

void CDiffAlgorithm::Wait()
{
    if (worker_.joinable())
        worker_.join();
}

void CDiffAlgorithm::Notify(int permille) const
{
    if (notify_)
        notify_->PostProgress(permille);
}
