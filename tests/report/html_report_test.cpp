#include "html_page_tree.h"
#include "report_fixture.h"
#include "tests/directory/tree_fixture.h"

#include <set>

namespace {

using E = TreeEntry;

// Runs an HTML report and reads the page back; a page that does not parse
// fails the test.
class HtmlReport : public CReportFixture
{
protected:
    std::unique_ptr<HTML_ELEMENT> Page(const std::vector<std::string>& args,
                                       int expectedStatus = 1)
    {
        std::vector<std::string> all = {"--report=html"};
        all.insert(all.end(), args.begin(), args.end());
        const RUN_RESULT result = Run(all);
        EXPECT_EQ(result.exitStatus, expectedStatus) << result.err;
        EXPECT_EQ(result.err, "");
        page_ = result.out;
        QString error;
        auto root = ParsePage(page_, &error);
        EXPECT_NE(root, nullptr) << error.toStdString();
        return root;
    }
    std::unique_ptr<HTML_ELEMENT> FilePage(const std::string& first, const std::string& second,
                                           std::vector<std::string> options = {})
    {
        Write("old.txt", first);
        Write("new.txt", second);
        options.push_back(PathOf("old.txt"));
        options.push_back(PathOf("new.txt"));
        return Page(options);
    }

    std::string page_;
};

// The rows of the composite listing as "marker|old number|new number|text".
std::vector<std::string> CompositeRows(const HTML_ELEMENT& root)
{
    std::vector<std::string> rows;
    for (const HTML_ELEMENT* table : root.WithClass("table", "composite")) {
        for (const HTML_ELEMENT* row : table->Named("tr")) {
            std::string line;
            for (const auto& cell : row->children) {
                if (cell != row->children.front())
                    line += '|';
                line += cell->text.toStdString();
            }
            rows.push_back(line);
        }
    }
    return rows;
}

// Every link of the page to an anchor on it, each checked: the target exists,
// and a moved block's link is answered by a link back from its other half.
void ExpectMovedLinksBothWays(const HTML_ELEMENT& root, std::size_t expectedLinks)
{
    std::map<QString, const HTML_ELEMENT*> byId;
    for (const HTML_ELEMENT* e : root.FindAll([](const HTML_ELEMENT& e) {
             return e.attributes.contains(QStringLiteral("id"));
         })) {
        EXPECT_TRUE(byId.emplace(e->Attribute("id"), e).second)
            << "id twice: " << e->Attribute("id").toStdString();
    }
    const auto links = root.WithClass("a", "moved");
    EXPECT_EQ(links.size(), expectedLinks);
    for (const HTML_ELEMENT* link : links) {
        const QString href = link->Attribute("href");
        ASSERT_TRUE(href.startsWith(QLatin1Char('#')));
        const auto target = byId.find(href.mid(1));
        ASSERT_NE(target, byId.end()) << href.toStdString();
        EXPECT_EQ(target->second->Attribute("href"),
                  QStringLiteral("#") + link->Attribute("id"))
            << "no link back from " << href.toStdString();
    }
}

} // namespace

TEST_F(HtmlReport, ListsEveryLineInCompositeOrderWithBothLineNumbers)
{
    const auto root = FilePage("keep 1\nkeep 2\ngone\nkeep 3\nkeep 4\n",
                               "keep 1\nkeep 2\nfresh\nkeep 3\nkeep 4\n");
    ASSERT_NE(root, nullptr);
    const std::vector<std::string> expected = {
        "1|1| |keep 1", "2|2| |keep 2", "3||-|gone", "|3|+|fresh",
        "4|4| |keep 3", "5|5| |keep 4", "6|6| |",
    };
    EXPECT_EQ(CompositeRows(*root), expected);
    const auto summary = root->WithClass("p", "summary");
    ASSERT_EQ(summary.size(), 1u);
    EXPECT_EQ(summary[0]->text.toStdString(), "5 identical, 1 removed, 1 added, 0 moved lines");
    EXPECT_TRUE(root->text.contains(QString::fromStdString(PathOf("old.txt"))));
    EXPECT_TRUE(root->text.contains(QStringLiteral("ignore case off")));
    // Nothing on the page is fetched or run.
    EXPECT_TRUE(root->Named("script").empty());
    EXPECT_TRUE(root->Named("link").empty());
    EXPECT_TRUE(root->Named("img").empty());
    EXPECT_EQ(page_.find("http:"), page_.find("http://www.w3.org/1999/xhtml"));
    EXPECT_EQ(page_.find("https:"), std::string::npos);
}

