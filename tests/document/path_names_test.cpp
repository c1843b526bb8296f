#include "document/path_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct SHORTEN_CASE
{
    const char* name;
    const char* path;
    const char* otherPath;
    const char* shortened;

    friend void PrintTo(const SHORTEN_CASE& c, std::ostream* out) { *out << c.name; }
};

class ShortenPath : public ::testing::TestWithParam<SHORTEN_CASE>
{
};

} // namespace

TEST_P(ShortenPath, CutsTheFoldersBothPathsShare)
{
    const SHORTEN_CASE& c = GetParam();
    EXPECT_EQ(CPathNames::ShortenPath(c.path, c.otherPath), c.shortened);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShortenPath,
    ::testing::Values(
        SHORTEN_CASE{"DifferentMiddleFolder", "/a/b/x.txt", "/a/c/x.txt", ".../b/x.txt"},
        SHORTEN_CASE{"SharedStartAndEnd", "/old/src/main.c", "/new/src/main.c",
                     ".../old/.../main.c"},
        SHORTEN_CASE{"RelativeWithSharedEnd", "old/src/main.c", "new/src/main.c", "old/.../main.c"},
        SHORTEN_CASE{"SameFolder", "/a/x.txt", "/a/y.txt", ".../x.txt"},
        SHORTEN_CASE{"NoSeparator", "x.txt", "/a/x.txt", "x.txt"},
        SHORTEN_CASE{"OtherHasNoFolders", "a/b/x.txt", "y.txt", "a/b/x.txt"},
        SHORTEN_CASE{"CaseDiffersIsNotCut", "/Data/b/x.txt", "/data/c/x.txt", ".../Data/b/x.txt"},
        SHORTEN_CASE{"OnlyCaseDiffersAtEnd", "p/Src/x.txt", "q/src/x.txt", "p/Src/x.txt"},
        SHORTEN_CASE{"OtherIsDeeper", "/a/x.txt", "/a/b/c/x.txt", ".../x.txt"},
        SHORTEN_CASE{"EqualPaths", "/a/b/x.txt", "/a/b/x.txt", ".../x.txt"}),
    [](const auto& info) { return std::string(info.param.name); });

namespace {

struct JOIN_CASE
{
    const char* name;
    const char* folder;
    const char* entry;
    const char* joined;
};

struct SPLIT_CASE
{
    const char* name;
    const char* path;
    std::vector<std::string> pieces;
    const char* leaf;
};

} // namespace

TEST(PathNames, JoinPutsOneSeparatorBetween)
{
    const std::vector<JOIN_CASE> cases = {
        {"plain folder", "/a/b", "x.txt", "/a/b/x.txt"},
        {"folder ending in a separator", "/a/b/", "x.txt", "/a/b/x.txt"},
        {"root", "/", "x.txt", "/x.txt"},
        {"relative name with folders", "/a", "sub/x.txt", "/a/sub/x.txt"},
        {"empty folder", "", "x.txt", "/x.txt"},
    };
    for (const JOIN_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CPathNames::JoinPath(c.folder, c.entry), c.joined);
    }
}

TEST(PathNames, SplitAndLeafTakeThePiecesBetweenSeparators)
{
    const std::vector<SPLIT_CASE> cases = {
        {"no separator", "x.txt", {"x.txt"}, "x.txt"},
        {"relative", "sub/x.txt", {"sub", "x.txt"}, "x.txt"},
        {"absolute", "/a/x", {"", "a", "x"}, "x"},
        {"ends in a separator", "a/", {"a", ""}, ""},
        {"empty", "", {""}, ""},
    };
    for (const SPLIT_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = c.path;
        EXPECT_EQ(CPathNames::SplitAtSeparators(path), c.pieces);
        EXPECT_EQ(CPathNames::Leaf(path), c.leaf);
    }
}
