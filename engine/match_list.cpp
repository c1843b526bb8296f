#include "engine/match_list.h"

#include <algorithm>

void CMatchList::Offer(const MATCH& match)
{
    const auto at = std::find_if(matches_.begin(), matches_.end(),
                                 [&](const MATCH& m) { return m.length >= match.length; });
    if (matches_.size() < kCapacity) {
        matches_.insert(at, match);
        return;
    }
    // Full: a match no longer than the shortest held is dropped; otherwise it
    // takes its place and the shortest goes.
    if (at == matches_.begin())
        return;
    matches_.insert(at, match);
    matches_.erase(matches_.begin());
}

MATCH CMatchList::PopBest()
{
    const MATCH best = matches_.back();
    matches_.pop_back();
    return best;
}
