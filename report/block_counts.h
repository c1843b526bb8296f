#pragma once

#include <string>
#include <string_view>

class CBlockList;

// How many elements (lines or bytes) of a result are identical, removed,
// added and moved. Moved content is counted once, by its place in the first
// file.
class CBlockCounts
{
public:
    explicit CBlockCounts(const CBlockList& all);

    // Anything removed, added or moved: ignored differences leave none.
    bool HasDifference() const { return removed + added + moved > 0; }

    // The summary as the reports print it: "3 identical, 1 removed, 0 added,
    // 2 moved lines", unit being what the elements are.
    std::string Sentence(std::string_view unit) const;

    long long identical = 0;
    long long removed = 0;
    long long added = 0;
    long long moved = 0;
};
