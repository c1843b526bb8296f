#pragma once

#include "engine/range_list.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

// An index of the q-element grams of the second file's unmatched ranges: for a
// gram of the first file it lists the positions in the second file where an
// equal gram may start (equal hashes; the caller confirms). Positions of one
// hash bucket are kept in ascending order, so a caller can also look up only
// the positions inside a window.
template <typename T>
class CGramIndex
{
public:
    CGramIndex(const T* elements, const CRangeList& ranges, int q) : q_(q)
    {
        builtElements_ = ranges.Elements();
        Build(elements, ranges);
    }

    int q() const { return q_; }
    long long BuiltElements() const { return builtElements_; }

    static std::uint64_t Hash(const T* e, int q)
    {
        std::uint64_t h = 0;
        for (int i = 0; i < q; ++i)
            h = h * kBase + Value(e[i]);
        return h;
    }

    // The positions of the bucket that hash h falls into, ascending; entries of
    // other hashes sharing the bucket are skipped by comparing HashAt.
    struct Bucket
    {
        const std::int32_t* begin;
        const std::int32_t* end;
        const std::uint64_t* hashes;
        std::size_t Size() const { return static_cast<std::size_t>(end - begin); }
    };
    Bucket Lookup(std::uint64_t h) const
    {
        const std::size_t k = BucketOf(h);
        return Bucket{positions_.data() + starts_[k], positions_.data() + starts_[k + 1],
                      hashes_.data() + starts_[k]};
    }

private:
    static constexpr std::uint64_t kBase = 0x9E3779B97F4A7C15ull;
    static std::uint64_t Value(T v) { return static_cast<std::uint64_t>(v) + 1; }

    std::size_t BucketOf(std::uint64_t h) const
    {
        return static_cast<std::size_t>((h * 0xD6E8FEB86659FD93ull) >> (64 - bits_));
    }

    void Build(const T* e, const CRangeList& ranges)
    {
        std::vector<std::int32_t> pos;
        std::vector<std::uint64_t> hash;
        pos.reserve(static_cast<std::size_t>(ranges.Elements()));
        hash.reserve(static_cast<std::size_t>(ranges.Elements()));
        std::uint64_t top = 1; // kBase^(q-1), to roll the oldest element out
        for (int i = 1; i < q_; ++i)
            top *= kBase;
        for (const RANGE& r : ranges.Ranges()) {
            if (r.length < q_)
                continue;
            std::uint64_t h = Hash(e + r.start, q_);
            for (int b = r.start;; ++b) {
                pos.push_back(b);
                hash.push_back(h);
                if (b + q_ >= r.end())
                    break;
                h = (h - Value(e[b]) * top) * kBase + Value(e[b + q_]);
            }
        }
        bits_ = std::max(4, static_cast<int>(std::bit_width(pos.size() * 2)));
        bits_ = std::min(bits_, 30);
        const std::size_t buckets = std::size_t{1} << bits_;
        starts_.assign(buckets + 1, 0);
        for (std::uint64_t h : hash)
            ++starts_[BucketOf(h) + 1];
        for (std::size_t k = 0; k < buckets; ++k)
            starts_[k + 1] += starts_[k];
        positions_.resize(pos.size());
        hashes_.resize(pos.size());
        std::vector<std::uint32_t> fill(starts_.begin(), starts_.end() - 1);
        for (std::size_t i = 0; i < pos.size(); ++i) {
            const std::size_t at = fill[BucketOf(hash[i])]++;
            positions_[at] = pos[i];
            hashes_[at] = hash[i];
        }
    }

    int q_;
    int bits_ = 4;
    long long builtElements_ = 0;
    std::vector<std::uint32_t> starts_;
    std::vector<std::int32_t> positions_;
    std::vector<std::uint64_t> hashes_;
};