TEST_F(HtmlReport, MovedBlocksLinkToEachOtherBothWays)
{
    std::string moved;
    for (int i = 0; i < 6; ++i)
        moved += "moved line " + std::to_string(i) + "\n";
    std::string stay;
    for (int i = 0; i < 6; ++i)
        stay += "staying line " + std::to_string(i) + "\n";
    std::string other;
    for (int i = 0; i < 6; ++i)
        other += "other line " + std::to_string(i) + "\n";
    const auto root = FilePage(moved + stay + other, stay + other + moved);
    ASSERT_NE(root, nullptr);
    ExpectMovedLinksBothWays(*root, 2);
    // The link stands on the block's first row, in each file.
    const auto links = root->WithClass("a", "moved");
    ASSERT_EQ(links.size(), 2u);
    EXPECT_TRUE(links[0]->Attribute("title").startsWith(QStringLiteral("moved to line ")));
    EXPECT_TRUE(links[1]->Attribute("title").startsWith(QStringLiteral("moved from line 1 ")));
}

TEST_F(HtmlReport, MarksTheChangesInsideLinesAsTheWindowDoes)
{
    const auto root = FilePage("same\nsame 2\nalpha beta gamma\nsame 3\nsame 4\n",
                               "same\nsame 2\nalpha xyz gamma\nsame 3\nsame 4\n");
    ASSERT_NE(root, nullptr);
    const auto changed = root->WithClass("span", "c");
    ASSERT_EQ(changed.size(), 2u);
    EXPECT_EQ(changed[0]->text, QStringLiteral("beta"));
    EXPECT_EQ(changed[1]->text, QStringLiteral("xyz"));
}

TEST_F(HtmlReport, ShowsLinesAsTheWindowDoes)
{
    // Not UTF-8: shown as Latin-1. A tab widens to the tab size (4).
    const auto root = FilePage("caf\xe9\n\tx\n", "caf\xc3\xa9\n\tx\n");
    ASSERT_NE(root, nullptr);
    const std::vector<std::string> rows = CompositeRows(*root);
    ASSERT_GE(rows.size(), 3u);
    EXPECT_EQ(rows[0], "1||-|caf\xc3\xa9");
    EXPECT_EQ(rows[1], "|1|+|caf\xc3\xa9");
    EXPECT_EQ(rows[2], "2|2| |    x");
}

TEST_F(HtmlReport, NothingFromTheInputsBecomesMarkup)
{
    const std::string hostile = "<script>alert(\"x\")</script> & 'q' </td></tr>";
    MakeFolder("a<script>\"&'");
    Write("a<script>\"&'/<b>&amp;.txt", hostile + "\nsame\n");
    Write("new.txt", "other\nsame\n");
    const auto root = Page({PathOf("a<script>\"&'/<b>&amp;.txt"), PathOf("new.txt")});
    ASSERT_NE(root, nullptr);
    EXPECT_TRUE(root->Named("script").empty());
    EXPECT_TRUE(root->Named("b").empty());
    EXPECT_TRUE(root->text.contains(QString::fromStdString(hostile)));
    EXPECT_TRUE(root->text.contains(QStringLiteral("a<script>\"&'/<b>&amp;.txt")));
    // The same content in every layout.
    const auto sides = Page({"--layout=side-by-side", PathOf("a<script>\"&'/<b>&amp;.txt"),
                             PathOf("new.txt")});
    ASSERT_NE(sides, nullptr);
    EXPECT_TRUE(sides->Named("script").empty());
    EXPECT_TRUE(sides->text.contains(QString::fromStdString(hostile)));
}

