// The scan's hard cases: special files, links that lead round or out of the
// tree, trees deeper than a path can be long, and what cannot be read.
#include "directory/dir_comparison.h"
#include "directory/folder_opener.h"
#include "directory/sync_dir_user_seam.h"
#include "document/path_names.h"
#include "tests/directory/tree_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using E = TreeEntry;

struct SPECIAL_CASE
{
    const char* name;
    std::vector<TreeEntry> first;
    std::vector<TreeEntry> second;
    const char* status; // of the one pair, "=" or "M"
};

// Each tree holds one entry "x"; a run that opened a FIFO would wait here for
// a writer forever.
TEST(DirScanTest, SpecialFilesAreComparedWithoutOpeningThem)
{
    const std::vector<SPECIAL_CASE> cases = {
        {"two FIFOs", {E::Fifo("x")}, {E::Fifo("x")}, "="},
        {"two sockets", {E::Socket("x")}, {E::Socket("x")}, "="},
        {"a FIFO and a socket", {E::Fifo("x")}, {E::Socket("x")}, "M"},
        {"a FIFO and a file", {E::Fifo("x")}, {E::File("x", "")}, "M"},
        {"a socket and a file", {E::File("x", "")}, {E::Socket("x")}, "M"},
        {"the same device", {E::Link("x", "/dev/null")}, {E::Link("x", "/dev/null")}, "="},
        {"two devices", {E::Link("x", "/dev/null")}, {E::Link("x", "/dev/zero")}, "M"},
        {"a device and a file", {E::Link("x", "/dev/null")}, {E::File("x", "")}, "M"},
        {"dangling links to the same target",
         {E::Link("x", "nowhere")},
         {E::Link("x", "nowhere")},
         "="},
        {"dangling links to other targets",
         {E::Link("x", "nowhere")},
         {E::Link("x", "elsewhere")},
         "M"},
        {"a link to itself leads nowhere", {E::Link("x", "x")}, {E::Link("x", "x")}, "="},
        {"a dangling link and an empty file", {E::Link("x", "nowhere")}, {E::File("x")}, "M"},
        {"a link to a FIFO is a FIFO",
         {E::Fifo("p"), E::Link("x", "p")},
         {E::Fifo("p"), E::Fifo("x")},
         "="},
    };
    for (const SPECIAL_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        TreeFolder folder;
        CSyncDirUserSeam seam;
        CDirComparison comparison(seam);
        ASSERT_TRUE(comparison.RunDirComparison(folder.Build("first", c.first),
                                                folder.Build("second", c.second)));
        const CDirNode* x = comparison.firstList().FindByName("x");
        ASSERT_NE(x, nullptr);
        EXPECT_EQ(std::string(1, StatusLetter(x->status)), c.status);
        EXPECT_EQ(comparison.dirsIdentical, std::string(c.status) == "=");
        EXPECT_TRUE(comparison.Unreadable().empty());
    }
}

// Forty folders, each holding two links to the next: 2^40 paths lead to the
// last one, but each folder is entered once. The root lists d00 to d39; d00
// is entered first and leads through the links "a" down the whole ladder;
// every other way in is listed and not entered.
TEST(DirScanTest, EachFolderIsEnteredOncePerScan)
{
    constexpr int kRungs = 40;
    std::vector<TreeEntry> ladder;
    for (int i = 0; i < kRungs; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "d%02d", i);
        ladder.push_back(E::Folder(name));
        if (i + 1 < kRungs) {
            char next[16];
            std::snprintf(next, sizeof next, "../d%02d", i + 1);
            ladder.push_back(E::Link(std::string(name) + "/a", next));
            ladder.push_back(E::Link(std::string(name) + "/b", next));
        }
    }
    ladder.push_back(E::File("d39/leaf", "x"));
    TreeFolder folder;
    CDirNodeList list;
    ASSERT_TRUE(list.Scan(folder.Build("ladder", ladder), true));

    // 40 folders in the root, the links a and b of the 39 folders entered,
    // and the leaf, met once at the bottom of the ladder.
    EXPECT_EQ(list.GetCount(), kRungs + 2 * (kRungs - 1) + 1);
    int leaves = 0;
    for (const auto& node : list.Nodes())
        leaves += CPathNames::Leaf(node->name) == "leaf";
    EXPECT_EQ(leaves, 1);
    const CDirNode* d01 = list.FindByName("d01");
    ASSERT_NE(d01, nullptr);
    EXPECT_FALSE(d01->isFile);
    EXPECT_EQ(list.FindByName("d01/a"), nullptr) << "d01 was entered again from the root";
}

