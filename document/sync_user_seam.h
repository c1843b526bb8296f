#pragma once

#include "document/user_seam.h"
#include "engine/progress_sink.h"

#include <QStringList>

#include <atomic>
#include <chrono>
#include <functional>

// The user as seen without a display: messages are collected in order, and a
// comparison runs on its worker while the calling thread waits for it. The
// caller may watch the progress through an observer, which is called on the
// calling thread, never on the worker.
class CSyncUserSeam : public CUserSeam, private CProgressSink
{
public:
    using ProgressObserver = std::function<void(int permille)>;

    explicit CSyncUserSeam(ProgressObserver observer = {});

    void ShowMessage(const QString& text) override;
    CProgressSink* ProgressSink() override;
    void RunComparison(CWorker& worker) override;

    // Every message shown so far, oldest first.
    const QStringList& Messages() const { return messages_; }
    void ClearMessages() { messages_.clear(); }

private:
    void PostProgress(int permille) override;
    void Observe() const;

    // How often the observer hears of the progress while a worker runs.
    static constexpr std::chrono::milliseconds kObserverInterval{100};

    ProgressObserver observer_;
    QStringList messages_;
    std::atomic<int> latest_{0};
};
