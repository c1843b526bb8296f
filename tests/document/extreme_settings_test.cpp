// Block sizes and limits at the edges of what an int holds, as an edited
// store or the command line can give them, reach the comparison of the
// smallest files. Run under the sanitizers, an overflow anywhere on the way
// fails the test.
#include "document/diff_doc.h"
#include "document/sync_user_seam.h"
#include "document_fixture.h"

#include <climits>
#include <string>
#include <vector>

namespace {

struct PAIR
{
    const char* name;
    std::string oldBytes;
    std::string newBytes;
    // Elements of each file: lines of a text, bytes of a binary file.
    int count;
    // Whether both files hold the same elements in the same order.
    bool same;
};

const PAIR kPairs[] = {
    {"empty", "", "", 0, true},
    {"one line", "a", "a", 1, true},
    {"two lines", "a\nb", "a\nb", 2, true},
    {"two lines swapped", "a\nb", "b\na", 2, false},
    {"one line against another", "a", "b", 1, false},
    {"one byte", "\x01", "\x01", 1, true},
    {"two bytes", "\x01\x02", "\x01\x02", 2, true},
    {"two bytes swapped", "\x01\x02", "\x02\x01", 2, false},
};

const int kExtremes[] = {0, 1, INT_MAX};

int LengthOf(const CBlockList& list)
{
    int total = 0;
    for (const DIFF_BLOCK* block : list.Blocks())
        total += block->length;
    return total;
}

// What two equal files give: one common block when a run as long as the
// files counts as common (a block size below 1 acts as 1) and the search
// reaches it (a limit of 0 searches nothing); otherwise each file unmatched,
// as two empty files always are.
std::string ExpectedForSameFiles(int count, int blockSize, int limit)
{
    const std::string n = std::to_string(count);
    if (count > 0 && std::max(blockSize, 1) <= count && limit >= 1)
        return "=" + n;
    return "-" + n + " +" + n;
}

} // namespace

TEST_F(CDocumentFixture, BlockSizeAndLimitAtTheirExtremes)
{
    for (const PAIR& pair : kPairs) {
        const std::string oldPath = Write("old", pair.oldBytes);
        const std::string newPath = Write("new", pair.newBytes);
        for (const int blockSize : kExtremes) {
            for (const int limit : kExtremes) {
                SCOPED_TRACE(std::string(pair.name) + ", block size " + std::to_string(blockSize) +
                             ", limit " + std::to_string(limit));
                CSyncUserSeam seam;
                CDiffDoc doc(seam);
                doc.settings.txtBlockSize = doc.settings.binBlockSize = blockSize;
                doc.settings.txtLimit = doc.settings.binLimit = limit;
                ASSERT_TRUE(doc.RunFileComparison(oldPath, newPath));
                // Each file is covered once, in its order, whatever was found.
                EXPECT_EQ(LengthOf(doc.firstList()), pair.count);
                EXPECT_EQ(LengthOf(doc.secondList()), pair.count);
                const std::string n = std::to_string(pair.count);
                if (pair.same) {
                    EXPECT_EQ(DescribeBlocks(doc.allList()),
                              ExpectedForSameFiles(pair.count, blockSize, limit));
                } else if (blockSize == INT_MAX || limit == 0) {
                    EXPECT_EQ(DescribeBlocks(doc.allList()), "-" + n + " +" + n);
                }
            }
        }
    }
}
