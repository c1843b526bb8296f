#include "dialogs/about_dlg.h"
#include "tests/dialogs/test_app.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class AboutDlgTest : public ::testing::Test
{
protected:
    void SetUp() override { dialog_.show(); }

    template<typename T> T* Child(const char* name) const
    {
        auto* child = dialog_.findChild<T*>(QLatin1String(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    // Made before the dialog, which needs it.
    QApplication& app_ = TestApp();
    CAboutDlg dialog_{QStringLiteral("Varnel 1.5.00")};
};

} // namespace

TEST(AboutDlgVersion, VersionLineNamesTheProgramAndItsVersion)
{
    struct CASE
    {
        const char* versionText;
        std::string line;
    };
    const std::vector<CASE> cases = {
        {"Varnel 1.5.00", "Varnel version 1.5.00."},
        {" Varnel 2.0.1 ", "Varnel version 2.0.1."},
        {"1.5.00", "Varnel version 1.5.00."},
        {"", "Varnel."},
    };
    for (const CASE& c : cases)
        EXPECT_EQ(CAboutDlg::VersionLine(QString::fromLatin1(c.versionText)).toStdString(), c.line)
            << c.versionText;
}

TEST_F(AboutDlgTest, ShowsNameVersionRightsAndNotice)
{
    EXPECT_EQ(dialog_.windowTitle().toStdString(), "About Varnel");
    EXPECT_EQ(Child<QLabel>("version")->text().toStdString(), "Varnel version 1.5.00.");
    EXPECT_EQ(Child<QLabel>("rights")->text(), CAboutDlg::RightsLine());
    EXPECT_FALSE(Child<QLabel>("picture")->pixmap().isNull());
    EXPECT_EQ(Child<QPlainTextEdit>("notice")->toPlainText(), CAboutDlg::NoticeText());
    EXPECT_TRUE(Child<QPushButton>("close")->isDefault());
}

TEST_F(AboutDlgTest, NoticeCanBeSelectedButNotEdited)
{
    auto* notice = Child<QPlainTextEdit>("notice");

    EXPECT_TRUE(notice->isReadOnly());
    EXPECT_TRUE(notice->textInteractionFlags() & Qt::TextSelectableByMouse);
    EXPECT_TRUE(notice->textInteractionFlags() & Qt::TextSelectableByKeyboard);
    EXPECT_FALSE(notice->textInteractionFlags() & Qt::TextEditable);
    notice->selectAll();
    EXPECT_EQ(notice->textCursor().selectedText().size(), CAboutDlg::NoticeText().size());
}

TEST_F(AboutDlgTest, OpenWebsiteAsksForThePageAndStaysOpen)
{
    int asked = 0;
    QObject::connect(&dialog_, &CAboutDlg::OpenWebsite, [&asked] { ++asked; });

    Child<QPushButton>("website")->click();

    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(dialog_.isVisible());
}

TEST_F(AboutDlgTest, CloseAndEscEndTheDialog)
{
    Child<QPushButton>("close")->click();
    EXPECT_FALSE(dialog_.isVisible());

    dialog_.show();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&dialog_, &escape);
    EXPECT_FALSE(dialog_.isVisible());
}
