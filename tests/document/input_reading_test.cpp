#include "document/diff_doc.h"
#include "document/input_reader.h"
#include "document/regular_file.h"
#include "document/sync_user_seam.h"
#include "document_fixture.h"

#include <climits>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

namespace {

std::string Text(const std::optional<std::vector<char>>& bytes)
{
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<none>");
}

// An anonymous pipe whose content a thread writes while the test reads, as a
// process substitution gives it: more than the pipe holds at once, so the
// reader has to read while the writer writes.
class CPipe
{
public:
    explicit CPipe(std::string content)
    {
        EXPECT_EQ(::pipe(fds_), 0);
        writer_ = std::thread([this, content = std::move(content)] {
            std::size_t done = 0;
            while (done < content.size()) {
                const ssize_t wrote = ::write(fds_[1], content.data() + done, content.size() - done);
                if (wrote <= 0)
                    break;
                done += static_cast<std::size_t>(wrote);
            }
            ::close(fds_[1]);
        });
    }
    ~CPipe()
    {
        writer_.join();
        ::close(fds_[0]);
    }
    int ReadEnd() const { return fds_[0]; }
    // The name a shell gives a process substitution.
    std::string Path() const { return "/dev/fd/" + std::to_string(fds_[0]); }

private:
    int fds_[2] = {-1, -1};
    std::thread writer_;
};

// Standard input replaced by another descriptor for as long as the object
// lives.
class CStandardInputFrom
{
public:
    explicit CStandardInputFrom(int fd) : saved_(::dup(STDIN_FILENO))
    {
        EXPECT_EQ(::dup2(fd, STDIN_FILENO), STDIN_FILENO);
    }
    ~CStandardInputFrom()
    {
        ::dup2(saved_, STDIN_FILENO);
        ::close(saved_);
    }

private:
    int saved_;
};

} // namespace

TEST_F(CDocumentFixture, ReadWholeSaysWhyItFailed)
{
    const std::string fifo = MakeFifo("fifo");
    const std::string huge = PathOf("huge");
    const int fd = ::open(huge.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(INT_MAX) + 1), 0);
    ::close(fd);
    struct REASON_CASE
    {
        const char* name;
        std::string path;
        const char* reason;
    };
    const std::vector<REASON_CASE> cases = {
        {"missing", PathOf("missing"), "No such file or directory"},
        {"folder", folder_.path().toStdString(), "Is a directory"},
        {"fifo, never opened", fifo, "Invalid argument"},
        {"beyond the 32-bit counts", huge, "File too large"},
        {"below a file", Write("file", "a") + "/x", "Not a directory"},
    };
    for (const REASON_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        std::string reason;
        EXPECT_FALSE(CRegularFile::ReadWhole(c.path, &reason).has_value());
        EXPECT_EQ(reason, c.reason);
    }
}

// The kernel's own files say 0 for their size and still have content.
TEST_F(CDocumentFixture, ReadWholeReadsAFileWhoseSizeSaysNothingToItsEnd)
{
    struct stat status = {};
    ASSERT_EQ(::stat("/proc/self/status", &status), 0);
    ASSERT_EQ(status.st_size, 0);

    const std::string text = Text(CRegularFile::ReadWhole("/proc/self/status"));

    EXPECT_EQ(text.rfind("Name:\t", 0), 0U) << text;
    // Far more than one read's worth on some kernels, and always whole lines.
    EXPECT_GT(text.size(), 500U);
    EXPECT_EQ(text.back(), '\n');
    EXPECT_NE(text.find("\nVmPeak:"), std::string::npos);
}

TEST_F(CDocumentFixture, InputReaderReadsWhatDiffReads)
{
    const std::string big(200000, 'p');
    CPipe pipe(big + "end\n");
    const std::string fifo = MakeFifo("fifo");
    std::thread fifoWriter([&fifo] {
        const int fd = ::open(fifo.c_str(), O_WRONLY);
        ASSERT_GE(fd, 0);
        EXPECT_EQ(::write(fd, "named\n", 6), 6);
        ::close(fd);
    });
    const std::string file = Write("file", "a\nb\n");

    EXPECT_EQ(Text(CInputReader::Read("/dev/null")), "");
    EXPECT_EQ(Text(CInputReader::Read(file)), "a\nb\n");
    EXPECT_EQ(Text(CInputReader::Read(pipe.Path())), big + "end\n");
    EXPECT_EQ(Text(CInputReader::Read(fifo)), "named\n");
    fifoWriter.join();

    struct REFUSED_CASE
    {
        const char* name;
        std::string path;
        const char* reason;
    };
    for (const REFUSED_CASE& c : std::vector<REFUSED_CASE>{
             {"missing", PathOf("missing"), "No such file or directory"},
             {"folder", folder_.path().toStdString(), "Is a directory"},
         }) {
        SCOPED_TRACE(c.name);
        std::string reason;
        EXPECT_FALSE(CInputReader::Read(c.path, &reason).has_value());
        EXPECT_EQ(reason, c.reason);
    }
}

