#pragma once

// What the engine benchmarks share: reading a file into a comparison buffer
// the way the program does, and timing.
#include "engine/bin_buf.h"
#include "engine/text_buf.h"

#include <chrono>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

using Clock = std::chrono::steady_clock;

inline double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The whole file at once, as the program reads it; null when it cannot be read.
inline std::unique_ptr<CDiffBuf> Load(const char* path, bool binary)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return nullptr;
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (binary) {
        auto buf = std::make_unique<CBinBuf>(path);
        return buf->SetData(std::move(bytes)) ? std::move(buf) : nullptr;
    }
    auto buf = std::make_unique<CTextBuf>(path, false, false);
    return buf->SetData(std::move(bytes)) ? std::move(buf) : nullptr;
}
