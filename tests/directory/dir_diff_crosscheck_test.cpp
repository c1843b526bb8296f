// Random tree pairs compared by the directory comparison and by GNU diff -rq,
// which must agree on every file pair that differs and on every entry that
// only one tree holds.
#include "directory/dir_comparison.h"
#include "directory/sync_dir_user_seam.h"
#include "tests/directory/tree_fixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <regex>
#include <set>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

// How many tree pairs are drawn, each from its own seed, so that a failure
// names a pair that can be made again.
constexpr unsigned kFirstSeed = 7001;
constexpr int kPairs = 8;
// Folders nest at most this deep below the root.
constexpr int kMaxDepth = 3;

// Draws the trees. std::mt19937 gives the same numbers everywhere; the
// standard distributions do not, so the draws reduce its output themselves.
class CTreePairWriter
{
public:
    explicit CTreePairWriter(unsigned seed) : random_(seed) {}

    void Fill(std::vector<TreeEntry>& first, std::vector<TreeEntry>& second)
    {
        FillFolder("", 0, &first, &second);
    }

private:
    int Below(int bound) { return static_cast<int>(random_() % static_cast<unsigned>(bound)); }

    // A new name, never equal to another one with letter case folded: every
    // name ends in its own number. Some hold capitals, dots or blanks.
    std::string NewName()
    {
        static const char* const kStems[] = {"readme", "Makefile", "data.bin", "notes v2",
                                             "Index",  "a",        "ZZ_top",   "config.json"};
        return kStems[Below(8)] + std::string(Below(2) ? "-" : "") + std::to_string(++serial_);
    }

    std::string Content()
    {
        std::string bytes(static_cast<std::size_t>(Below(48)), '\0');
        for (char& c : bytes)
            c = static_cast<char>(Below(256));
        return bytes;
    }

    // The same bytes but for one changed, added or dropped byte.
    std::string Changed(std::string bytes)
    {
        const int way = bytes.empty() ? 1 : Below(3);
        if (way == 0)
            bytes[static_cast<std::size_t>(Below(static_cast<int>(bytes.size())))] ^= 0x20;
        else if (way == 1)
            bytes.push_back('!');
        else
            bytes.pop_back();
        return bytes;
    }

    // Fills the folder prefix in the trees that hold it (a null tree does
    // not): files first, then sub-folders.
    void FillFolder(const std::string& prefix, int depth, std::vector<TreeEntry>* first,
                    std::vector<TreeEntry>* second)
    {
        const int files = Below(6);
        for (int i = 0; i < files; ++i)
            AddFile(prefix + NewName(), first, second);
        const int folders = depth == 0 ? 2 + Below(3) : depth < kMaxDepth ? Below(3) : 0;
        for (int i = 0; i < folders; ++i)
            AddFolder(prefix + NewName(), depth + 1, first, second);
    }

    void AddFile(const std::string& path, std::vector<TreeEntry>* first,
                 std::vector<TreeEntry>* second)
    {
        const std::string bytes = Content();
        if (!first || !second) {
            (first ? first : second)->push_back(TreeEntry::File(path, bytes));
            return;
        }
        const int draw = Below(20);
        if (draw < 10) { // the same in both
            first->push_back(TreeEntry::File(path, bytes));
            second->push_back(TreeEntry::File(path, bytes));
        } else if (draw < 14) { // different content
            first->push_back(TreeEntry::File(path, bytes));
            second->push_back(TreeEntry::File(path, Changed(bytes)));
        } else if (draw < 16) {
            first->push_back(TreeEntry::File(path, bytes));
        } else if (draw < 18) {
            second->push_back(TreeEntry::File(path, bytes));
        } else { // a file in one tree where the other has a folder
            std::vector<TreeEntry>* file = draw == 18 ? first : second;
            std::vector<TreeEntry>* folder = draw == 18 ? second : first;
            file->push_back(TreeEntry::File(path, bytes));
            folder->push_back(TreeEntry::Folder(path));
            FillFolder(path + "/", kMaxDepth, folder == first ? first : nullptr,
                       folder == second ? second : nullptr);
        }
    }

