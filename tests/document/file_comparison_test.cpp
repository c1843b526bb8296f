#include "document/diff_doc.h"
#include "document/sync_user_seam.h"
#include "document_fixture.h"

#include <QStringList>

#include <optional>
#include <vector>

namespace {

// How one input of a case is made: some bytes, no file at all, or a FIFO.
struct INPUT
{
    enum Kind
    {
        Bytes,
        Missing,
        Fifo
    } kind;
    std::string bytes;
};

INPUT Bytes(std::string bytes)
{
    return {INPUT::Bytes, std::move(bytes)};
}
const INPUT kMissing{INPUT::Missing, {}};
const INPUT kFifo{INPUT::Fifo, {}};

const char* const kIdentical = "The files are identical!";
const char* const kNoRelevant =
    "The files are not identical,\nbut contains no relevant differences!";

struct RUN_CASE
{
    const char* name;
    INPUT oldFile;
    INPUT newFile;
    bool ignoreCase = false;
    bool loaded = true;
    CDiffBuf::Type type = CDiffBuf::Text;
    const char* blocks = "";
    // "<old>" and "<new>" stand for the paths of the two files.
    std::vector<std::string> messages = {};

    friend void PrintTo(const RUN_CASE& c, std::ostream* out) { *out << c.name; }
};

// clang-format off
const RUN_CASE kRunCases[] = {
    {.name = "Identical", .oldFile = Bytes("a\nb\nc\n"), .newFile = Bytes("a\nb\nc\n"),
     .blocks = "=4", .messages = {kIdentical}},
    {.name = "CaseOnlyWithIgnoreCase", .oldFile = Bytes("Alpha\nBeta\n"),
     .newFile = Bytes("alpha\nBETA\n"), .ignoreCase = true,
     .blocks = "=3", .messages = {kNoRelevant}},
    {.name = "CaseOnlyWithoutIgnoreCase", .oldFile = Bytes("Alpha\nBeta\n"),
     .newFile = Bytes("alpha\nBETA\n"),
     .blocks = "-3 +3"},
    {.name = "CrLfAgainstLf", .oldFile = Bytes("a\r\nb\r\n"), .newFile = Bytes("a\nb\n"),
     .blocks = "=3", .messages = {kNoRelevant}},
    {.name = "NulByteMakesBothBinary", .oldFile = Bytes("0123456789AB"),
     .newFile = Bytes(std::string("0123456789\0B", 12)),
     .type = CDiffBuf::Binary, .blocks = "=10 -2 +2"},
    {.name = "IdenticalShorterThanBlockSize", .oldFile = Bytes("one"), .newFile = Bytes("one"),
     .blocks = "-1 +1"},
    {.name = "EmptyAgainstText", .oldFile = Bytes(""), .newFile = Bytes("a\nb"),
     .blocks = "-0 +2", .messages = {"<old> is empty!"}},
    {.name = "MissingFirstNamesOnlyIt", .oldFile = kMissing, .newFile = kMissing,
     .loaded = false, .messages = {"Failed to read <old>!\n"}},
    {.name = "MissingSecond", .oldFile = Bytes("a\nb"), .newFile = kMissing,
     .loaded = false, .messages = {"Failed to read <new>!\n"}},
    {.name = "FifoIsNeverOpened", .oldFile = Bytes("a\nb"), .newFile = kFifo,
     .loaded = false, .messages = {"Failed to read <new>!\n"}},
};
// clang-format on

std::string Substitute(std::string text, const std::string& oldPath, const std::string& newPath)
{
    for (const auto& [token, path] :
         {std::pair{std::string("<old>"), oldPath}, std::pair{std::string("<new>"), newPath}}) {
        if (const auto at = text.find(token); at != std::string::npos)
            text.replace(at, token.size(), path);
    }
    return text;
}

std::vector<std::string> ToStd(const QStringList& list)
{
    std::vector<std::string> result;
    for (const QString& text : list)
        result.push_back(text.toStdString());
    return result;
}

class FileComparison : public CDocumentFixture
{
protected:
    FileComparison()
    {
        QObject::connect(&doc_, &CDiffDoc::ResultChanged, [this] { ++resultsChanged_; });
    }

