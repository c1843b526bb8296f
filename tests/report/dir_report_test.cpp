#include "report_fixture.h"
#include "tests/directory/tree_fixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <functional>
#include <grp.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using E = TreeEntry;
using Tree = std::vector<TreeEntry>;

// A report fixture that builds the compared trees from their descriptions.
class DirReportFixture : public CReportFixture
{
protected:
    std::string Build(const std::string& name, const Tree& entries) const
    {
        return trees_.Build(name, entries);
    }
    std::string TreePath(const std::string& name) const { return trees_.Path(name); }

    TreeFolder trees_;
};

// ---------------------------------------------------------------------------
// Trouble: one line on standard error, nothing on standard output, status 2.

struct DIR_TROUBLE_CASE
{
    const char* name;
    // Options as they are; anything else names a path in the tree folder.
    std::vector<std::string> args;
    // "{1}" and "{2}" stand for the two paths as they were passed.
    std::string err;

    friend void PrintTo(const DIR_TROUBLE_CASE& c, std::ostream* out) { *out << c.name; }
};

const std::string kOverlapping =
    "varnel: Overlapping directories cannot be compared! ({1} and {2})\n";

// clang-format off
const DIR_TROUBLE_CASE kDirTroubleCases[] = {
    {"SameDirectoryTwice", {"A", "A"}, kOverlapping},
    {"DirectoryAndItsSubfolder", {"A", "A/sub"}, kOverlapping},
    {"SubfolderAndItsDirectory", {"A/sub", "A"}, kOverlapping},
    {"SameDirectoryThroughALink", {"A", "links/toA"}, kOverlapping},
    {"SameDirectoryWithDotDot", {"A/sub/..", "A"}, kOverlapping},
    {"OverlappingInJsonToo", {"--report=json", "A", "A/sub"}, kOverlapping},
};
// clang-format on

class DirTrouble : public DirReportFixture, public ::testing::WithParamInterface<DIR_TROUBLE_CASE>
{
protected:
    void SetUp() override
    {
        Build("A", {E::File("file", "a"), E::File("sub/inner", "i")});
        Build("links", {E::Link("toA", "../A")});
    }
};

} // namespace

TEST_P(DirTrouble, IsOneLineOnStandardErrorAndStatusTwo)
{
    std::vector<std::string> args = {"--report"};
    std::vector<std::string> paths;
    for (const std::string& arg : GetParam().args) {
        args.push_back(arg.starts_with("-") ? arg : TreePath(arg));
        if (!arg.starts_with("-"))
            paths.push_back(args.back());
    }
    std::string err = GetParam().err;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        // Appended rather than joined with +: GCC 12 misjudges that at -O3.
        std::string mark = "{";
        mark += std::to_string(i + 1);
        mark += "}";
        err.replace(err.find(mark), mark.size(), paths[i]);
    }

    const RUN_RESULT result = Run(args);

    EXPECT_EQ(result.err, err);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.exitStatus, 2);
}

INSTANTIATE_TEST_SUITE_P(Cases, DirTrouble, ::testing::ValuesIn(kDirTroubleCases),
                         [](const auto& info) { return std::string(info.param.name); });

namespace {

// Whether an unprivileged user can reach the program: every folder on its
// path searchable by others, the program executable by others.
bool ReachableByOthers(const std::string& program)
{
    std::filesystem::path path = std::filesystem::absolute(program);
    for (;;) {
        struct stat status = {};
        if (::stat(path.c_str(), &status) != 0 || (status.st_mode & S_IXOTH) == 0)
            return false;
        if (path == path.root_path())
            return true;
        path = path.parent_path();
    }
}

// The user and group nobody has on Debian; no account needs to exist for it.
constexpr uid_t kNobody = 65534;

// What the run as another user needs: the program runs as an unprivileged
// user when the test runs as the superuser, whom permissions do not stop; the
// folders named are opened for it. None when that user cannot start the
// program.
std::optional<std::function<void()>> Unprivileged(const std::vector<std::string>& folders)
{
    if (::geteuid() != 0)
        return std::function<void()>();
    if (!ReachableByOthers(VARNEL_BINARY))
        return std::nullopt;
    for (const std::string& folder : folders)
        EXPECT_EQ(::chmod(folder.c_str(), 0755), 0) << folder;
    return std::function<void()>([] {
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
            ::_exit(99);
    });
}

class UnreadableRoot : public DirReportFixture, public ::testing::WithParamInterface<bool>
{
};

} // namespace