TEST_F(HtmlReport, SideBySideShowsEachFileInItsOwnColumn)
{
    const auto root = FilePage("one\ntwo\nthree\n", "one\n2\nthree\n", {"--layout=side-by-side"});
    ASSERT_NE(root, nullptr);
    EXPECT_TRUE(root->WithClass("table", "composite").empty());
    const auto sides = root->WithClass("div", "side");
    ASSERT_EQ(sides.size(), 2u);
    const auto firstCells = sides[0]->WithClass("td", "t");
    const auto secondCells = sides[1]->WithClass("td", "t");
    ASSERT_EQ(firstCells.size(), 4u);
    ASSERT_EQ(secondCells.size(), 4u);
    EXPECT_EQ(firstCells[1]->text, QStringLiteral("two"));
    EXPECT_TRUE(firstCells[1]->HasClass("k2"));
    EXPECT_EQ(secondCells[1]->text, QStringLiteral("2"));
    EXPECT_TRUE(secondCells[1]->HasClass("k1"));
}

TEST_F(HtmlReport, BinaryFilesShowAsHexRows)
{
    Write("old.bin", std::string("\x01\x02" "ABCDEFGHIJKLMNOPQRST", 22));
    Write("new.bin", std::string("\x01\x02" "ABCDEFGHIJKLMNOPQRSTUV", 24));
    const auto root = Page({PathOf("old.bin"), PathOf("new.bin")});
    ASSERT_NE(root, nullptr);
    const auto offsets = root->WithClass("td", "n");
    const auto hex = root->WithClass("td", "h");
    const auto chars = root->WithClass("td", "a");
    // Ten bytes a row, as the window's default: 24 bytes in three rows.
    ASSERT_EQ(hex.size(), 3u);
    ASSERT_EQ(offsets.size(), 3u);
    EXPECT_EQ(offsets[0]->text.trimmed(), QStringLiteral("00000000:"));
    EXPECT_EQ(hex[0]->text.trimmed(), QStringLiteral("01 02 41 42 43 44 45 46 47 48"));
    EXPECT_EQ(chars[0]->text.trimmed(), QStringLiteral("# # A B C D E F G H"));
    // The last row holds the end of the common bytes and the added ones, each
    // in its own colour.
    const auto pieces = hex[2]->Named("span");
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_TRUE(pieces[0]->HasClass("k0"));
    EXPECT_EQ(pieces[1]->text.trimmed(), QStringLiteral("55 56"));
    EXPECT_TRUE(pieces[1]->HasClass("k1"));
    EXPECT_TRUE(root->text.contains(QStringLiteral("bytes")));
}

TEST_F(HtmlReport, StylesTheKindsInTheUsersColoursAndEmphasis)
{
    WriteSettings("[Settings]\nOldBgCol=5\nOldTxtCol=1\nOldEmphasis=Bold\nNewEmphasis=Italic\n"
                  "MovedFromEmphasis=Normal\n");
    const auto root = FilePage("a\nb\n", "a\nc\n");
    ASSERT_NE(root, nullptr);
    const auto styles = root->Named("style");
    ASSERT_EQ(styles.size(), 1u);
    const std::string css = styles[0]->text.toStdString();
    EXPECT_NE(css.find(".k2 { color: #ffffff; background: #e05050; font-weight: bold; }"),
              std::string::npos)
        << css;
    EXPECT_NE(css.find(".k1 { background: #e0e060; font-style: italic; }"), std::string::npos);
    EXPECT_NE(css.find(".k4 { background: #a0d0a0; }"), std::string::npos);
}

// ---------------------------------------------------------------------------
// Two directories.

class DirHtmlReport : public HtmlReport
{
protected:
    std::unique_ptr<HTML_ELEMENT> DirPage(const std::vector<TreeEntry>& first,
                                          const std::vector<TreeEntry>& second,
                                          std::vector<std::string> options = {})
    {
        options.push_back(trees_.Build("A", first));
        options.push_back(trees_.Build("B", second));
        return Page(options);
    }

    TreeFolder trees_;
};

