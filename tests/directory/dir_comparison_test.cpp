#include "directory/dir_classifier.h"
#include "directory/dir_comparison.h"
#include "directory/paths_overlap.h"
#include "directory/sync_dir_user_seam.h"
#include "document/comparison_settings.h"
#include "engine/progress_sink.h"
#include "engine/worker.h"
#include "tests/directory/tree_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <string>
#include <sys/mount.h>
#include <vector>

namespace {

using E = TreeEntry;

// Builds the two trees, compares them under the settings and checks both
// lists and the verdict.
void ExpectComparison(const std::vector<TreeEntry>& firstTree,
                      const std::vector<TreeEntry>& secondTree, const ComparisonSettings& settings,
                      const char* firstList, const char* secondList, bool identical)
{
    TreeFolder folder;
    const std::string first = folder.Build("first", firstTree);
    const std::string second = folder.Build("second", secondTree);
    CSyncDirUserSeam seam;
    CDirComparison comparison(seam);
    comparison.SetOptions(settings);
    ASSERT_TRUE(comparison.RunDirComparison(first, second));
    EXPECT_EQ(DescribeTree(comparison.firstList()), firstList);
    EXPECT_EQ(DescribeTree(comparison.secondList()), secondList);
    EXPECT_EQ(comparison.dirsIdentical, identical);
}

struct TreeCase
{
    const char* name;
    std::vector<TreeEntry> first;
    std::vector<TreeEntry> second;
    const char* firstList;
    const char* secondList;
    bool identical;
};

TEST(DirComparisonTest, ClassifiesEveryNode)
{
    const std::vector<TreeCase> cases = {
        {"two empty directories", {}, {}, "", "", true},
        {"identical",
         {E::File("a.txt", "x"), E::File("s/b.txt", "y")},
         {E::File("a.txt", "x"), E::File("s/b.txt", "y")},
         "a.txt:= s/:= s/b.txt:=",
         "a.txt:= s/:= s/b.txt:=",
         true},
        {"names pair byte for byte",
         {E::File("a/X.TXT", "1")},
         {E::File("A/x.txt", "1")},
         "a/:O a/X.TXT:O",
         "A/:N A/x.txt:N",
         false},
        {"a rename of letter case only is seen",
         {E::File("Makefile", "all:")},
         {E::File("MAKEFILE", "all:")},
         "Makefile:O",
         "MAKEFILE:N",
         false},
        {"a file against a folder of the same name",
         {E::File("data", "1")},
         {E::File("data/in.txt", "1")},
         "data:O",
         "data/:N data/in.txt:N",
         false},
        {"a new file three levels down",
         {E::File("a/b/c/keep.txt", "k")},
         {E::File("a/b/c/keep.txt", "k"), E::File("a/b/c/new.txt", "n")},
         "a/:M a/b/:M a/b/c/:M a/b/c/keep.txt:=",
         "a/:M a/b/:M a/b/c/:M a/b/c/keep.txt:= a/b/c/new.txt:N",
         false},
        {"an extra file in the second root", {}, {E::File("extra", "")}, "", "extra:N", false},
        {"empty files are equal", {E::File("e", "")}, {E::File("e", "")}, "e:=", "e:=", true},
        {"same size, different last byte",
         {E::File("f", "abcd")},
         {E::File("f", "abce")},
         "f:M",
         "f:M",
         false},
        {"files first, then folders, in folded name order",
         {E::File("b.txt"), E::Folder("A"), E::File("C.txt"), E::File("a.txt"), E::Folder("c")},
         {E::File("b.txt"), E::Folder("A"), E::File("C.txt"), E::File("a.txt"), E::Folder("c")},
         "a.txt:= b.txt:= C.txt:= A/:= c/:=",
         "a.txt:= b.txt:= C.txt:= A/:= c/:=",
         true},
        {"marks between the two alphabets sort before the letters",
         {E::File("b.py"), E::File("__init__.py"), E::File("A.py"), E::File("[x].py")},
         {E::File("b.py"), E::File("__init__.py"), E::File("A.py"), E::File("[x].py")},
         "[x].py:= __init__.py:= A.py:= b.py:=",
         "[x].py:= __init__.py:= A.py:= b.py:=",
         true},
        {"names with spaces and bytes that are not UTF-8",
         {E::File("my file.txt", "1"), E::File("caf\xE9.txt", "2")},
         {E::File("my file.txt", "1"), E::File("caf\xE9.txt", "3")},
         "caf\xE9.txt:M my file.txt:=",
         "caf\xE9.txt:M my file.txt:=",
         false},
        {"a link to a file is compared by its target's content",
         {E::File("t.txt", "same"), E::Link("l", "t.txt")},
         {E::File("t.txt", "same"), E::File("l", "same")},
         "l:= t.txt:=",
         "l:= t.txt:=",
         true},
        {"a link back up the path is listed, not entered",
         {E::File("d/f", "1"), E::Link("d/loop", "..")},
         {E::File("d/f", "1"), E::Link("d/loop", "..")},
         "d/:= d/f:= d/loop/:=",
         "d/:= d/f:= d/loop/:=",
         true},
    };
    for (const TreeCase& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectComparison(c.first, c.second, ComparisonSettings(), c.firstList, c.secondList,
                         c.identical);
    }
}

struct OptionsCase
{
    const char* name;
    const char* exclude;
    bool skipVersionControl;
    bool ignoreNameCase;
    std::vector<TreeEntry> first;
    std::vector<TreeEntry> second;
    const char* firstList;
    const char* secondList;
    bool identical;
};

// The name filter leaves entries out of both trees (excluded folders are not
// entered, so what they hold is neither listed nor compared), and names pair
// with their case folded only when asked.
TEST(DirComparisonTest, FiltersAndNamePairingFollowTheOptions)
{
    const std::vector<OptionsCase> cases = {
        {"names paired whatever their case",
         "",
         false,
         true,
         {E::File("a/X.TXT", "1")},
         {E::File("A/x.txt", "1")},
         "a/:= a/X.TXT:=",
         "A/:= A/x.txt:=",
         true},
        {"an exact match pairs before a case-folded one",
         "",
         false,
         true,
         {E::File("A.txt", "upper"), E::File("a.txt", "lower")},
         {E::File("a.txt", "lower")},
         "A.txt:O a.txt:=",
         "a.txt:=",
         false},
        {"files by pattern, folders by a pattern ending in a slash",
         "*.o; build/",
         false,
         false,
         {E::File("a.c", "1"), E::File("a.o", "x"), E::File("build/x", "1"),
          E::File("sub/build", "f")},
         {E::File("a.c", "1"), E::File("a.o", "y"), E::File("build/y", "2"),
          E::File("sub/build", "f")},
         "a.c:= sub/:= sub/build:=",
         "a.c:= sub/:= sub/build:=",
         true},
        {"a later pattern with ! keeps what an earlier one left out",
         "*.o;!keep.o",
         false,
         false,
         {E::File("keep.o", "1"), E::File("drop.o", "1")},
         {E::File("keep.o", "2")},
         "keep.o:M",
         "keep.o:M",
         false},
        {"version control folders skipped",
         "",
         true,
         false,
         {E::File(".git/HEAD", "a"), E::File(".svn/x", "1"), E::File("f", "1")},
         {E::File(".git/HEAD", "b"), E::File("f", "1")},
         "f:=",
         "f:=",
         true},
        {"a pattern matches hidden names too",
         "*",
         false,
         false,
         {E::File(".hidden", "1"), E::File("seen", "1")},
         {E::File("seen", "2")},
         "",
         "",
         true},
    };
    for (const OptionsCase& c : cases) {
        SCOPED_TRACE(c.name);
        ComparisonSettings settings;
        settings.exclude = c.exclude;
        settings.skipVersionControl = c.skipVersionControl;
        settings.ignoreNameCase = c.ignoreNameCase;
        ExpectComparison(c.first, c.second, settings, c.firstList, c.secondList, c.identical);
    }
}

TEST(DirComparisonTest, PairsPointAtEachOther)
{
    TreeFolder folder;
    const std::string first = folder.Build("first", {E::File("s/a", "1"), E::File("only", "")});
    const std::string second = folder.Build("second", {E::File("S/a", "2")});
    CSyncDirUserSeam seam;
    CDirComparison comparison(seam);
    ComparisonSettings settings;
    settings.ignoreNameCase = true;
    comparison.SetOptions(settings);
    ASSERT_TRUE(comparison.RunDirComparison(first, second));
    const CDirNode* a = comparison.firstList().FindByName("s/a");
    ASSERT_NE(a, nullptr);
    ASSERT_NE(a->counterpart, nullptr);
    EXPECT_EQ(a->counterpart->name, "S/a");
    EXPECT_EQ(a->counterpart->counterpart, a);
    EXPECT_EQ(a->parent, comparison.firstList().FindByName("s"));
    EXPECT_EQ(comparison.firstList().FindByName("only")->counterpart, nullptr);
}

TEST(DirComparisonTest, DeepTreesAndTrailingSeparators)
{
    std::string deep;
    for (int level = 0; level < 60; ++level)
        deep += "level" + std::to_string(level) + "/";
    TreeFolder folder;
    const std::string first = folder.Build("first", {E::File(deep + "leaf", "1")});
    const std::string second = folder.Build("second", {E::File(deep + "leaf", "2")});
    CSyncDirUserSeam seam;
    CDirComparison comparison(seam);
    ASSERT_TRUE(comparison.RunDirComparison(first + "/", second + "//"));
    ASSERT_EQ(comparison.firstList().GetCount(), 61);
    EXPECT_EQ(comparison.firstList().At(0)->name, "level0");
    EXPECT_EQ(comparison.firstList().At(60)->name, deep + "leaf");
    EXPECT_EQ(comparison.firstList().At(60)->status, DirNodeStatus::Modified);
    EXPECT_EQ(comparison.firstList().At(0)->status, DirNodeStatus::Modified);
}

TEST(DirComparisonTest, AnUnreadableRootFailsAndKeepsThePreviousResult)
{
    TreeFolder folder;
    const std::string first = folder.Build("first", {E::File("a", "1")});
    const std::string second = folder.Build("second", {E::File("a", "1")});
    CSyncDirUserSeam seam;
    CDirComparison comparison(seam);
    int resultsChanged = 0;
    QObject::connect(&comparison, &CDirComparison::ResultChanged,
                     [&resultsChanged] { ++resultsChanged; });
    ASSERT_TRUE(comparison.RunDirComparison(first, second));
    const CDirNode* kept = comparison.firstList().At(0);

    EXPECT_FALSE(comparison.RunDirComparison(folder.Path("missing"), second));
    EXPECT_FALSE(comparison.RunDirComparison(first, folder.Path("missing")));
    EXPECT_FALSE(comparison.RunDirComparison(first + "/a", second));
    EXPECT_EQ(comparison.firstList().At(0), kept);
    EXPECT_TRUE(comparison.dirsIdentical);
    EXPECT_EQ(resultsChanged, 1);

    comparison.ClearDirs();
    EXPECT_EQ(comparison.firstList().GetCount(), 0);
    EXPECT_EQ(resultsChanged, 2);
}

// A seam that aborts before the worker runs.
class AbortingSeam : public CDirUserSeam
{
public:
    void SetBusy(bool busy) override { busyChanges.push_back(busy); }
    CProgressSink* ProgressSink() override { return nullptr; }
    void RunClassification(CWorker& worker) override
    {
        worker.RequestStop();
        EXPECT_TRUE(worker.Start());
        worker.Wait();
    }
    std::vector<bool> busyChanges;
};

TEST(DirComparisonTest, AnAbortedRunFailsAndKeepsThePreviousResult)
{
    TreeFolder folder;
    const std::string first = folder.Build("first", {E::File("a", "1")});
    const std::string second = folder.Build("second", {E::File("b", "1")});
    AbortingSeam seam;
    CDirComparison comparison(seam);
    EXPECT_FALSE(comparison.RunDirComparison(first, second));
    EXPECT_EQ(comparison.firstList().GetCount(), 0);
    EXPECT_EQ(seam.busyChanges, (std::vector<bool>{true, false}));
}

class RecordingSink : public CProgressSink
{
public:
    void PostProgress(int permille) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        values.push_back(permille);
    }
    std::vector<int> values;

private:
    std::mutex mutex_;
};