// A folder without read permission cannot be listed. The superuser can list
// any folder, so when the test runs as the superuser the program runs as an
// unprivileged user instead, and the tree folder is opened for it.
TEST_P(UnreadableRoot, FailsToCompare)
{
    const bool firstUnreadable = GetParam();
    const std::string readable = Build("readable", {E::File("file", "x")});
    const std::string unreadable = Build("unreadable", {});
    const std::optional<std::function<void()>> childSetup = Unprivileged({TreePath(""), readable});
    if (!childSetup)
        GTEST_SKIP() << "an unprivileged user cannot start " << VARNEL_BINARY;
    ASSERT_EQ(::chmod(unreadable.c_str(), 0), 0);

    const RUN_RESULT result = firstUnreadable
                                  ? Run({"--report", unreadable, readable}, *childSetup)
                                  : Run({"--report", readable, unreadable}, *childSetup);
    ::chmod(unreadable.c_str(), 0755);

    EXPECT_EQ(result.err,
              "varnel: Failed to compare directories! (" + unreadable + ": Permission denied)\n");
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.exitStatus, 2);
}

INSTANTIATE_TEST_SUITE_P(Cases, UnreadableRoot, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "First" : "Second"; });

// A folder or a file inside the trees that cannot be read is listed like the
// rest, and then named on standard error with the reason; the status is
// trouble, as diff -r gives it, and never "identical".
TEST_F(DirReportFixture, EntriesThatCannotBeReadAreListedNamedAndMakeTrouble)
{
    const std::string first =
        Build("A", {E::File("same", "s"), E::File("secret", "x"), E::File("locked/in", "i")});
    const std::string second =
        Build("B", {E::File("same", "s"), E::File("secret", "x"), E::File("locked/in", "i")});
    const std::optional<std::function<void()>> childSetup =
        Unprivileged({TreePath(""), first, second, second + "/locked"});
    if (!childSetup)
        GTEST_SKIP() << "an unprivileged user cannot start " << VARNEL_BINARY;
    ASSERT_EQ(::chmod((first + "/locked").c_str(), 0), 0);
    ASSERT_EQ(::chmod((first + "/secret").c_str(), 0), 0);

    const RUN_RESULT text = Run({"--report", first, second}, *childSetup);
    const RUN_RESULT json = Run({"--report=json", first, second}, *childSetup);
    ::chmod((first + "/locked").c_str(), 0755);

    const std::string named = "varnel: Failed to read " + first + "/secret! (Permission denied)\n" +
                              "varnel: Failed to read " + first + "/locked! (Permission denied)\n";
    EXPECT_EQ(text.out, "M locked/\n+ locked/in\n  same\nM secret\n"
                        "1 identical, 2 modified, 0 removed, 1 added entries\n");
    EXPECT_EQ(text.err, named);
    EXPECT_EQ(text.exitStatus, 2);
    EXPECT_EQ(json.err, named);
    EXPECT_EQ(json.exitStatus, 2);
    EXPECT_NE(json.out.find(R"({"name": "secret", "isFile": true, "status": "Modified", )"
                            R"("counterpart": "secret", "error": "Permission denied"})"),
              std::string::npos)
        << json.out;
    EXPECT_NE(json.out.find(R"("identical": false)"), std::string::npos);
}

// ---------------------------------------------------------------------------
// The text report.

namespace {

struct LISTING_CASE
{
    const char* name;
    Tree first;
    Tree second;
    std::vector<std::string> options;
    int exitStatus;
    std::string listing;

