#include "document/diff_doc.h"
#include "document/files_are_equal.h"
#include "document/regular_file.h"
#include "document/sync_user_seam.h"
#include "document_fixture.h"

#include <climits>
#include <fcntl.h>
#include <unistd.h>

namespace {

// A file with a given size and no content written: the file system keeps it
// sparse, so even a file past the 32-bit limit costs no disk space.
std::string MakeSparse(const std::string& path, long long size)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    EXPECT_GE(fd, 0);
    EXPECT_EQ(::ftruncate(fd, static_cast<off_t>(size)), 0);
    ::close(fd);
    return path;
}

struct EQUAL_CASE
{
    const char* name;
    std::optional<std::string> first;
    std::optional<std::string> second;
    bool equal;

    friend void PrintTo(const EQUAL_CASE& c, std::ostream* out) { *out << c.name; }
};

class FilesAreEqualCase : public CDocumentFixture, public ::testing::WithParamInterface<EQUAL_CASE>
{
};

} // namespace

TEST_P(FilesAreEqualCase, ComparesSizeThenBytes)
{
    const EQUAL_CASE& c = GetParam();
    const std::string first = c.first ? Write("first", *c.first) : PathOf("first");
    const std::string second = c.second ? Write("second", *c.second) : PathOf("second");

    EXPECT_EQ(ScannedFilesAreEqual(first, second), c.equal);
    EXPECT_EQ(ScannedFilesAreEqual(second, first), c.equal);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FilesAreEqualCase,
    ::testing::Values(EQUAL_CASE{"Equal", "abc\n", "abc\n", true},
                      EQUAL_CASE{"LastByteDiffers", "abc", "abd", false},
                      EQUAL_CASE{"SizeDiffers", "abc", "abcd", false},
                      EQUAL_CASE{"BothEmpty", "", "", true},
                      EQUAL_CASE{"LongerThanOneChunk", std::string(200000, 'x'),
                                 std::string(200000, 'x'), true},
                      EQUAL_CASE{"DiffersInSecondChunk", std::string(70000, 'x'),
                                 std::string(69999, 'x') + "y", false},
                      EQUAL_CASE{"OneMissing", "abc", std::nullopt, false},
                      EQUAL_CASE{"BothMissing", std::nullopt, std::nullopt, false}),
    [](const auto& info) { return std::string(info.param.name); });

// Opening a FIFO for reading waits for a writer; the test would hang if it
// were opened.
TEST_F(CDocumentFixture, FifoIsNeverEqualNorOpened)
{
    const std::string fifo = MakeFifo("fifo");
    const std::string file = Write("file", "");

    EXPECT_FALSE(ScannedFilesAreEqual(fifo, fifo));
    EXPECT_FALSE(ScannedFilesAreEqual(file, fifo));
    EXPECT_FALSE(CRegularFile::ReadWhole(fifo).has_value());
}

TEST_F(CDocumentFixture, FolderIsNeverEqualNorRead)
{
    const std::string folder = folder_.path().toStdString();

    EXPECT_FALSE(ScannedFilesAreEqual(folder, folder));
    EXPECT_FALSE(CRegularFile::ReadWhole(folder).has_value());
}

namespace {

struct BINARY_CASE
{
    const char* name;
    std::string bytes;
    bool binary;

    friend void PrintTo(const BINARY_CASE& c, std::ostream* out) { *out << c.name; }
};

class IsBinaryContent : public ::testing::TestWithParam<BINARY_CASE>
{
};

} // namespace

TEST_P(IsBinaryContent, LooksForControlBytes)
{
    const BINARY_CASE& c = GetParam();
    EXPECT_EQ(CDiffDoc::IsBinaryContent(std::vector<char>(c.bytes.begin(), c.bytes.end())),
              c.binary);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IsBinaryContent,
    ::testing::Values(
        BINARY_CASE{"Empty", "", false},
        BINARY_CASE{"TabLineFeedCarriageReturn", "a\tb\r\nc\n", false},
        BINARY_CASE{"HighBytesAndDelete", "\x7f\x80\xc4\xff", false},
        BINARY_CASE{"Nul", std::string("a\0b", 3), true}, BINARY_CASE{"Escape", "\x1b[m", true},
        BINARY_CASE{"FormFeed", "page\f", true},
        BINARY_CASE{"ControlByteInALaterChunk", std::string(70000, 'x') + '\x01', true},
        BINARY_CASE{"ControlByteAsTheLastOfAChunk", std::string(65534, 'x') + '\x1f', true},
        BINARY_CASE{"UnitSeparatorAfterText", "a b\x1f", true},
        BINARY_CASE{"SpaceIsText", " ", false}),
    [](const auto& info) { return std::string(info.param.name); });

namespace {

struct READ_CASE
{
    const char* name;
    // The bytes of the file; none for a path that names no file.
    std::optional<std::string> bytes;
    std::optional<std::string> read;
};

} // namespace

// The one reader of a compared or shown file: what it gives for each kind of
// path it can be handed.
TEST_F(CDocumentFixture, ReadWholeGivesTheBytesOfARegularFileOnly)
{
    const std::string withNul("a\0b\r\n", 5);
    const std::vector<READ_CASE> cases = {
        {"content with every kind of byte", withNul, withNul},
        {"empty file", std::string(), std::string()},
        {"longer than any one read", std::string(300000, 'q'), std::string(300000, 'q')},
        {"missing", std::nullopt, std::nullopt},
    };
    for (const READ_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = c.bytes ? Write(c.name, *c.bytes) : PathOf(c.name);
        const std::optional<std::vector<char>> read = CRegularFile::ReadWhole(path);
        ASSERT_EQ(read.has_value(), c.read.has_value());
        if (read) {
            EXPECT_EQ(std::string(read->begin(), read->end()), *c.read);
        }
    }
    EXPECT_FALSE(CRegularFile::ReadWhole(folder_.path().toStdString()).has_value());
}

// The report's identical flag and the window's message come from the bytes
// that were compared: a file changed on disk afterwards does not change them.
TEST_F(CDocumentFixture, IdenticalIsDecidedFromTheBytesThatWereRead)
{
    CSyncUserSeam seam;
    CDiffDoc doc(seam);
    EXPECT_FALSE(doc.LoadedBytesAreEqual());
    const std::string oldPath = Write("old", "a\r\nb\n");
    const std::string newPath = Write("new", "a\r\nb\n");
    ASSERT_TRUE(doc.RunFileComparison(oldPath, newPath));
    EXPECT_TRUE(doc.LoadedBytesAreEqual());

    Write("new", "a\nb\n");
    EXPECT_TRUE(doc.LoadedBytesAreEqual());

    ASSERT_TRUE(doc.ReloadFiles());
    EXPECT_FALSE(doc.LoadedBytesAreEqual());
    EXPECT_EQ(seam.Messages(),
              (QStringList{"The files are identical!",
                           "The files are not identical,\nbut contains no relevant differences!"}));
}

TEST_F(CDocumentFixture, FileBeyondThe32BitLimitIsRefusedUnread)
{
    const std::string huge = MakeSparse(PathOf("huge"), static_cast<long long>(INT_MAX) + 1);
    const std::string small = Write("small", "a");

    EXPECT_FALSE(CRegularFile::ReadWhole(huge).has_value());

    CSyncUserSeam seam;
    CDiffDoc doc(seam);
    EXPECT_FALSE(doc.RunFileComparison(huge, small));
    EXPECT_EQ(seam.Messages(),
              QStringList{QString::fromStdString("Failed to read " + huge + "!\n")});
    EXPECT_TRUE(doc.allList().IsEmpty());
}
