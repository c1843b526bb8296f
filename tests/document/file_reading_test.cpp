#include "document/diff_doc.h"
#include "document/files_are_equal.h"
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

    EXPECT_EQ(FilesAreEqual(first, second), c.equal);
    EXPECT_EQ(FilesAreEqual(second, first), c.equal);
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

    EXPECT_FALSE(FilesAreEqual(fifo, fifo));
    EXPECT_FALSE(FilesAreEqual(file, fifo));
    EXPECT_FALSE(CDiffDoc::IsBinaryFile(fifo));
    EXPECT_FALSE(CDiffDoc::ReadWholeFile(fifo).has_value());
}

TEST_F(CDocumentFixture, FolderIsNeverEqualNorRead)
{
    const std::string folder = folder_.path().toStdString();

    EXPECT_FALSE(FilesAreEqual(folder, folder));
    EXPECT_FALSE(CDiffDoc::ReadWholeFile(folder).has_value());
}

namespace {

struct BINARY_CASE
{
    const char* name;
    std::string bytes;
    bool binary;

    friend void PrintTo(const BINARY_CASE& c, std::ostream* out) { *out << c.name; }
};

class IsBinaryFile : public CDocumentFixture, public ::testing::WithParamInterface<BINARY_CASE>
{
};

} // namespace

TEST_P(IsBinaryFile, LooksForControlBytes)
{
    const BINARY_CASE& c = GetParam();
    EXPECT_EQ(CDiffDoc::IsBinaryFile(Write("file", c.bytes)), c.binary);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IsBinaryFile,
    ::testing::Values(BINARY_CASE{"Empty", "", false},
                      BINARY_CASE{"TabLineFeedCarriageReturn", "a\tb\r\nc\n", false},
                      BINARY_CASE{"HighBytesAndDelete", "\x7f\x80\xc4\xff", false},
                      BINARY_CASE{"Nul", std::string("a\0b", 3), true},
                      BINARY_CASE{"Escape", "\x1b[m", true},
                      BINARY_CASE{"FormFeed", "page\f", true},
                      BINARY_CASE{"ControlByteInALaterChunk", std::string(70000, 'x') + '\x01',
                                  true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CDocumentFixture, MissingFileCountsAsText)
{
    EXPECT_FALSE(CDiffDoc::IsBinaryFile(PathOf("missing")));
}

TEST_F(CDocumentFixture, ReadWholeFileGivesTheBytes)
{
    const std::string bytes("a\0b\r\n", 5);

    EXPECT_EQ(CDiffDoc::ReadWholeFile(Write("file", bytes)),
              std::vector<char>(bytes.begin(), bytes.end()));
    EXPECT_EQ(CDiffDoc::ReadWholeFile(Write("empty", "")), std::vector<char>());
    EXPECT_FALSE(CDiffDoc::ReadWholeFile(PathOf("missing")).has_value());
}

TEST_F(CDocumentFixture, FileBeyondThe32BitLimitIsRefusedUnread)
{
    const std::string huge = MakeSparse(PathOf("huge"), static_cast<long long>(INT_MAX) + 1);
    const std::string small = Write("small", "a");

    EXPECT_FALSE(CDiffDoc::ReadWholeFile(huge).has_value());

    CSyncUserSeam seam;
    CDiffDoc doc(seam);
    EXPECT_FALSE(doc.RunFileComparison(huge, small));
    EXPECT_EQ(seam.Messages(),
              QStringList{QString::fromStdString("Failed to read " + huge + "!\n")});
    EXPECT_TRUE(doc.allList().IsEmpty());
}