    friend void PrintTo(const LISTING_CASE& c, std::ostream* out) { *out << c.name; }
};

// Two trees with an entry of every status, at the top and inside a folder.
const Tree kEveryStatusFirst = {E::File("same", "s"),   E::File("changed", "1"),
                                E::File("gone", "g"),   E::File("old/o", "o"),
                                E::File("keep/x", "x"), E::File("keep/y", "1")};
const Tree kEveryStatusSecond = {E::File("same", "s"),   E::File("changed", "2"),
                                 E::File("new/n", "n"),  E::File("keep/x", "x"),
                                 E::File("keep/y", "2"), E::File("keep/z", "z")};
const std::string kEveryStatusSummary = "2 identical, 3 modified, 3 removed, 3 added entries\n";

// clang-format off
const LISTING_CASE kListingCases[] = {
    {.name = "EveryStatusFoldersFirst",
     .first = kEveryStatusFirst, .second = kEveryStatusSecond,
     .options = {}, .exitStatus = 1,
     .listing = "M keep/\n  keep/x\nM keep/y\n+ keep/z\n+ new/\n+ new/n\n- old/\n- old/o\n"
                "M changed\n- gone\n  same\n" + kEveryStatusSummary},
    {.name = "BriefListsOnlyWhatDiffers",
     .first = kEveryStatusFirst, .second = kEveryStatusSecond,
     .options = {"--brief"}, .exitStatus = 1,
     .listing = "M keep/\nM keep/y\n+ keep/z\n+ new/\n+ new/n\n- old/\n- old/o\n"
                "M changed\n- gone\n" + kEveryStatusSummary},
    {.name = "NamesInOrderWithCaseFoldedThenBytes",
     .first = {E::File("b.txt"), E::File("A.txt"), E::File("C.txt"), E::File("B.txt"),
               E::File("z/m.txt"), E::File("z/sub/q"), E::File("Y/k")},
     .second = {E::File("b.txt"), E::File("A.txt"), E::File("C.txt"), E::File("B.txt"),
                E::File("z/m.txt"), E::File("z/sub/q"), E::File("Y/k")},
     .options = {}, .exitStatus = 0,
     .listing = "  Y/\n  Y/k\n  z/\n  z/sub/\n  z/sub/q\n  z/m.txt\n"
                "  A.txt\n  B.txt\n  b.txt\n  C.txt\n"
                "10 identical, 0 modified, 0 removed, 0 added entries\n"},
    {.name = "BriefOfIdenticalTreesIsTheSummary",
     .first = {E::File("a", "1"), E::Folder("empty")},
     .second = {E::File("a", "1"), E::Folder("empty")},
     .options = {"--brief"}, .exitStatus = 0,
     .listing = "2 identical, 0 modified, 0 removed, 0 added entries\n"},
    {.name = "EmptyTrees", .first = {}, .second = {},
     .options = {}, .exitStatus = 0,
     .listing = "0 identical, 0 modified, 0 removed, 0 added entries\n"},
    {.name = "FileAgainstFolderOfTheSameName",
     .first = {E::File("data", "d")}, .second = {E::File("data/in.txt", "d")},
     .options = {}, .exitStatus = 1,
     .listing = "+ data/\n+ data/in.txt\n- data\n"
                "0 identical, 0 modified, 1 removed, 2 added entries\n"},
    {.name = "NamesPairedByteForByte",
     .first = {E::File("Docs/r", "r")}, .second = {E::File("docs/r", "r"), E::File("docs/new")},
     .options = {}, .exitStatus = 1,
     .listing = "- Docs/\n- Docs/r\n+ docs/\n+ docs/new\n+ docs/r\n"
                "0 identical, 0 modified, 2 removed, 3 added entries\n"},
    {.name = "NamesPairedIgnoringCaseEachShownAsFound",
     .first = {E::File("Docs/r", "r")}, .second = {E::File("docs/r", "r"), E::File("docs/new")},
     .options = {"--ignore-name-case"}, .exitStatus = 1,
     .listing = "M Docs/\n+ docs/new\n  Docs/r\n"
                "1 identical, 1 modified, 0 removed, 1 added entries\n"},
    {.name = "ExcludedEntriesAreNeitherListedNorCounted",
     .first = {E::File("a.c", "1"), E::File("a.o", "1"), E::File("build/x", "1")},
     .second = {E::File("a.c", "1"), E::File("b.o", "2"), E::File("build/y", "2")},
     .options = {"--exclude=*.o", "--exclude", "build/"}, .exitStatus = 0,
     .listing = "  a.c\n1 identical, 0 modified, 0 removed, 0 added entries\n"},
    {.name = "NamesWrittenByteForByteWhenNotATerminal",
     .first = {E::File("line\nfeed"), E::File("tab\tbed"), E::File("esc\033[31m")}, .second = {},
     .options = {}, .exitStatus = 1,
     .listing = "- esc\033[31m\n- line\nfeed\n- tab\tbed\n"
                "0 identical, 0 modified, 3 removed, 0 added entries\n"},
    {.name = "ColorAlways",
     .first = {E::File("changed", "1"), E::File("gone"), E::File("same")},
     .second = {E::File("changed", "2"), E::File("new"), E::File("same")},
     .options = {"--color=always"}, .exitStatus = 1,
     .listing = "\033[33mM changed\033[m\n\033[31m- gone\033[m\n\033[32m+ new\033[m\n  same\n"
                "1 identical, 1 modified, 1 removed, 1 added entries\n"},
    {.name = "AutoColorIsOffWhenNotATerminal",
     .first = {E::File("gone")}, .second = {},
     .options = {"--color=auto"}, .exitStatus = 1,
     .listing = "- gone\n0 identical, 0 modified, 1 removed, 0 added entries\n"},
};
// clang-format on

class DirTextReport : public DirReportFixture, public ::testing::WithParamInterface<LISTING_CASE>
{
};

} // namespace

