#include "directory/name_filter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct FILTER_CASE
{
    const char* name;
    const char* patterns;
    const char* entry;
    bool isFolder;
    bool excluded;
};

TEST(NameFilter, TheLastMatchingPatternDecides)
{
    const std::vector<FILTER_CASE> cases = {
        {"no pattern keeps all", "", "a.o", false, false},
        {"a glob on the name", "*.o", "a.o", false, true},
        {"a glob leaves other names", "*.o", "a.c", false, false},
        {"a folder pattern skips files", "build/", "build", false, false},
        {"a folder pattern takes folders", "build/", "build", true, true},
        {"a plain pattern takes folders too", "__pycache__", "__pycache__", true, true},
        {"! keeps what an earlier pattern left out", "*.o; !keep.o", "keep.o", false, false},
        {"a later pattern overrides !", "!keep.o; *.o", "keep.o", false, true},
        {"character classes", "[Mm]akefile", "makefile", false, true},
        {"hidden names match *", "*", ".git", true, true},
        {"blanks around patterns are dropped", "  *.o ;  ", "x.o", false, true},
        {"! alone names nothing", "!; /", "x", false, false},
    };
    for (const FILTER_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        const CNameFilter filter(CNameFilter::Split(c.patterns));
        EXPECT_EQ(filter.Excludes(c.entry, c.isFolder), c.excluded);
    }
}

TEST(NameFilter, SplitAndJoinRoundTrip)
{
    const std::vector<std::string> patterns = {"*.o", "build/", "!keep.o"};
    EXPECT_EQ(CNameFilter::Join(patterns), "*.o; build/; !keep.o");
    EXPECT_EQ(CNameFilter::Split(CNameFilter::Join(patterns)), patterns);
    EXPECT_TRUE(CNameFilter(CNameFilter::Split(" ; ;")).IsEmpty());
}

} // namespace