TEST_F(DirHtmlReport, ShowsTheTreeWithStatusesAndEachModifiedFileInASection)
{
    const auto root = DirPage(
        {E::File("same.txt", "s\n"), E::File("sub/changed.txt", "one\none b\ntwo\nend\nend 2\n"),
         E::File("gone.txt", "g\n")},
        {E::File("same.txt", "s\n"), E::File("sub/changed.txt", "one\none b\n2\nend\nend 2\n"),
         E::File("new.txt", "n\n")});
    ASSERT_NE(root, nullptr);
    const auto tree = root->WithClass("table", "tree");
    ASSERT_EQ(tree.size(), 1u);
    std::vector<std::string> entries;
    for (const HTML_ELEMENT* row : tree[0]->Named("tr")) {
        const auto icons = row->WithClass("span", "icon");
        ASSERT_EQ(icons.size(), 1u);
        entries.push_back(icons[0]->Attribute("class").toStdString() + "|" +
                          row->text.toStdString());
    }
    const std::vector<std::string> expected = {
        "icon s2 dir|sub/modified", "icon s2|changed.txtmodified", "icon s0|gone.txtonly in old",
        "icon s1|new.txtonly in new", "icon s3|same.txtidentical"};
    EXPECT_EQ(entries, expected);
    const auto sections = root->Named("details");
    ASSERT_EQ(sections.size(), 1u);
    // Closed, a section still says how much its file changed.
    EXPECT_EQ(sections[0]->Named("summary")[0]->text.toStdString(),
              "sub/changed.txt \xE2\x80\x94 5 identical, 1 removed, 1 added, 0 moved lines");
    // The tree links to the section.
    const auto links = tree[0]->Named("a");
    ASSERT_EQ(links.size(), 1u);
    EXPECT_EQ(links[0]->Attribute("href"), QStringLiteral("#") + sections[0]->Attribute("id"));
    const std::vector<std::string> rows = CompositeRows(*sections[0]);
    const std::vector<std::string> expectedRows = {"1|1| |one", "2|2| |one b", "3||-|two",
                                                   "|3|+|2",    "4|4| |end", "5|5| |end 2",
                                                   "6|6| |"};
    EXPECT_EQ(rows, expectedRows);
    EXPECT_TRUE(root->text.contains(QStringLiteral("1 identical, 2 modified, 1 removed, 1 added")));
}

TEST_F(DirHtmlReport, MovedLinksStayWithinTheirOwnSection)
{
    std::string a;
    std::string b;
    for (int i = 0; i < 5; ++i) {
        a += "first part " + std::to_string(i) + "\n";
        b += "second part " + std::to_string(i) + "\n";
    }
    const auto root = DirPage({E::File("x.txt", a + b), E::File("y.txt", a + b)},
                              {E::File("x.txt", b + a), E::File("y.txt", b + a)});
    ASSERT_NE(root, nullptr);
    ASSERT_EQ(root->Named("details").size(), 2u);
    ExpectMovedLinksBothWays(*root, 4);
}

TEST_F(DirHtmlReport, NamesAndContentCannotInjectMarkup)
{
    const std::string name = "<script>alert(1)<\\script> \"q\" & 'x'.txt";
    const auto root = DirPage({E::File(name, "<script>\n&amp;\n")},
                              {E::File(name, "</details><script>\n&amp;\n")});
    ASSERT_NE(root, nullptr);
    EXPECT_TRUE(root->Named("script").empty());
    EXPECT_EQ(root->Named("details").size(), 1u);
    EXPECT_TRUE(root->text.contains(QString::fromStdString(name)));
    EXPECT_TRUE(root->text.contains(QStringLiteral("</details><script>")));
}

TEST_F(DirHtmlReport, BoundsCutLongListingsAndLeaveOutLargeFiles)
{
    std::string many;
    for (int i = 0; i < 25000; ++i)
        many += std::to_string(i) + "\n";
    const std::string large(5 << 20, 'x');
    const auto root = DirPage({E::File("large.txt", large), E::File("long.txt", many)},
                              {E::File("large.txt", large + "y"), E::File("long.txt", "")});
    ASSERT_NE(root, nullptr);
    const auto sections = root->Named("details");
    ASSERT_EQ(sections.size(), 2u);
    EXPECT_TRUE(sections[0]->text.contains(QStringLiteral("larger than 4 MiB")));
    EXPECT_TRUE(sections[0]->Named("table").empty());
    // 20 000 rows of the 25 001, then the note that says so.
    const std::vector<std::string> rows = CompositeRows(*sections[1]);
    ASSERT_EQ(rows.size(), 20001u);
    EXPECT_EQ(rows[19999], "20000||-|19999");
    EXPECT_EQ(rows.back(), "The listing stops here: the rest is longer than this page shows.");
}
