#include "engine/stamped_map.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// Emptying must forget every entry, whether the map keeps its slots or, after
// a generation far larger than the next, shrinks them; entries written after
// either must read back.
TEST(StampedMapTest, ClearForgetsEveryEntryWhetherTheMapShrinksOrNot)
{
    struct CASE
    {
        const char* name;
        int large;
        int small;
    };
    const CASE cases[] = {
        {"generations of one size", 50, 50},
        {"a large generation, then a small one", 100000, 3},
        {"a small generation, then a large one", 3, 100000},
    };
    for (const CASE& c : cases) {
        SCOPED_TRACE(c.name);
        CStampedMap map;
        for (int generation = 0; generation < 4; ++generation) {
            const int count = generation % 2 == 0 ? c.large : c.small;
            const std::uint64_t base = std::uint64_t{1000003} * static_cast<unsigned>(generation);
            for (int i = 0; i < count; ++i)
                map.Set(base + static_cast<std::uint64_t>(i) * 7919, i);
            for (int i = 0; i < count; ++i) {
                const int* value = map.Find(base + static_cast<std::uint64_t>(i) * 7919);
                ASSERT_NE(value, nullptr) << "generation " << generation << " key " << i;
                EXPECT_EQ(*value, i);
            }
            map.Set(base, -1);
            ASSERT_NE(map.Find(base), nullptr);
            EXPECT_EQ(*map.Find(base), -1);
            map.Clear();
            for (int i = 0; i < count; ++i)
                ASSERT_EQ(map.Find(base + static_cast<std::uint64_t>(i) * 7919), nullptr)
                    << "generation " << generation << " key " << i << " survived Clear";
        }
    }
}

} // namespace
