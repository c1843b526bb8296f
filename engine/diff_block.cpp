#include "engine/diff_block.h"

#include <atomic>

int NextBlockId()
{
    static std::atomic<int> counter{0};
    return counter.fetch_add(1, std::memory_order_relaxed);
}