    void AddFolder(const std::string& path, int depth, std::vector<TreeEntry>* first,
                   std::vector<TreeEntry>* second)
    {
        const int draw = first && second ? Below(10) : 0;
        std::vector<TreeEntry>* inFirst = draw == 8 ? nullptr : first;
        std::vector<TreeEntry>* inSecond = draw == 9 ? nullptr : second;
        for (std::vector<TreeEntry>* tree : {inFirst, inSecond}) {
            if (tree)
                tree->push_back(TreeEntry::Folder(path));
        }
        FillFolder(path + "/", depth, inFirst, inSecond);
    }

    std::mt19937 random_;
    int serial_ = 0;
};

// What diff -rq said about the trees A and B: names relative to the roots.
struct DIFF_OUTCOME
{
    int exitStatus = -1;
    std::set<std::string> differ;
    std::set<std::string> onlyFirst;
    std::set<std::string> onlySecond;
    // Every name diff reported, to tell which folders hold a difference.
    std::set<std::string> reported;
};

bool DiffIsInstalled()
{
    return std::system("command -v diff >/dev/null 2>&1") == 0;
}

// Runs diff -rq on root/A and root/B from root, so that its lines name the
// trees A and B; the C locale keeps its messages in English.
DIFF_OUTCOME RunDiff(const std::string& root)
{
    DIFF_OUTCOME outcome;
    const std::string command = "cd '" + root + "' && LC_ALL=C diff -rq A B";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) {
        ADD_FAILURE() << "cannot run " << command;
        return outcome;
    }
    std::string output;
    char chunk[4096];
    while (const std::size_t got = std::fread(chunk, 1, sizeof chunk, pipe))
        output.append(chunk, got);
    const int status = ::pclose(pipe);
    outcome.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;

    static const std::regex kDiffer("Files A/(.*) and B/(.*) differ");
    static const std::regex kOnly("Only in ([AB])(/(.*))?: (.*)");
    static const std::regex kKinds("File A/(.*) is a .* while file B/(.*) is a .*");
    std::size_t start = 0;
    while (start < output.size()) {
        const std::size_t end = output.find('\n', start);
        const std::string line = output.substr(start, end - start);
        start = end == std::string::npos ? output.size() : end + 1;
        std::smatch match;
        if (std::regex_match(line, match, kDiffer) && match[1] == match[2]) {
            outcome.differ.insert(match[1]);
            outcome.reported.insert(match[1]);
        } else if (std::regex_match(line, match, kOnly)) {
            const std::string name =
                match[2].matched ? match[3].str() + "/" + match[4].str() : match[4].str();
            (match[1] == "A" ? outcome.onlyFirst : outcome.onlySecond).insert(name);
            outcome.reported.insert(name);
        } else if (std::regex_match(line, match, kKinds) && match[1] == match[2]) {
            outcome.onlyFirst.insert(match[1]);
            outcome.onlySecond.insert(match[1]);
            outcome.reported.insert(match[1]);
        } else {
            ADD_FAILURE() << "unexpected line from diff: " << line;
        }
    }
    return outcome;
}

// A node that only its own tree holds, and whose folder both trees hold: the
// entry diff names in an "Only in" line.
bool IsTopMost(const CDirNode& node, DirNodeStatus alone)
{
    return node.status == alone && (!node.parent || node.parent->status != alone);
}

bool HoldsAnyOf(const std::string& folder, const std::set<std::string>& names)
{
    const std::string prefix = folder + "/";
    const auto next = names.lower_bound(prefix);
    return next != names.end() && next->starts_with(prefix);
}