// The kernel's own file systems reached through a link are listed as folders
// and never entered; a link to an ordinary folder outside the tree is.
TEST(DirScanTest, PseudoFileSystemsReachedThroughALinkAreNotEntered)
{
    TreeFolder folder;
    const std::string outside = folder.Build("outside", {E::File("o.txt", "o")});
    std::vector<TreeEntry> tree = {E::Link("elsewhere", outside)};
    for (const char* target : {"/proc", "/proc/self", "/sys", "/dev"}) {
        std::string name = std::string("to") + (target + 1);
        std::replace(name.begin(), name.end(), '/', '_');
        if (::access(target, F_OK) == 0)
            tree.push_back(E::Link(name, target));
    }
    CDirNodeList list;
    ASSERT_TRUE(list.Scan(folder.Build("tree", tree), true));

    std::vector<std::string> names;
    for (const auto& node : list.Nodes())
        names.push_back(node->name + (node->isFile ? "" : "/"));
    std::vector<std::string> expected = {"elsewhere/", "elsewhere/o.txt"};
    for (std::size_t i = 1; i < tree.size(); ++i)
        expected.push_back(tree[i].path + "/");
    std::sort(expected.begin() + 2, expected.end());
    std::sort(names.begin() + 2, names.end());
    EXPECT_EQ(names, expected);
}

// Builds a chain of folders one level at a time through descriptors: the
// whole path may be far longer than a path the system takes at once.
class DeepTree
{
public:
    explicit DeepTree(const std::string& root) : fd_(::open(root.c_str(), O_RDONLY | O_DIRECTORY))
    {
        EXPECT_GE(fd_, 0);
    }
    ~DeepTree() { ::close(fd_); }
    DeepTree(const DeepTree&) = delete;
    DeepTree& operator=(const DeepTree&) = delete;

