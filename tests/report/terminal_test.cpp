// On a terminal, control bytes in names, paths and lines are shown as escapes,
// so that each entry keeps to its line and nothing overwrites a marker; to a
// pipe everything is written byte for byte.
#include "report_fixture.h"
#include "tests/directory/tree_fixture.h"

namespace {

using E = TreeEntry;

class Terminal : public CReportFixture
{
protected:
    TreeFolder trees_;
};

const std::vector<TreeEntry> kOddNames = {E::File("line\nfeed"), E::File("tab\tbed"),
                                          E::File("esc\033[31m"), E::File("cr\rx"),
                                          E::File("del\x7f")};

} // namespace

TEST_F(Terminal, DirectoryNamesShowTheirControlBytesAsEscapes)
{
    const RUN_RESULT result = RunOnTerminal(
        {"--report", "--color=never", trees_.Build("A", kOddNames), trees_.Build("B", {})});

    EXPECT_EQ(result.out, "- cr\\rx\n- del\\x7f\n- esc\\e[31m\n- line\\nfeed\n- tab\\tbed\n"
                          "0 identical, 0 modified, 5 removed, 0 added entries\n");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exitStatus, 1);
}

TEST_F(Terminal, ACarriageReturnInsideALineCannotHideItsMarker)
{
    Write("old", "same\nover\rwritten\tindented\n");
    Write("new", "same\n");

    const RUN_RESULT onTerminal = RunOnTerminal({"--color=never", "--block-size=1", "old", "new"});
    const RUN_RESULT toPipe = Run({"--block-size=1", "old", "new"});

    EXPECT_EQ(onTerminal.out, "  same\n- over\\rwritten\tindented\n  \n"
                              "2 identical, 1 removed, 0 added, 0 moved lines\n");
    EXPECT_EQ(toPipe.out, "  same\n- over\rwritten\tindented\n  \n"
                          "2 identical, 1 removed, 0 added, 0 moved lines\n");
}

// A trouble line names paths; on a terminal a line feed in one keeps the
// message on its line, in a pipe the path is the bytes it is.
TEST_F(Terminal, TroubleLinesShowControlBytesOnlyOnATerminal)
{
    const std::string inner = trees_.Build("x\ny", {E::Folder("sub")});

    const RUN_RESULT onTerminal = RunOnTerminal({"--report", inner, inner + "/sub"});
    const RUN_RESULT toPipe = Run({"--report", inner, inner + "/sub"});

    const std::string visible = trees_.Path("x\\ny");
    EXPECT_EQ(onTerminal.err, "varnel: Overlapping directories cannot be compared! (" + visible +
                                  " and " + visible + "/sub)\n");
    EXPECT_EQ(toPipe.err, "varnel: Overlapping directories cannot be compared! (" + inner +
                              " and " + inner + "/sub)\n");
    EXPECT_EQ(onTerminal.exitStatus, 2);
    EXPECT_EQ(toPipe.exitStatus, 2);
}
