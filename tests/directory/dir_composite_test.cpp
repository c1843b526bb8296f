#include "directory/dir_composite.h"
#include "directory/dir_node.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using S = DirNodeStatus;

// One side of an entry: a node of the first tree or of the second.
struct SIDE
{
    const char* name;
    bool isFile;
    S status;
    bool inFirst;
};

struct ORDER_CASE
{
    const char* name;
    SIDE a;
    SIDE b;
    int sort;
    int sign; // of Compare(a, b)
};

CDirNode MakeNode(const SIDE& side)
{
    CDirNode node;
    node.name = side.name;
    node.isFile = side.isFile;
    node.status = side.status;
    return node;
}

CDirComposite::ENTRY EntryOf(const SIDE& side, const CDirNode& node)
{
    return side.inFirst ? CDirComposite::ENTRY{&node, nullptr}
                        : CDirComposite::ENTRY{nullptr, &node};
}

// The one order of the report's composite listing and of every directory
// pane, in both of its sorts.
TEST(DirCompositeOrderTest, FoldersFirstThenStatusWhenAskedThenNameThenTheFirstTree)
{
    constexpr int kName = CDirComposite::ByName;
    constexpr int kStatus = CDirComposite::ByStatus;
    const std::vector<ORDER_CASE> cases = {
        {"names", {"a.txt", true, S::Old, true}, {"b.txt", true, S::Old, true}, kName, -1},
        {"letter case folded",
         {"B.txt", true, S::Old, true},
         {"a.txt", true, S::Old, true},
         kName,
         1},
        {"underscore before letters",
         {"_x", true, S::Old, true},
         {"a", true, S::Old, true},
         kName,
         -1},
        {"equal folded names: bytes",
         {"a.txt", true, S::Old, true},
         {"A.txt", true, S::New, false},
         kName,
         1},
        {"equal names: the first tree's first",
         {"same", true, S::Old, true},
         {"same", true, S::New, false},
         kName,
         -1},
        {"whole relative path",
         {"a/z.txt", true, S::Old, true},
         {"b/a.txt", true, S::Old, true},
         kName,
         -1},
        {"full stop before slash",
         {"a.txt", true, S::Old, true},
         {"a/b.txt", true, S::Old, true},
         kName,
         -1},
        {"folder before file by name",
         {"z", false, S::Old, true},
         {"a.txt", true, S::Old, true},
         kName,
         -1},
        {"file after folder by status",
         {"a.txt", true, S::Old, true},
         {"z", false, S::Normal, true},
         kStatus,
         1},
        {"Old before New", {"z", true, S::Old, true}, {"a", true, S::New, false}, kStatus, -1},
        {"New before Modified",
         {"z", true, S::New, false},
         {"a", true, S::Modified, true},
         kStatus,
         -1},
        {"Modified before Normal",
         {"z", false, S::Modified, true},
         {"a", false, S::Normal, true},
         kStatus,
         -1},
        {"Normal after Old", {"a", true, S::Normal, true}, {"z", true, S::Old, true}, kStatus, 1},
        {"equal status: by name",
         {"z", true, S::New, false},
         {"a", true, S::New, false},
         kStatus,
         1},
        {"status ignored by name",
         {"a", true, S::Normal, true},
         {"z", true, S::Old, true},
         kName,
         -1},
        {"the same entry", {"a", true, S::Old, true}, {"a", true, S::Old, true}, kName, 0},
    };
    for (const ORDER_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        const CDirNode a = MakeNode(c.a);
        const CDirNode b = MakeNode(c.b);
        const int result = CDirComposite::Compare(EntryOf(c.a, a), EntryOf(c.b, b), c.sort);
        EXPECT_EQ((result > 0) - (result < 0), c.sign);
        const int reverse = CDirComposite::Compare(EntryOf(c.b, b), EntryOf(c.a, a), c.sort);
        EXPECT_EQ((reverse > 0) - (reverse < 0), -c.sign);
        EXPECT_EQ(CDirComposite::ListedBefore(EntryOf(c.a, a), EntryOf(c.b, b), c.sort),
                  c.sign < 0);
    }
}

} // namespace
