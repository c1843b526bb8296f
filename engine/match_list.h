#pragma once

#include <cstddef>
#include <vector>

// A run of `length` equal elements starting at posA in the first file and at
// posB in the second.
struct MATCH
{
    int posA;
    int posB;
    int length;
};

// The longest matches offered so far, at most 25, in ascending length. Among
// matches of equal length the one offered first stands nearer the end and is
// preferred; the last entry is the best.
class CMatchList
{
public:
    static constexpr std::size_t kCapacity = 25;

    void Offer(const MATCH& match);
    bool IsEmpty() const { return matches_.empty(); }
    std::size_t Count() const { return matches_.size(); }
    const MATCH& Best() const { return matches_.back(); }
    MATCH PopBest();
    const MATCH& operator[](std::size_t i) const { return matches_[i]; }
    void Clear() { matches_.clear(); }
    void Swap(CMatchList& other) { matches_.swap(other.matches_); }

private:
    std::vector<MATCH> matches_;
};
