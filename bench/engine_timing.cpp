// Times the comparison engine alone on two files: reading, the matcher and the
// post-processing, each separately. Used to see where the time of a comparison
// goes; the whole-program figures come from the benchmark scripts.
#include "bench/bench_files.h"
#include "engine/diff_algorithm5.h"
#include "engine/text_buf.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: engine_timing OLD NEW [--binary] [block-size] [limit]\n");
        return 2;
    }
    const bool binary = argc > 3 && std::strcmp(argv[3], "--binary") == 0;
    const int blockSize = argc > 4 ? std::atoi(argv[4]) : (binary ? 10 : 2);
    const int limit = argc > 5 ? std::atoi(argv[5]) : 1000;

    auto start = Clock::now();
    auto first = Load(argv[1], binary);
    auto second = Load(argv[2], binary);
    if (!first || !second) {
        std::fprintf(stderr, "engine_timing: cannot read the files\n");
        return 2;
    }
    const double readMs = MillisecondsSince(start);

    const std::atomic<bool> noStop{false};
    start = Clock::now();
    CDiffResult result = CDiffAlgorithm5(blockSize, limit).Search(*first, *second, noStop);
    const double runMs = MillisecondsSince(start);
    const int runBlocks = result.all().GetCount();

    start = Clock::now();
    result.Finish();
    const double finishMs = MillisecondsSince(start);

    int moved = 0;
    for (const DIFF_BLOCK* b : result.all().Blocks())
        moved += b->kind == BlockKind::Moved;
    std::printf(
        "elements %d/%d read %.1f ms match %.1f ms finish %.1f ms blocks %d (moved halves %d)\n",
        first->GetCount(), second->GetCount(), readMs, runMs, finishMs, runBlocks, moved);
    return 0;
}
