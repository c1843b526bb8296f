// Compares one file pair with the engine and with the literal reference and
// says whether both give the same three block lists: the list of all blocks
// and the lists of the first and of the second file. The benchmark runs it on
// its smaller pairs, so that its speed figures are known to belong to correct
// results. Prints "identical ..." and exits 0, or "different ..." with the
// first difference and exits 1; exits 2 when the files cannot be read.
#include "bench/bench_files.h"
#include "engine/block_list.h"
#include "engine/diff_algorithm5.h"
#include "engine/text_buf.h"
#include "tests/engine/literal/literal_diff.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Lists
{
    std::vector<DIFF_BLOCK> all;
    std::vector<DIFF_BLOCK> first;
    std::vector<DIFF_BLOCK> second;
};

std::vector<DIFF_BLOCK> Copy(const CBlockList& list)
{
    std::vector<DIFF_BLOCK> blocks;
    blocks.reserve(list.Blocks().size());
    for (const DIFF_BLOCK* b : list.Blocks())
        blocks.push_back(*b);
    return blocks;
}

// Ids come from a counter that belongs to the whole process, so two runs of
// one process never start at the same id; only ids relative to the first one
// a run drew can be compared.
void NormaliseIds(Lists& lists, int firstId)
{
    for (std::vector<DIFF_BLOCK>* list : {&lists.all, &lists.first, &lists.second}) {
        for (DIFF_BLOCK& b : *list)
            b.id -= firstId;
    }
}

int SmallestId(const std::vector<DIFF_BLOCK>& blocks)
{
    int smallest = 0;
    for (std::size_t k = 0; k < blocks.size(); ++k)
        smallest = k == 0 ? blocks[k].id : std::min(smallest, blocks[k].id);
    return smallest;
}

Lists RunEngine(CDiffBuf* first, CDiffBuf* second, int blockSize, int limit)
{
    const std::atomic<bool> noStop{false};
    CDiffResult result = CDiffAlgorithm5(blockSize, limit).Search(*first, *second, noStop);
    const int firstId = SmallestId(Copy(result.all()));
    result.Finish();
    Lists lists{Copy(result.all()), Copy(result.first()), Copy(result.second())};
    NormaliseIds(lists, firstId);
    return lists;
}

Lists RunReference(const CDiffBuf& first, const CDiffBuf& second, int blockSize, int limit)
{
    literal::LiteralResult result = literal::RunLiteral(first, second, blockSize, limit);
    const int firstId = SmallestId(result.run);
    Lists lists{std::move(result.all), std::move(result.first), std::move(result.second)};
    NormaliseIds(lists, firstId);
    return lists;
}

std::string Describe(const DIFF_BLOCK& b)
{
    char text[160];
    if (b.IsCommon()) {
        std::snprintf(text, sizeof text, "common id %d len %d at %d/%d", b.id, b.length, b.posA(),
                      b.posB());
    } else {
        const char* kind = b.kind == BlockKind::Moved ? "moved" : "unmatched";
        std::snprintf(text, sizeof text, "%s id %d len %d side %d at %d", kind, b.id, b.length,
                      b.side(), b.pos());
    }
    return text;
}

// Empty when the lists are equal; otherwise where they part.
std::string FirstDifference(const char* name, const std::vector<DIFF_BLOCK>& engine,
                            const std::vector<DIFF_BLOCK>& reference)
{
    const std::size_t common = std::min(engine.size(), reference.size());
    for (std::size_t k = 0; k < common; ++k) {
        if (!(engine[k] == reference[k])) {
            return std::string(name) + ", block " + std::to_string(k) + ": engine " +
                   Describe(engine[k]) + ", literal " + Describe(reference[k]);
        }
    }
    if (engine.size() != reference.size()) {
        return std::string(name) + ": engine has " + std::to_string(engine.size()) +
               " blocks, literal " + std::to_string(reference.size());
    }
    return {};
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: literal_check OLD NEW [--text or --binary] [block-size] [limit]\n");
        return 2;
    }
    const bool binary = argc > 3 && std::strcmp(argv[3], "--binary") == 0;
    const int blockSize = std::max(argc > 4 ? std::atoi(argv[4]) : (binary ? 10 : 2), 1);
    const int limit = std::max(argc > 5 ? std::atoi(argv[5]) : 1000, 0);

    auto first = Load(argv[1], binary);
    auto second = Load(argv[2], binary);
    if (!first || !second) {
        std::fprintf(stderr, "literal_check: cannot read the files\n");
        return 2;
    }

    auto start = Clock::now();
    const Lists engine = RunEngine(first.get(), second.get(), blockSize, limit);
    const double engineMs = MillisecondsSince(start);
    start = Clock::now();
    const Lists reference = RunReference(*first, *second, blockSize, limit);
    const double referenceMs = MillisecondsSince(start);

    std::string difference = FirstDifference("list of all blocks", engine.all, reference.all);
    if (difference.empty())
        difference = FirstDifference("first file's list", engine.first, reference.first);
    if (difference.empty())
        difference = FirstDifference("second file's list", engine.second, reference.second);

    if (!difference.empty()) {
        std::printf("different: %s\n", difference.c_str());
        return 1;
    }
    std::printf("identical: %zu blocks (engine %.1f ms, literal %.1f ms)\n", engine.all.size(),
                engineMs, referenceMs);
    return 0;
}