void ExpectOnlyInOneTree(const CDirNodeList& list, const std::set<std::string>& onlyHere,
                         DirNodeStatus alone)
{
    std::set<std::string> topMost;
    for (const auto& node : list.Nodes()) {
        if (IsTopMost(*node, alone))
            topMost.insert(node->name);
    }
    EXPECT_EQ(topMost, onlyHere);
}

void CheckAgreement(const CDirComparison& comparison, const DIFF_OUTCOME& diff)
{
    const CDirNodeList& first = comparison.firstList();
    const CDirNodeList& second = comparison.secondList();

    std::set<std::string> modifiedFiles;
    for (const auto& node : first.Nodes()) {
        if (node->isFile && node->status == DirNodeStatus::Modified) {
            modifiedFiles.insert(node->name);
            ASSERT_NE(node->counterpart, nullptr) << node->name;
            EXPECT_EQ(node->counterpart->name, node->name);
        }
        // A pair of folders differs exactly when diff names something in it.
        if (!node->isFile && node->counterpart) {
            EXPECT_EQ(node->status == DirNodeStatus::Modified,
                      HoldsAnyOf(node->name, diff.reported))
                << node->name;
        }
    }
    EXPECT_EQ(modifiedFiles, diff.differ);
    ExpectOnlyInOneTree(first, diff.onlyFirst, DirNodeStatus::Old);
    ExpectOnlyInOneTree(second, diff.onlySecond, DirNodeStatus::New);
    EXPECT_EQ(comparison.dirsIdentical, diff.exitStatus == 0);
}

} // namespace

TEST(DirDiffCrossCheck, AgreesWithDiffOnRandomTrees)
{
    if (!DiffIsInstalled())
        GTEST_SKIP() << "GNU diff is not installed";
    for (int pair = 0; pair < kPairs; ++pair) {
        const unsigned seed = kFirstSeed + static_cast<unsigned>(pair);
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::vector<TreeEntry> first;
        std::vector<TreeEntry> second;
        CTreePairWriter(seed).Fill(first, second);
        TreeFolder folder;
        const std::string firstRoot = folder.Build("A", first);
        const std::string secondRoot = folder.Build("B", second);

        const DIFF_OUTCOME diff = RunDiff(folder.Path(""));
        ASSERT_TRUE(diff.exitStatus == 0 || diff.exitStatus == 1) << diff.exitStatus;
        CSyncDirUserSeam seam;
        CDirComparison comparison(seam);
        ASSERT_TRUE(comparison.RunDirComparison(firstRoot, secondRoot));

        CheckAgreement(comparison, diff);
    }
}

// The draws must make every kind of outcome, or the agreement above proves
// little: files that differ, entries only in either tree, a file against a
// folder, and nodes several levels down.
TEST(DirDiffCrossCheck, RandomTreesHoldEveryKindOfDifference)
{
    if (!DiffIsInstalled())
        GTEST_SKIP() << "GNU diff is not installed";
    std::set<std::string> kinds;
    std::size_t entries = 0;
    for (int pair = 0; pair < kPairs; ++pair) {
        std::vector<TreeEntry> first;
        std::vector<TreeEntry> second;
        CTreePairWriter(kFirstSeed + static_cast<unsigned>(pair)).Fill(first, second);
        entries += first.size() + second.size();
        TreeFolder folder;
        folder.Build("A", first);
        folder.Build("B", second);
        const DIFF_OUTCOME diff = RunDiff(folder.Path(""));
        if (!diff.differ.empty())
            kinds.insert("differ");
        for (const std::string& name : diff.onlyFirst) {
            kinds.insert(diff.onlySecond.contains(name) ? "file against folder" : "only first");
            if (name.find('/') != std::string::npos)
                kinds.insert("nested");
        }
        if (!diff.onlySecond.empty())
            kinds.insert("only second");
    }
    EXPECT_EQ(kinds, (std::set<std::string>{"differ", "file against folder", "nested", "only first",
                                            "only second"}));
    EXPECT_GE(entries / kPairs, 40U);
}
