#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

// A hash map from 64-bit keys to ints that is emptied in constant time: every
// entry carries the generation it was written in, and emptying starts a new
// generation. The piece search empties its map once per range, thousands of
// times per pass, where clearing a standard map would wipe its whole bucket
// array each time.
class CStampedMap
{
public:
    CStampedMap() { slots_.resize(kInitialSlots); }

    void Clear()
    {
        // One range can fill the map with millions of entries, and the slots
        // stay: every look-up of the thousands of small ranges after it would
        // miss the cache. So the map shrinks again to what the last
        // generation needed, which the next large one regrows in steps that
        // cost no more than filling it.
        if (slots_.size() > kInitialSlots && size_ * kShrinkRatio < slots_.size()) {
            slots_.assign(std::max(kInitialSlots, std::bit_ceil(size_ * 4)), Slot{});
            generation_ = 1;
            size_ = 0;
            return;
        }
        ++generation_;
        size_ = 0;
        if (generation_ == 0) {
            // The generation counter wrapped: old stamps could look current.
            for (Slot& slot : slots_)
                slot.generation = 0;
            generation_ = 1;
        }
    }

    // The value stored for key, or nullptr.
    const int* Find(std::uint64_t key) const
    {
        for (std::size_t i = Home(key);; i = (i + 1) & Mask()) {
            const Slot& slot = slots_[i];
            if (slot.generation != generation_)
                return nullptr;
            if (slot.key == key)
                return &slot.value;
        }
    }

    void Set(std::uint64_t key, int value)
    {
        if ((size_ + 1) * 2 > slots_.size())
            Grow();
        for (std::size_t i = Home(key);; i = (i + 1) & Mask()) {
            Slot& slot = slots_[i];
            if (slot.generation != generation_) {
                slot = Slot{key, value, generation_};
                ++size_;
                return;
            }
            if (slot.key == key) {
                slot.value = value;
                return;
            }
        }
    }

private:
    static constexpr std::size_t kInitialSlots = 64;
    static constexpr std::size_t kShrinkRatio = 16;

    struct Slot
    {
        std::uint64_t key = 0;
        int value = 0;
        std::uint32_t generation = 0;
    };

    std::size_t Mask() const { return slots_.size() - 1; }
    std::size_t Home(std::uint64_t key) const
    {
        return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> 40) & Mask();
    }

    void Grow()
    {
        std::vector<Slot> old;
        old.swap(slots_);
        slots_.assign(old.size() * 2, Slot{});
        const std::uint32_t current = generation_;
        generation_ = 1;
        size_ = 0;
        for (const Slot& slot : old) {
            if (slot.generation == current)
                Set(slot.key, slot.value);
        }
    }

    std::vector<Slot> slots_;
    std::uint32_t generation_ = 1;
    std::size_t size_ = 0;
};