    std::string Make(const std::string& name, const INPUT& input) const
    {
        switch (input.kind) {
        case INPUT::Bytes:
            return Write(name, input.bytes);
        case INPUT::Fifo:
            return MakeFifo(name);
        case INPUT::Missing:
            break;
        }
        return PathOf(name);
    }

    std::vector<std::string> Messages() const { return ToStd(seam_.Messages()); }

    CSyncUserSeam seam_;
    CDiffDoc doc_{seam_};
    int resultsChanged_ = 0;
};

class FileComparisonRun : public FileComparison, public ::testing::WithParamInterface<RUN_CASE>
{
};

} // namespace

TEST_P(FileComparisonRun, ReportsAndBuildsTheResult)
{
    const RUN_CASE& c = GetParam();
    const std::string oldPath = Make("old", c.oldFile);
    const std::string newPath = Make("new", c.newFile);
    doc_.settings.ignoreCase = c.ignoreCase;

    EXPECT_EQ(doc_.RunFileComparison(oldPath, newPath), c.loaded);

    std::vector<std::string> expected;
    for (const std::string& message : c.messages)
        expected.push_back(Substitute(message, oldPath, newPath));
    EXPECT_EQ(Messages(), expected);
    EXPECT_EQ(DescribeBlocks(doc_.allList()), c.blocks);
    EXPECT_EQ(resultsChanged_, 1);
    EXPECT_FALSE(doc_.IsComparing());
    if (c.loaded) {
        EXPECT_EQ(doc_.firstBuf()->type(), c.type);
        EXPECT_EQ(doc_.secondBuf()->type(), c.type);
        EXPECT_EQ(doc_.firstList().total(), doc_.firstBuf()->GetCount());
        EXPECT_EQ(doc_.secondList().total(), doc_.secondBuf()->GetCount());
    } else {
        EXPECT_EQ(doc_.secondBuf(), nullptr);
        EXPECT_TRUE(doc_.firstList().IsEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, FileComparisonRun, ::testing::ValuesIn(kRunCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileComparison, ReloadReadsBothFilesAgain)
{
    const std::string oldPath = Write("old", "a\nb\nc\nd\n");
    const std::string newPath = Write("new", "a\nb\nc\nd\n");
    ASSERT_TRUE(doc_.RunFileComparison(oldPath, newPath));
    Write("new", "a\nb\nx\nc\nd\n");

    EXPECT_TRUE(doc_.ReloadFiles());

    EXPECT_EQ(DescribeBlocks(doc_.allList()), "=2 +1 =3");
    EXPECT_EQ(Messages(), std::vector<std::string>{kIdentical});
    EXPECT_EQ(resultsChanged_, 2);
}

TEST_F(FileComparison, ReloadOfAVanishedFileFails)
{
    const std::string oldPath = Write("old", "a\nb\n");
    const std::string newPath = Write("new", "a\nc\n");
    ASSERT_TRUE(doc_.RunFileComparison(oldPath, newPath));
    ASSERT_EQ(std::remove(oldPath.c_str()), 0);

    EXPECT_FALSE(doc_.ReloadFiles());

    EXPECT_EQ(Messages(), std::vector<std::string>{"Failed to read " + oldPath + "!\n"});
    EXPECT_TRUE(doc_.allList().IsEmpty());
}

TEST_F(FileComparison, ReloadWithoutTwoFilesDoesNothing)
{
    ASSERT_TRUE(doc_.OpenSingleFile(Write("only", "a\n")));
    resultsChanged_ = 0;

    EXPECT_FALSE(doc_.ReloadFiles());

    EXPECT_EQ(resultsChanged_, 0);
    EXPECT_EQ(DescribeBlocks(doc_.allList()), "=2");
}

namespace {

struct SINGLE_CASE
{
    const char* name;
    INPUT file;
    bool loaded;
    const char* blocks;
    std::vector<std::string> messages = {};

    friend void PrintTo(const SINGLE_CASE& c, std::ostream* out) { *out << c.name; }
};

class SingleFile : public FileComparison, public ::testing::WithParamInterface<SINGLE_CASE>
{
};

} // namespace

TEST_P(SingleFile, ShowsOneFileAsOneCommonBlock)
{
    const SINGLE_CASE& c = GetParam();
    const std::string path = Make("only", c.file);

    EXPECT_EQ(doc_.OpenSingleFile(path), c.loaded);

    std::vector<std::string> expected;
    for (const std::string& message : c.messages)
        expected.push_back(Substitute(message, path, path));
    EXPECT_EQ(Messages(), expected);
    EXPECT_EQ(DescribeBlocks(doc_.allList()), c.blocks);
    EXPECT_EQ(DescribeBlocks(doc_.firstList()), c.blocks);
    EXPECT_TRUE(doc_.secondList().IsEmpty());
    EXPECT_EQ(doc_.secondBuf(), nullptr);
    EXPECT_EQ(resultsChanged_, 1);
}

namespace {

const SINGLE_CASE kSingleCases[] = {
    {"TextCountsLines", Bytes("a\nb\nc"), true, "=3", {}},
    {"BinaryCountsBytes", Bytes(std::string("\0\1\2\3\4", 5)), true, "=5", {}},
    {"EmptyIsShownAndTold", Bytes(""), true, "=0", {"<old> is empty!"}},
    {"MissingFails", kMissing, false, "", {"Failed to read <old>!\n"}},
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Cases, SingleFile, ::testing::ValuesIn(kSingleCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileComparison, RecompareInSingleFileModeDoesNothing)
{
    ASSERT_TRUE(doc_.OpenSingleFile(Write("only", "a\nb\n")));
    const DIFF_BLOCK* before = doc_.allList().At(0);
    const DIFF_BLOCK copy = *before;
    resultsChanged_ = 0;

    doc_.Recompare();

    EXPECT_EQ(resultsChanged_, 0);
    ASSERT_EQ(doc_.allList().GetCount(), 1);
    EXPECT_EQ(*doc_.allList().At(0), copy);
}

TEST_F(FileComparison, RecompareAppliesChangedTextSettingsWithoutMessages)
{
    ASSERT_TRUE(doc_.RunFileComparison(Write("old", "Alpha\nBeta\nGamma"),
                                       Write("new", "alpha\nbeta\ngamma")));
    ASSERT_EQ(DescribeBlocks(doc_.allList()), "-3 +3");
    doc_.settings.ignoreCase = true;

    doc_.Recompare();

    EXPECT_EQ(DescribeBlocks(doc_.allList()), "=3");
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(resultsChanged_, 2);
}

TEST_F(FileComparison, RecompareOfBinaryFilesUsesTheBinarySettings)
{
    const std::string bytes("\0\1\2\3\4\5", 6);
    ASSERT_TRUE(doc_.RunFileComparison(Write("old", bytes), Write("new", bytes)));
    ASSERT_EQ(DescribeBlocks(doc_.allList()), "-6 +6");
    doc_.settings.binBlockSize = 6;
    doc_.settings.txtBlockSize = 100;

    doc_.Recompare();

    EXPECT_EQ(DescribeBlocks(doc_.allList()), "=6");
}

namespace {

struct UNUSABLE_SETTING_CASE
{
    const char* name;
    int blockSize;
    int limit;
    const char* blocks;

    friend void PrintTo(const UNUSABLE_SETTING_CASE& c, std::ostream* out) { *out << c.name; }
};

class UnusableSettings : public FileComparison,
                         public ::testing::WithParamInterface<UNUSABLE_SETTING_CASE>
{
};

} // namespace

// Fields set directly (as the Properties dialog or an edited store could) are
// corrected when used: a block size below 1 counts as 1, a negative limit as 0.
TEST_P(UnusableSettings, AreCorrectedWhenUsed)
{
    const UNUSABLE_SETTING_CASE& c = GetParam();
    doc_.settings.txtBlockSize = c.blockSize;
    doc_.settings.txtLimit = c.limit;

    ASSERT_TRUE(doc_.RunFileComparison(Write("old", "a\nb"), Write("new", "a\nb")));

    EXPECT_EQ(DescribeBlocks(doc_.allList()), c.blocks);
}

INSTANTIATE_TEST_SUITE_P(Cases, UnusableSettings,
                         ::testing::Values(UNUSABLE_SETTING_CASE{"ZeroBlockSize", 0, 1000, "=2"},
                                           UNUSABLE_SETTING_CASE{"NegativeBlockSize", -5, 1000,
                                                                 "=2"},
                                           UNUSABLE_SETTING_CASE{"NegativeLimit", 1, -3, "-2 +2"}),
                         [](const auto& info) { return std::string(info.param.name); });

namespace {

// Notes what the document says about itself while the comparison runs.
class CWatchingSeam : public CSyncUserSeam
{
public:
    void RunComparison(CWorker& worker) override
    {
        comparingDuringRun = doc != nullptr && doc->IsComparing();
        CSyncUserSeam::RunComparison(worker);
    }

    const CDiffDoc* doc = nullptr;
    bool comparingDuringRun = false;
};

} // namespace

TEST_F(CDocumentFixture, DocumentSaysItIsComparingOnlyDuringTheRun)
{
    CWatchingSeam seam;
    CDiffDoc doc(seam);
    seam.doc = &doc;
    EXPECT_FALSE(doc.IsComparing());

    ASSERT_TRUE(doc.RunFileComparison(Write("old", "a\nb\nc"), Write("new", "a\nb\nd")));

    EXPECT_TRUE(seam.comparingDuringRun);
    EXPECT_FALSE(doc.IsComparing());
}

namespace {

struct WIDTH_CASE
{
    const char* name;
    std::optional<std::string> oldBytes;
    std::optional<std::string> newBytes;
    int width;

    friend void PrintTo(const WIDTH_CASE& c, std::ostream* out) { *out << c.name; }
};

class MaxLineWidth : public FileComparison, public ::testing::WithParamInterface<WIDTH_CASE>
{
};

} // namespace

TEST_P(MaxLineWidth, IsTheWiderFileOrOneForBinary)
{
    const WIDTH_CASE& c = GetParam();
    if (c.oldBytes && c.newBytes) {
        ASSERT_TRUE(doc_.RunFileComparison(Write("old", *c.oldBytes), Write("new", *c.newBytes)));
    } else if (c.oldBytes) {
        ASSERT_TRUE(doc_.OpenSingleFile(Write("old", *c.oldBytes)));
    }

    EXPECT_EQ(doc_.GetMaxLineWidth(4), c.width);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MaxLineWidth,
    ::testing::Values(WIDTH_CASE{"NothingLoaded", std::nullopt, std::nullopt, 1},
                      WIDTH_CASE{"TabCountsTabSize", "a\tb\n", "abc", 6},
                      WIDTH_CASE{"SecondIsWider", "ab", "ab\nabcdefgh", 8},
                      WIDTH_CASE{"SingleText", "abc", std::nullopt, 3},
                      WIDTH_CASE{"EmptyTextsAreNoWidth", "", "", 0},
                      WIDTH_CASE{"Binary", std::string("a long line\0", 12), "a long line", 1}),
    [](const auto& info) { return std::string(info.param.name); });
