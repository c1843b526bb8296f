#pragma once

#include "directory/dir_user_seam.h"
#include "engine/progress_sink.h"

#include <atomic>
#include <chrono>
#include <functional>

// A directory seam without a display: the classification runs on its worker
// while the calling thread waits, passing the progress on to an observer now
// and then and once at the end (the report mode draws its progress line from
// it). The observer is called on the calling thread, never on the worker.
class CSyncDirUserSeam : public CDirUserSeam, private CProgressSink
{
public:
    explicit CSyncDirUserSeam(std::function<void(int permille)> observer = {});

    void SetBusy(bool busy) override;
    CProgressSink* ProgressSink() override;
    void RunClassification(CWorker& worker) override;

private:
    void PostProgress(int permille) override;
    void Observe() const;

    // How often the observer hears of the progress while the worker runs.
    static constexpr std::chrono::milliseconds kObserverInterval{100};

    std::function<void(int)> observer_;
    std::atomic<int> latest_{0};
};