TEST_P(DirTextReport, ListsTheCompositeTreeThenTheSummary)
{
    const LISTING_CASE& c = GetParam();
    std::vector<std::string> args = {"--report"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    args.push_back(Build("A", c.first));
    args.push_back(Build("B", c.second));

    const RUN_RESULT result = Run(args);

    EXPECT_EQ(result.out, c.listing);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exitStatus, c.exitStatus);
}

INSTANTIATE_TEST_SUITE_P(Cases, DirTextReport, ::testing::ValuesIn(kListingCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// The JSON report.

namespace {

struct JSON_CASE
{
    const char* name;
    Tree first;
    Tree second;
    int exitStatus;
    bool identical;
    // Identical, modified, removed, added.
    std::vector<int> summary;
    // Each node in scan order as "name status counterpart", a folder's name
    // (and its counterpart's) ending in "/", "-" for no counterpart.
    std::vector<std::string> firstNodes;
    std::vector<std::string> secondNodes;

    friend void PrintTo(const JSON_CASE& c, std::ostream* out) { *out << c.name; }
};

// clang-format off
const JSON_CASE kJsonCases[] = {
    {.name = "EveryStatusWithCounterparts",
     .first = {E::File("same.txt", "s"), E::File("changed.txt", "1"), E::File("gone.txt", "g"),
               E::File("sub/inner.txt", "i"), E::File("data", "d")},
     .second = {E::File("same.txt", "s"), E::File("changed.txt", "2"), E::File("sub/inner.txt", "i"),
                E::File("data/in.txt", "n"), E::File("added/deep.txt", "a")},
     .exitStatus = 1, .identical = false, .summary = {3, 1, 2, 4},
     .firstNodes = {"changed.txt Modified changed.txt", "data Old -", "gone.txt Old -",
                    "same.txt Normal same.txt", "sub/ Normal sub/",
                    "sub/inner.txt Normal sub/inner.txt"},
     .secondNodes = {"changed.txt Modified changed.txt", "same.txt Normal same.txt",
                     "added/ New -", "added/deep.txt New -", "data/ New -", "data/in.txt New -",
                     "sub/ Normal sub/", "sub/inner.txt Normal sub/inner.txt"}},
    {.name = "IdenticalTrees",
     .first = {E::File("a", "1"), E::File("f/b", "2"), E::Folder("f/empty")},
     .second = {E::File("a", "1"), E::File("f/b", "2"), E::Folder("f/empty")},
     .exitStatus = 0, .identical = true, .summary = {4, 0, 0, 0},
     .firstNodes = {"a Normal a", "f/ Normal f/", "f/b Normal f/b", "f/empty/ Normal f/empty/"},
     .secondNodes = {"a Normal a", "f/ Normal f/", "f/b Normal f/b", "f/empty/ Normal f/empty/"}},
    {.name = "EmptyTrees", .first = {}, .second = {},
     .exitStatus = 0, .identical = true, .summary = {0, 0, 0, 0},
     .firstNodes = {}, .secondNodes = {}},
    {.name = "OnlyTheSecondHasAFile", .first = {}, .second = {E::File("new")},
     .exitStatus = 1, .identical = false, .summary = {0, 0, 0, 1},
     .firstNodes = {}, .secondNodes = {"new New -"}},
};
// clang-format on

std::string Describe(const QJsonObject& node)
{
    const QString slash = node[QStringLiteral("isFile")].toBool() ? QString() : QStringLiteral("/");
    const QJsonValue counterpart = node[QStringLiteral("counterpart")];
    return (node[QStringLiteral("name")].toString() + slash + QLatin1Char(' ') +
            node[QStringLiteral("status")].toString() + QLatin1Char(' ') +
            (counterpart.isNull() ? QStringLiteral("-") : counterpart.toString() + slash))
        .toStdString();
}

// Each node has exactly its four keys, with values of their types.
bool HasItsKeys(const QJsonObject& node)
{
    const QJsonValue counterpart = node[QStringLiteral("counterpart")];
    return node.size() == 4 && node[QStringLiteral("name")].isString() &&
           node[QStringLiteral("isFile")].isBool() && node[QStringLiteral("status")].isString() &&
           (counterpart.isString() || counterpart.isNull());
}

std::vector<std::string> Nodes(const QJsonObject& tree)
{
    std::vector<std::string> nodes;
    for (const QJsonValue& value : tree[QStringLiteral("nodes")].toArray()) {
        EXPECT_TRUE(HasItsKeys(value.toObject())) << Describe(value.toObject());
        nodes.push_back(Describe(value.toObject()));
    }
    return nodes;
}

QJsonObject ParseReport(const std::string& out)
{
    QJsonParseError error{};
    const QJsonDocument json = QJsonDocument::fromJson(QByteArray::fromStdString(out), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << out;
    return json.object();
}

class DirJsonReport : public DirReportFixture, public ::testing::WithParamInterface<JSON_CASE>
{
};

} // namespace

TEST_P(DirJsonReport, DescribesBothTreesNodeByNode)
{
    const JSON_CASE& c = GetParam();
    const std::string first = Build("A", c.first);
    const std::string second = Build("B", c.second);

    const RUN_RESULT result = Run({"--report=json", first, second});

    EXPECT_EQ(result.exitStatus, c.exitStatus);
    EXPECT_EQ(result.err, "");
    const QJsonObject report = ParseReport(result.out);
    EXPECT_EQ(report[QStringLiteral("mode")].toString(), QStringLiteral("directory"));
    ASSERT_TRUE(report[QStringLiteral("identical")].isBool());
    EXPECT_EQ(report[QStringLiteral("identical")].toBool(), c.identical);
    const QJsonObject summary = report[QStringLiteral("summary")].toObject();
    const std::vector<int> counts = {summary[QStringLiteral("identical")].toInt(-1),
                                     summary[QStringLiteral("modified")].toInt(-1),
                                     summary[QStringLiteral("removed")].toInt(-1),
                                     summary[QStringLiteral("added")].toInt(-1)};
    EXPECT_EQ(counts, c.summary);
    const QJsonObject firstTree = report[QStringLiteral("first")].toObject();
    const QJsonObject secondTree = report[QStringLiteral("second")].toObject();
    EXPECT_EQ(firstTree[QStringLiteral("path")].toString().toStdString(), first);
    EXPECT_EQ(secondTree[QStringLiteral("path")].toString().toStdString(), second);
    EXPECT_EQ(Nodes(firstTree), c.firstNodes);
    EXPECT_EQ(Nodes(secondTree), c.secondNodes);
}

INSTANTIATE_TEST_SUITE_P(Cases, DirJsonReport, ::testing::ValuesIn(kJsonCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A name is bytes. Valid UTF-8 stays as it is, a control byte gets the usual
// JSON escape, and a byte that is no UTF-8 becomes \udcXX, so that the report
// stays valid and every name can be told from every other.
TEST_F(DirReportFixture, JsonNamesKeepEveryByte)
{
    const std::string latin1 = "caf\xe9";
    const std::string utf8 = "caf\xc3\xa9";
    const std::string first = Build("A", {E::File(latin1), E::File(utf8), E::File("tab\tx")});
    const std::string second = Build("B", {E::File(latin1), E::File(utf8), E::File("tab\tx")});

    const RUN_RESULT result = Run({"--report=json", first, second});

    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_NE(result.out.find(R"({"name": "caf\udce9", "isFile": true, "status": "Normal", )"
                              R"("counterpart": "caf\udce9"})"),
              std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("{\"name\": \"caf\xc3\xa9\""), std::string::npos) << result.out;
    EXPECT_NE(result.out.find(R"({"name": "tab\u0009x")"), std::string::npos) << result.out;

    const QJsonArray nodes =
        ParseReport(result.out)[QStringLiteral("first")][QStringLiteral("nodes")].toArray();
    QStringList names;
    for (const QJsonValue& node : nodes)
        names << node[QStringLiteral("name")].toString();
    // In byte order, as the scan lists them: 0xc3 comes before 0xe9.
    const QStringList expected = {QString::fromUtf8(utf8.c_str()),
                                  QStringLiteral("caf") + QChar(0xdce9), QStringLiteral("tab\tx")};
    EXPECT_EQ(names, expected);
}
