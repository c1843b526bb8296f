#include "document/input_check.h"
#include "document_fixture.h"

#include <sys/stat.h>

#include <vector>

namespace {

struct INPUT_CASE
{
    const char* name;
    const char* first;
    const char* second;
    CInputCheck::Kind kind;
    // "<path>" stands for the folder the test made.
    std::string message;
};

} // namespace

// The window and the report both start here, so each row is what a user of
// either sees for that pair of paths.
TEST_F(CDocumentFixture, InputCheckNamesTheFirstFaultOfThePair)
{
    Write("file", "a\n");
    Write("other", "b\n");
    ASSERT_EQ(::mkdir(PathOf("dir").c_str(), 0700), 0);
    ASSERT_EQ(::mkdir(PathOf("dir2").c_str(), 0700), 0);
    const std::vector<INPUT_CASE> cases = {
        {"missing first", "missing", "file", CInputCheck::Unusable,
         "Failed to read <path>/missing!"},
        {"missing second", "file", "missing", CInputCheck::Unusable,
         "Failed to read <path>/missing!"},
        {"both missing names the first", "gone1", "gone2", CInputCheck::Unusable,
         "Failed to read <path>/gone1!"},
        {"file and directory", "file", "dir", CInputCheck::Unusable,
         "Cannot compare a file to a directory!"},
        {"directory and file", "dir", "file", CInputCheck::Unusable,
         "Cannot compare a file to a directory!"},
        {"two files", "file", "other", CInputCheck::Files, ""},
        {"the same file twice", "file", "file", CInputCheck::Files, ""},
        {"two directories", "dir", "dir2", CInputCheck::Directories, ""},
    };
    const std::string folder = folder_.path().toStdString();
    for (const INPUT_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        const CInputCheck check = CInputCheck::Check(PathOf(c.first), PathOf(c.second));
        std::string expected = c.message;
        if (const auto at = expected.find("<path>"); at != std::string::npos)
            expected.replace(at, 6, folder);
        EXPECT_EQ(check.kind(), c.kind);
        EXPECT_EQ(check.message(), expected);
    }
}