TEST(DirClassifierTest, EndsWithFullProgress)
{
    TreeFolder folder;
    const std::string first = folder.Build("first", {E::File("a", "1"), E::Folder("d")});
    const std::string second = folder.Build("second", {E::File("a", "1"), E::Folder("d")});
    CDirNodeList firstList;
    CDirNodeList secondList;
    ASSERT_TRUE(firstList.Scan(first, true));
    ASSERT_TRUE(secondList.Scan(second, false));
    RecordingSink sink;
    CDirClassifier classifier(firstList, secondList, &sink);
    classifier.Run();
    EXPECT_TRUE(classifier.allIdentical);
    EXPECT_EQ(sink.values, std::vector<int>{1000});
}

struct OverlapCase
{
    const char* first;
    const char* second;
    bool overlap;
};

TEST(PathsOverlapTest, ComparesCanonicalPaths)
{
    TreeFolder folder;
    const std::string root = folder.Build(
        "t", {E::Folder("a/b"), E::Folder("ab"), E::Link("link", "a/b"), E::Folder("A")});
    const std::vector<OverlapCase> cases = {
        {"a", "a", true},   {"a", "a/b", true},  {"a/b", "a", true},
        {"a", "ab", false}, {"a", "link", true}, {"a/b/..", "a", true},
        {"a", "A", false},  {"a/", "a", true},   {"ab", "a/b", false},
    };
    for (const OverlapCase& c : cases) {
        SCOPED_TRACE(std::string(c.first) + " / " + c.second);
        EXPECT_EQ(DirectoriesOverlap(root + "/" + c.first, root + "/" + c.second), c.overlap);
    }
    EXPECT_TRUE(DirectoriesOverlap("/", root));
}

