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
        {"file and directory without that file", "file", "dir", CInputCheck::Unusable,
         "Failed to read <path>/dir/file!"},
        {"directory without that file and file", "dir", "file", CInputCheck::Unusable,
         "Failed to read <path>/dir/file!"},
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

namespace {

struct PAIR_CASE
{
    const char* name;
    const char* first;
    const char* second;
    CInputCheck::Kind kind;
    // The paths to compare, or the message and its detail when Unusable;
    // "<path>" stands for the folder the test made.
    std::string out1;
    std::string out2;
};

std::string InFolder(std::string text, const std::string& folder)
{
    for (auto at = text.find("<path>"); at != std::string::npos; at = text.find("<path>"))
        text.replace(at, 6, folder);
    return text;
}

} // namespace

// As diff has it: a file and a folder compare the file with the file of the
// same name in the folder, whichever side the folder is on.
TEST_F(CDocumentFixture, InputCheckFindsTheFileOfTheSameNameInAFolder)
{
    Write("a.txt", "a\n");
    ASSERT_EQ(::mkdir(PathOf("dir").c_str(), 0700), 0);
    Write("dir/a.txt", "b\n");
    ASSERT_EQ(::mkdir(PathOf("dir/sub").c_str(), 0700), 0);
    Write("sub", "a file named as the folder in dir\n");
    ASSERT_EQ(::mkdir(PathOf("empty").c_str(), 0700), 0);
    const std::vector<PAIR_CASE> cases = {
        {"file and folder", "a.txt", "dir", CInputCheck::Files, "<path>/a.txt",
         "<path>/dir/a.txt"},
        {"folder and file", "dir", "a.txt", CInputCheck::Files, "<path>/dir/a.txt",
         "<path>/a.txt"},
        {"folder given with a slash", "a.txt", "dir/", CInputCheck::Files, "<path>/a.txt",
         "<path>/dir/a.txt"},
        {"no such file in the folder", "a.txt", "empty", CInputCheck::Unusable,
         "Failed to read <path>/empty/a.txt!", "No such file or directory"},
        {"the name is a folder there", "sub", "dir", CInputCheck::Unusable,
         "Cannot compare a file to a directory!", "<path>/dir/sub is a directory"},
        {"two files stay as they are", "a.txt", "sub", CInputCheck::Files, "<path>/a.txt",
         "<path>/sub"},
        {"missing says why", "missing", "a.txt", CInputCheck::Unusable,
         "Failed to read <path>/missing!", "No such file or directory"},
    };
    const std::string folder = folder_.path().toStdString();
    for (const PAIR_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        const CInputCheck check = CInputCheck::Check(PathOf(c.first), PathOf(c.second));
        EXPECT_EQ(check.kind(), c.kind);
        if (c.kind == CInputCheck::Unusable) {
            EXPECT_EQ(check.message(), InFolder(c.out1, folder));
            EXPECT_EQ(check.detail(), InFolder(c.out2, folder));
        } else {
            EXPECT_EQ(check.first(), InFolder(c.out1, folder));
            EXPECT_EQ(check.second(), InFolder(c.out2, folder));
            EXPECT_EQ(check.message(), "");
        }
    }
}

// "-" is standard input, which can stand for one side only and has no name
// to look for in a folder.
TEST_F(CDocumentFixture, InputCheckTakesDashForStandardInput)
{
    const std::string file = Write("file", "a\n");
    const std::string folder = folder_.path().toStdString();

    const CInputCheck withFile = CInputCheck::Check("-", file);
    EXPECT_EQ(withFile.kind(), CInputCheck::Files);
    EXPECT_EQ(withFile.first(), "-");

    const CInputCheck twice = CInputCheck::Check("-", "-");
    EXPECT_EQ(twice.kind(), CInputCheck::Unusable);
    EXPECT_EQ(twice.message(), "Standard input (-) can be only one of the two inputs!");

    const CInputCheck withFolder = CInputCheck::Check(folder, "-");
    EXPECT_EQ(withFolder.kind(), CInputCheck::Unusable);
    EXPECT_EQ(withFolder.message(), "Cannot compare a file to a directory!");
}
