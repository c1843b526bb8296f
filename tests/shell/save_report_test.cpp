#include "shell/frame_actions.h"
#include "tests/shell/main_frame_fixture.h"

#include <QAction>
#include <QFile>

namespace {

class SaveReportTest : public MainFrameTest
{
protected:
    // Save Report with path as the user's answer; the page written, or empty.
    std::string SaveTo(const std::string& path)
    {
        seam_.answers.push_back(path);
        frame_->Actions().saveReport->trigger();
        QFile page(QString::fromStdString(path));
        if (!page.open(QIODevice::ReadOnly))
            return {};
        return page.readAll().toStdString();
    }
    std::string PagePath(const std::string& name) const
    {
        return dir_.filePath(QString::fromStdString(name)).toStdString();
    }
};

bool Holds(const std::string& page, const std::string& part)
{
    return page.find(part) != std::string::npos;
}

} // namespace

TEST_F(SaveReportTest, WritesThePageOfTheFilesShownInTheirLayout)
{
    EXPECT_FALSE(frame_->Actions().saveReport->isEnabled());
    const std::string first = Write("a.txt", "same\nsame 2\nold line\n");
    frame_->CompareFiles(first, Write("b.txt", "same\nsame 2\nnew line\n"));
    ASSERT_TRUE(frame_->Actions().saveReport->isEnabled());

    frame_->SetTxtViewMode(0);
    const std::string composite = SaveTo(PagePath("composite.html"));
    EXPECT_EQ(seam_.titles.back(), QStringLiteral("Save Report"));
    EXPECT_TRUE(Holds(composite, "<table class=\"rows composite\">"));
    EXPECT_TRUE(Holds(composite, first));
    EXPECT_TRUE(Holds(composite, "<td class=\"t k2\">old <span class=\"c\">line</span>") ||
                Holds(composite, "<td class=\"t k2\"><span class=\"c\">old</span> line"))
        << composite;
    EXPECT_TRUE(composite.ends_with("</html>\n"));

    frame_->SetTxtViewMode(1);
    const std::string sides = SaveTo(PagePath("sides.html"));
    EXPECT_TRUE(Holds(sides, "<div class=\"sides\">"));
    EXPECT_FALSE(Holds(sides, "composite"));
    EXPECT_TRUE(seam_.errors.empty());
}

TEST_F(SaveReportTest, WritesTheDirectoryPageWhenDirectoriesAreShown)
{
    Write("d1/x.txt", "one\ntwo\nthree\n");
    Write("d2/x.txt", "one\n2\nthree\n");
    frame_->CompareDirectories(dir_.filePath("d1").toStdString(),
                               dir_.filePath("d2").toStdString());
    ASSERT_TRUE(frame_->Actions().saveReport->isEnabled());
    const std::string page = SaveTo(PagePath("dirs.html"));
    EXPECT_TRUE(Holds(page, "<table class=\"tree\">"));
    EXPECT_TRUE(Holds(page, "<details id=\"file-0\"><summary>x.txt \xE2\x80\x94 "));
}

TEST_F(SaveReportTest, SaysWhyAPageCouldNotBeWrittenAndDoesNothingWhenCancelled)
{
    frame_->CompareFiles(Write("a.txt", "a\n"), Write("b.txt", "b\n"));
    const std::string nowhere = PagePath("missing/page.html");
    EXPECT_EQ(SaveTo(nowhere), "");
    ASSERT_EQ(seam_.errors.size(), 1u);
    EXPECT_EQ(seam_.errors[0].toStdString(),
              "Failed to save the report!\n" + nowhere + ": No such file or directory");

    seam_.answers.push_back(std::nullopt);
    frame_->Actions().saveReport->trigger();
    EXPECT_EQ(seam_.errors.size(), 1u);
}
