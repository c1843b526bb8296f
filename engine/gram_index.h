#pragma once

#include "engine/range_list.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

// Hashing of q-element grams, with a rolling form for walking a sequence.
template<typename T> struct GramHash
{
    static constexpr std::uint64_t kBase = 0x9E3779B97F4A7C15ull;
    static std::uint64_t Value(T v) { return static_cast<std::uint64_t>(v) + 1; }

    static std::uint64_t Of(const T* e, int q)
    {
        std::uint64_t h = 0;
        for (int i = 0; i < q; ++i)
            h = h * kBase + Value(e[i]);
        return h;
    }
    // kBase^(q-1): what the oldest element weighs when it is rolled out.
    static std::uint64_t TopWeight(int q)
    {
        std::uint64_t top = 1;
        for (int i = 1; i < q; ++i)
            top *= kBase;
        return top;
    }
    static std::uint64_t Roll(std::uint64_t h, T out, T in, std::uint64_t top)
    {
        return (h - Value(out) * top) * kBase + Value(in);
    }
    // Spreads the hash over a table of 2^bits slots.
    static std::size_t Slot(std::uint64_t h, int bits)
    {
        return static_cast<std::size_t>((h * 0xD6E8FEB86659FD93ull) >> (64 - bits));
    }
    // The hash in 32 bits, for tables that keep many of them: the top bits
    // of the spread hash, so that the slot can be had from the key alone
    // (SlotOfKey(Key(h), bits) == Slot(h, bits) for bits up to 32). Equal
    // keys of unequal grams are told apart when the grams are compared.
    static std::uint32_t Key(std::uint64_t h)
    {
        return static_cast<std::uint32_t>((h * 0xD6E8FEB86659FD93ull) >> 32);
    }
    static std::size_t SlotOfKey(std::uint32_t key, int bits)
    {
        return static_cast<std::size_t>(key >> (32 - bits));
    }
};

// An index of the q-element grams of the second file's unmatched ranges: for a
// gram of the first file it lists the positions in the second file where an
// equal gram may start (same bucket; the caller confirms by comparing). The
// positions of one bucket are ascending, so a caller can also look up only the
// positions inside a window.
template<typename T> class CGramIndex
{
public:
    CGramIndex(const T* elements, const CRangeList& ranges, int q)
        : q_(q), builtElements_(ranges.Elements())
    {
        Build(elements, ranges);
    }

    int q() const { return q_; }
    long long BuiltElements() const { return builtElements_; }

    struct Bucket
    {
        const std::int32_t* begin;
        const std::int32_t* end;
        std::size_t Size() const { return static_cast<std::size_t>(end - begin); }
    };
    Bucket Lookup(std::uint64_t h) const
    {
        const std::size_t k = GramHash<T>::Slot(h, bits_);
        return Bucket{positions_.data() + starts_[k], positions_.data() + starts_[k + 1]};
    }

private:
    template<typename Visit>
    void ForEachGram(const T* e, const CRangeList& ranges, Visit visit) const
    {
        const std::uint64_t top = GramHash<T>::TopWeight(q_);
        for (const RANGE& r : ranges.Ranges()) {
            if (r.length < q_)
                continue;
            std::uint64_t h = GramHash<T>::Of(e + r.start, q_);
            for (int b = r.start;; ++b) {
                visit(b, h);
                if (b + q_ >= r.end())
                    break;
                h = GramHash<T>::Roll(h, e[b], e[b + q_], top);
            }
        }
    }

    // A counting sort of the positions by bucket: count, sum up, then place,
    // hashing each gram again rather than keeping its slot: an index is
    // built over what is left of a whole file. Each bucket's start serves as
    // its cursor while placing, and ends up as the next bucket's start, so
    // the starts are moved back by one bucket at the end.
    // One bucket per two to four positions keeps the table small: a lookup
    // meets a few more positions of other grams, which a window or a compare
    // turns away at once.
    void Build(const T* e, const CRangeList& ranges)
    {
        long long grams = 0;
        for (const RANGE& r : ranges.Ranges())
            grams += std::max(0, r.length - q_ + 1);
        bits_ = std::clamp(static_cast<int>(std::bit_width(static_cast<std::uint64_t>(grams))) - 2,
                           4, 30);
        const std::size_t buckets = std::size_t{1} << bits_;
        starts_.assign(buckets + 1, 0);
        ForEachGram(e, ranges,
                    [&](int, std::uint64_t h) { ++starts_[GramHash<T>::Slot(h, bits_) + 1]; });
        for (std::size_t k = 0; k < buckets; ++k)
            starts_[k + 1] += starts_[k];
        positions_.resize(static_cast<std::size_t>(grams));
        ForEachGram(e, ranges, [&](int b, std::uint64_t h) {
            positions_[starts_[GramHash<T>::Slot(h, bits_)]++] = b;
        });
        for (std::size_t k = buckets; k > 0; --k)
            starts_[k] = starts_[k - 1];
        starts_[0] = 0;
    }

    int q_;
    int bits_ = 4;
    long long builtElements_ = 0;
    std::vector<std::uint32_t> starts_;
    std::vector<std::int32_t> positions_;
};