// A bind mount shows one folder at a second path that no text relates to the
// first; only its device and inode tell, met on the way up from either path.
// Mounting needs the privilege to, so without it the test is skipped.
TEST(PathsOverlapTest, FindsAFolderBindMountedElsewhere)
{
    TreeFolder folder;
    const std::string root =
        folder.Build("t", {E::Folder("data/sub/deep"), E::Folder("mnt"), E::Folder("other")});
    const std::string mount = root + "/mnt";
    if (::mount((root + "/data/sub").c_str(), mount.c_str(), nullptr, MS_BIND, nullptr) != 0)
        GTEST_SKIP() << "cannot bind-mount here";
    struct Unmount
    {
        std::string path;
        ~Unmount() { ::umount2(path.c_str(), MNT_DETACH); }
    } unmount{mount};

    EXPECT_TRUE(DirectoriesOverlap(root + "/data/sub", mount));
    EXPECT_TRUE(DirectoriesOverlap(root + "/data/sub/deep", mount));
    EXPECT_TRUE(DirectoriesOverlap(mount + "/deep", root + "/data/sub"));
    EXPECT_FALSE(DirectoriesOverlap(mount, root + "/other"));
    EXPECT_FALSE(DirectoriesOverlap(mount + "/deep", root + "/other"));
}

} // namespace

