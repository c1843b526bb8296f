#pragma once

#include "engine/piece_finder.h"

#include <algorithm>
#include <cstdint>
#include <tuple>
#include <unordered_map>
#include <vector>

// The runs of at least `threshold` elements between the current unmatched
// ranges, kept from pass to pass. A pass cuts only the few ranges it matches
// in; every run between two ranges that were not cut is still there, unchanged,
// so only the rows and columns of the cut ranges have to be searched again.
//
// The runs are ranked as the candidate list ranks them: longer first, and among
// equally long ones the one a scan of the pairs meets first.
class CPieceCache
{
public:
    bool IsValid() const { return valid_; }
    void Invalidate() { valid_ = false; }
    int Threshold() const { return threshold_; }
    bool IsEmpty()
    {
        DropDeadTop();
        return heap_.empty();
    }

    // Replaces the contents with a complete set of the runs of at least threshold.
    void Reset(int threshold, const std::vector<PIECE>& pieces)
    {
        valid_ = true;
        threshold_ = threshold;
        pieces_.clear();
        alive_.clear();
        heap_.clear();
        taken_.clear();
        rows_.clear();
        columns_.clear();
        live_ = 0;
        for (const PIECE& p : pieces)
            Add(p);
    }

    CPieceCache() = default;
    CPieceCache(const CPieceCache&) = delete;
    CPieceCache& operator=(const CPieceCache&) = delete;

    void Add(const PIECE& piece)
    {
        const auto id = static_cast<std::uint32_t>(pieces_.size());
        pieces_.push_back(piece);
        alive_.push_back(1);
        ++live_;
        heap_.push_back(id);
        std::push_heap(heap_.begin(), heap_.end(), Worse{&pieces_});
        rows_[piece.r1Start].push_back(id);
        columns_[piece.r2Start].push_back(id);
    }

    // Drops the runs of the pairs of a range that has been cut.
    void RemoveRow(int rangeStart) { RemoveAll(rows_, rangeStart); }
    void RemoveColumn(int rangeStart) { RemoveAll(columns_, rangeStart); }

    // The best run. The cache must not be empty.
    const PIECE& Longest()
    {
        DropDeadTop();
        return pieces_[heap_.front()];
    }

    // The k-th best run (from 0), or nullptr when there are fewer. Runs are
    // taken off the heap in order as they are asked for; EndRanked puts them
    // back.
    const PIECE* RankedAt(std::size_t k)
    {
        while (taken_.size() <= k) {
            DropDeadTop();
            if (heap_.empty())
                return nullptr;
            std::pop_heap(heap_.begin(), heap_.end(), Worse{&pieces_});
            taken_.push_back(heap_.back());
            heap_.pop_back();
        }
        return &pieces_[taken_[k]];
    }

    void EndRanked()
    {
        for (std::uint32_t id : taken_) {
            heap_.push_back(id);
            std::push_heap(heap_.begin(), heap_.end(), Worse{&pieces_});
        }
        taken_.clear();
    }

private:
    // Heap order: the top of the heap is the best run.
    struct Worse
    {
        const std::vector<PIECE>* pieces;
        bool operator()(std::uint32_t l, std::uint32_t r) const
        {
            const PIECE& a = (*pieces)[l];
            const PIECE& b = (*pieces)[r];
            return std::make_tuple(-a.length, a.r1Start, a.r2Start, a.diagonalOrder, a.posA) >
                   std::make_tuple(-b.length, b.r1Start, b.r2Start, b.diagonalOrder, b.posA);
        }
    };
    using Index = std::unordered_map<int, std::vector<std::uint32_t>>;

    void RemoveAll(Index& index, int rangeStart)
    {
        const auto it = index.find(rangeStart);
        if (it == index.end())
            return;
        for (std::uint32_t id : it->second) {
            if (alive_[id]) {
                alive_[id] = 0;
                --live_;
            }
        }
        index.erase(it);
        // Dead entries linger in the heap and in the other index; once they
        // outnumber the live ones everything is rebuilt, which keeps the
        // memory in proportion.
        if (pieces_.size() > 2 * live_ + 4096)
            Compact();
    }

    void DropDeadTop()
    {
        while (!heap_.empty() && !alive_[heap_.front()]) {
            std::pop_heap(heap_.begin(), heap_.end(), Worse{&pieces_});
            heap_.pop_back();
        }
    }

    void Compact()
    {
        std::vector<PIECE> live;
        live.reserve(live_);
        for (std::size_t id = 0; id < pieces_.size(); ++id) {
            if (alive_[id])
                live.push_back(pieces_[id]);
        }
        Reset(threshold_, live);
    }

    bool valid_ = false;
    int threshold_ = 0;
    std::vector<PIECE> pieces_;
    std::vector<char> alive_;
    std::size_t live_ = 0;
    std::vector<std::uint32_t> heap_;
    std::vector<std::uint32_t> taken_;
    Index rows_;
    Index columns_;
};