    void Enter(const std::string& name)
    {
        ASSERT_EQ(::mkdirat(fd_, name.c_str(), 0755), 0) << name;
        const int next = ::openat(fd_, name.c_str(), O_RDONLY | O_DIRECTORY);
        ASSERT_GE(next, 0);
        ::close(fd_);
        fd_ = next;
    }
    // A file here, or in the sub-folder folder of here.
    void WriteFile(const std::string& name, const std::string& bytes,
                   const std::string& folder = "")
    {
        int at = fd_;
        if (!folder.empty()) {
            ASSERT_EQ(::mkdirat(fd_, folder.c_str(), 0755), 0);
            at = ::openat(fd_, folder.c_str(), O_RDONLY | O_DIRECTORY);
        }
        const int file = ::openat(at, name.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(file, 0);
        ASSERT_EQ(::write(file, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        ::close(file);
        if (at != fd_)
            ::close(at);
    }

private:
    int fd_;
};

// Forty folders of 200-byte names make paths of 8 000 bytes, twice what the
// system takes at once: the scan and the comparison of the files at the
// bottom must reach them all the same.
TEST(DirScanTest, TreesDeeperThanAPathCanBeLongAreScannedWhole)
{
    constexpr int kLevels = 40;
    TreeFolder folder;
    const std::string first = folder.Build("first", {});
    const std::string second = folder.Build("second", {});
    {
        DeepTree a(first);
        DeepTree b(second);
        for (int level = 0; level < kLevels; ++level) {
            const std::string name = std::string(196, 'n') + std::to_string(1000 + level);
            a.Enter(name);
            b.Enter(name);
        }
        a.WriteFile("same", "s");
        b.WriteFile("same", "s");
        a.WriteFile("changed", "1");
        b.WriteFile("changed", "2");
    }
    CSyncDirUserSeam seam;
    CDirComparison comparison(seam);
    ASSERT_TRUE(comparison.RunDirComparison(first, second));

    const CDirNodeList& list = comparison.firstList();
    ASSERT_EQ(list.GetCount(), kLevels + 2);
    EXPECT_GT(comparison.firstList().FullPath(*list.At(kLevels)).size(), 8000U);
    const CDirNode* changed = list.At(kLevels);
    const CDirNode* same = list.At(kLevels + 1);
    EXPECT_EQ(CPathNames::Leaf(changed->name), "changed");
    EXPECT_EQ(changed->status, DirNodeStatus::Modified);
    EXPECT_EQ(CPathNames::Leaf(same->name), "same");
    EXPECT_EQ(same->status, DirNodeStatus::Normal);
    EXPECT_TRUE(comparison.Unreadable().empty());
    EXPECT_FALSE(comparison.dirsIdentical);
}

// At every level a folder "a" leads on down and a folder "b" beside it holds
// one file, which differs on every third level. "b" is entered after the whole
// chain below "a", so deep levels have had their descriptors closed and must
// be opened again on the way back.
TEST(DirScanTest, FoldersBesideADeepChainAreFoundOnTheWayBack)
{
    constexpr int kLevels = 150;
    TreeFolder folder;
    const std::string first = folder.Build("first", {});
    const std::string second = folder.Build("second", {});
    {
        DeepTree a(first);
        DeepTree b(second);
        for (int level = 0; level < kLevels; ++level) {
            const std::string bytes = std::to_string(level);
            a.WriteFile("f", bytes, "b");
            b.WriteFile("f", level % 3 == 0 ? bytes + "!" : bytes, "b");
            a.Enter("a");
            b.Enter("a");
        }
    }
    CSyncDirUserSeam seam;
    CDirComparison comparison(seam);
    ASSERT_TRUE(comparison.RunDirComparison(first, second));

    int files = 0;
    for (const auto& node : comparison.firstList().Nodes()) {
        if (!node->isFile)
            continue;
        // The level of a file is the number of "a/" before its "b/f".
        const int level = static_cast<int>((node->name.size() - 3) / 2);
        ASSERT_EQ(node->name, [level] {
            std::string name;
            for (int i = 0; i < level; ++i)
                name += "a/";
            return name + "b/f";
        }()) << node->name;
        EXPECT_EQ(node->status, level % 3 == 0 ? DirNodeStatus::Modified : DirNodeStatus::Normal)
            << node->name;
        ++files;
    }
    EXPECT_EQ(files, kLevels);
    EXPECT_EQ(comparison.firstList().GetCount(), 3 * kLevels);
    EXPECT_TRUE(comparison.Unreadable().empty());
}

// An opener that refuses the folders of one name, as permissions would: the
// tests may run as the superuser, whom permissions do not stop.
class RefusingOpener : public CFolderOpener
{
public:
    explicit RefusingOpener(std::string refused) : refused_(std::move(refused)) {}
    int Open(int parent, const char* name) const override
    {
        const std::string text = name;
        if (text == refused_ || text.ends_with("/" + refused_)) {
            errno = EACCES;
            return -1;
        }
        return CFolderOpener::Open(parent, name);
    }

private:
    std::string refused_;
};

struct UNREADABLE_CASE
{
    const char* name;
    std::vector<TreeEntry> first;
    std::vector<TreeEntry> second;
    const char* firstList;
    const char* secondList;
    // The unreadable entries, relative to the folder of both trees.
    std::vector<std::string> unreadable;
};

// A folder that cannot be listed stays in its tree, is never identical to
// anything, and is named with the reason; the trees are then never identical.
TEST(DirScanTest, FoldersThatCannotBeReadAreKeptAndNamed)
{
    const std::vector<UNREADABLE_CASE> cases = {
        {"the same content on both sides",
         {E::File("locked/in", "1"), E::File("open/in", "1")},
         {E::File("locked/in", "1"), E::File("open/in", "1")},
         "locked/:M open/:= open/in:=",
         "locked/:M open/:= open/in:=",
         {"first/locked", "second/locked"}},
        {"empty on both sides",
         {E::Folder("locked")},
         {E::Folder("locked")},
         "locked/:M",
         "locked/:M",
         {"first/locked", "second/locked"}},
        {"deep down, the folders above it change",
         {E::File("a/b/locked/in", "1")},
         {E::File("a/b/locked/in", "1")},
         "a/:M a/b/:M a/b/locked/:M",
         "a/:M a/b/:M a/b/locked/:M",
         {"first/a/b/locked", "second/a/b/locked"}},
        {"only in the first tree",
         {E::File("locked/in", "1")},
         {},
         "locked/:O",
         "",
         {"first/locked"}},
    };
    for (const UNREADABLE_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        TreeFolder folder;
        const std::string first = folder.Build("first", c.first);
        const std::string second = folder.Build("second", c.second);
        const RefusingOpener opener("locked");
        CSyncDirUserSeam seam;
        CDirComparison comparison(seam);
        comparison.SetFolderOpener(opener);
        ASSERT_TRUE(comparison.RunDirComparison(first, second));
        EXPECT_EQ(DescribeTree(comparison.firstList()), c.firstList);
        EXPECT_EQ(DescribeTree(comparison.secondList()), c.secondList);
        EXPECT_FALSE(comparison.dirsIdentical);
        std::vector<std::string> unreadable;
        for (const CDirComparison::UNREADABLE& entry : comparison.Unreadable()) {
            EXPECT_EQ(entry.error, EACCES) << entry.path;
            unreadable.push_back(entry.path.substr(folder.Path("").size()));
        }
        EXPECT_EQ(unreadable, c.unreadable);
    }
}

TEST(DirScanTest, ARootThatCannotBeReadFailsWithItsReason)
{
    TreeFolder folder;
    const std::string readable = folder.Build("readable", {E::File("a", "1")});
    const std::string locked = folder.Build("locked", {E::File("a", "1")});
    const RefusingOpener opener("locked");
    CSyncDirUserSeam seam;
    CDirComparison comparison(seam);
    comparison.SetFolderOpener(opener);

    EXPECT_FALSE(comparison.RunDirComparison(readable, locked));
    EXPECT_EQ(comparison.FailedRoot().path, locked);
    EXPECT_EQ(comparison.FailedRoot().error, EACCES);

    EXPECT_FALSE(comparison.RunDirComparison(folder.Path("missing"), readable));
    EXPECT_EQ(comparison.FailedRoot().path, folder.Path("missing"));
    EXPECT_EQ(comparison.FailedRoot().error, ENOENT);

    ASSERT_TRUE(comparison.RunDirComparison(readable, folder.Build("other", {E::File("a", "1")})));
    EXPECT_EQ(comparison.FailedRoot().path, "");
}

} // namespace
