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

namespace {

void DumpList(std::FILE* out, const char* name, const CBlockList& list)
{
    std::fprintf(out, "%s %d\n", name, list.GetCount());
    for (const DIFF_BLOCK* b : list.Blocks())
        std::fprintf(out, "%d %d %d %d %d\n", b->id, static_cast<int>(b->kind), b->length,
                     b->field[0], b->field[1]);
}

void DumpBlocks(const CDiffResult& result, const char* path)
{
    std::FILE* out = std::fopen(path, "w");
    if (!out) {
        std::fprintf(stderr, "engine_timing: cannot write %s\n", path);
        return;
    }
    DumpList(out, "all", result.all());
    DumpList(out, "first", result.first());
    DumpList(out, "second", result.second());
    std::fclose(out);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: engine_timing OLD NEW [--binary] [block-size] [limit] [--dump FILE]\n");
        return 2;
    }
    // --dump FILE, anywhere after the files, writes the three block lists for
    // comparing two builds of the engine.
    const char* dumpPath = nullptr;
    std::vector<char*> args(argv, argv + argc);
    for (std::size_t i = 3; i + 1 < args.size(); ++i) {
        if (std::strcmp(args[i], "--dump") == 0) {
            dumpPath = args[i + 1];
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                       args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
            break;
        }
    }
    argc = static_cast<int>(args.size());
    argv = args.data();
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
    if (dumpPath)
        DumpBlocks(result, dumpPath);
    std::printf(
        "elements %d/%d read %.1f ms match %.1f ms finish %.1f ms blocks %d (moved halves %d)\n",
        first->GetCount(), second->GetCount(), readMs, runMs, finishMs, runBlocks, moved);
    return 0;
}
