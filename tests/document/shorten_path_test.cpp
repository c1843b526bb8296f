#include "document/diff_doc.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(CDiffDoc::ShortenPath(c.path, c.otherPath), c.shortened);
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