namespace {

// Enough file pairs that several readers share them, spread over folders so
// that each reader moves from folder to folder: every pair must still get
// its own outcome.
TEST(DirComparisonTest, ManyFilePairsEachGetTheirOwnOutcome)
{
    std::vector<TreeEntry> first;
    std::vector<TreeEntry> second;
    std::vector<std::string> changed;
    for (int folder = 0; folder < 12; ++folder) {
        for (int file = 0; file < 40; ++file) {
            // Appended rather than joined with +: GCC 12 misjudges that at -O3.
            std::string name = "f";
            name += std::to_string(folder);
            name += "/n";
            name += std::to_string(file);
            const std::string bytes(static_cast<std::size_t>(file * 7), 'x');
            first.push_back(E::File(name, bytes + "."));
            const bool differs = (folder * 40 + file) % 13 == 0;
            second.push_back(E::File(name, bytes + (differs ? "!" : ".")));
            if (differs)
                changed.push_back(name);
        }
    }
    TreeFolder folder;
    CSyncDirUserSeam seam;
    CDirComparison comparison(seam);
    ASSERT_TRUE(
        comparison.RunDirComparison(folder.Build("first", first), folder.Build("second", second)));
    std::vector<std::string> modified;
    for (const auto& node : comparison.firstList().Nodes()) {
        if (node->isFile && node->status == DirNodeStatus::Modified)
            modified.push_back(node->name);
        if (node->isFile) {
            EXPECT_NE(node->status, DirNodeStatus::Old) << node->name;
        }
    }
    std::sort(modified.begin(), modified.end());
    std::sort(changed.begin(), changed.end());
    EXPECT_EQ(modified, changed);
    EXPECT_FALSE(comparison.dirsIdentical);
}

} // namespace
