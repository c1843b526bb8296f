#pragma once

// Receives the progress of a comparison run, in per mille. Called on the worker
// thread: an implementation must hand the value on without waiting for the
// thread it reports to (post it, never send it).
class CProgressSink
{
public:
    virtual ~CProgressSink() = default;
    virtual void PostProgress(int permille) = 0;
};