TEST_F(CDocumentFixture, DashIsStandardInput)
{
    CPipe pipe("from standard input\n");
    const CStandardInputFrom input(pipe.ReadEnd());

    EXPECT_TRUE(CInputReader::IsStream("-"));
    EXPECT_EQ(Text(CInputReader::Read("-")), "from standard input\n");
}

TEST_F(CDocumentFixture, StreamsAreInputsThatGiveTheirBytesOnce)
{
    EXPECT_TRUE(CInputReader::IsStream("/dev/null"));
    EXPECT_TRUE(CInputReader::IsStream(MakeFifo("fifo")));
    EXPECT_FALSE(CInputReader::IsStream(Write("file", "a")));
    EXPECT_FALSE(CInputReader::IsStream(folder_.path().toStdString()));
    EXPECT_FALSE(CInputReader::IsStream(PathOf("missing")));
    EXPECT_TRUE(CInputReader::IsDevice("/dev/null"));
    EXPECT_FALSE(CInputReader::IsDevice(PathOf("file")));
    EXPECT_FALSE(CInputReader::IsDevice("-"));
}

// A pipe is read when the user named it, and only then; Reload compares the
// bytes it gave, since it has none to give a second time.
TEST_F(CDocumentFixture, DocumentReadsAStreamOnlyWhenNamedAndKeepsItForReload)
{
    const std::string file = Write("file", "a\nb\nc\n");
    CPipe pipe("a\nb\nx\n");
    CSyncUserSeam seam;
    CDiffDoc doc(seam);

    EXPECT_FALSE(doc.RunFileComparison(pipe.Path(), file));
    EXPECT_EQ(doc.ReadFailure(), "Invalid argument");

    doc.AcceptStreamInputs(pipe.Path(), file);
    ASSERT_TRUE(doc.RunFileComparison(pipe.Path(), file));
    EXPECT_EQ(doc.ReadFailure(), "");
    const std::string result = DescribeBlocks(doc.allList());
    EXPECT_EQ(result, "=2 -2 +2");

    ASSERT_TRUE(doc.ReloadFiles());
    EXPECT_EQ(DescribeBlocks(doc.allList()), result);
    EXPECT_EQ(std::string(doc.firstBuf()->data(), doc.firstBuf()->size()), "a\nb\nx\n");
}

// /dev/null stands for a file that is not there (git difftool gives it for
// an added file); it is empty by nature, so nobody is told it is.
TEST_F(CDocumentFixture, DevNullComparesAsAnEmptyTextWithoutTheEmptyMessage)
{
    const std::string added = Write("added", "new\nlines\n");
    CSyncUserSeam seam;
    CDiffDoc doc(seam);
    doc.AcceptStreamInputs("/dev/null", added);

    ASSERT_TRUE(doc.RunFileComparison("/dev/null", added));

    EXPECT_EQ(DescribeBlocks(doc.allList()), "-0 +3");
    EXPECT_EQ(seam.Messages(), QStringList());
}

TEST_F(CDocumentFixture, ReadFailureNamesTheReasonOfTheFileThatFailed)
{
    const std::string file = Write("file", "a\n");
    CSyncUserSeam seam;
    CDiffDoc doc(seam);

    EXPECT_FALSE(doc.RunFileComparison(file, PathOf("missing")));
    EXPECT_EQ(doc.ReadFailure(), "No such file or directory");
    EXPECT_EQ(seam.Messages().constLast(),
              QString::fromStdString("Failed to read " + PathOf("missing") + "!\n"));

    ASSERT_TRUE(doc.RunFileComparison(file, Write("other", "b\n")));
    EXPECT_EQ(doc.ReadFailure(), "");
}
