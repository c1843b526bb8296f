#include "dialogs/customize_dlg.h"
#include "tests/dialogs/test_app.h"
#include "views/color_scheme.h"

#include <QComboBox>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

QComboBox* List(const QDialog& dialog, const char* name)
{
    auto* list = dialog.findChild<QComboBox*>(QLatin1String(name));
    EXPECT_NE(list, nullptr) << name;
    return list;
}

// The ten colour indices, Normal to MovedFrom, text before background.
std::vector<int> Colours(const CAppearance& a)
{
    return {a.normalTxtCol,  a.normalBgCol,  a.newTxtCol,       a.newBgCol,       a.oldTxtCol,
            a.oldBgCol,      a.movedToTxtCol, a.movedToBgCol,   a.movedFromTxtCol, a.movedFromBgCol};
}

struct SCHEME_CASE
{
    const char* name;
    std::vector<int> colours;
};

TEST(ColorSchemeTest, EachSchemeSetsAllTenColoursAndNothingElse)
{
    // Palette: 0 System, 1 White, 2 Black, 3 Grey, 6 Light Red, 7 Green,
    // 8 Light Green, 10 Light Blue, 11 Yellow, 12 Light Yellow,
    // 14 Light Magenta, 16 Light Cyan.
    const std::vector<SCHEME_CASE> cases = {
        {"Classic", {0, 0, 0, 11, 0, 7, 0, 12, 0, 8}},
        {"Red and Green", {0, 0, 0, 8, 0, 6, 0, 10, 0, 16}},
        {"Dark", {1, 2, 8, 3, 6, 3, 10, 3, 14, 3}},
    };
    EXPECT_EQ(CColorScheme::Names(), (QStringList{"Classic", "Red and Green", "Dark"}));
    for (const SCHEME_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        CAppearance appearance;
        appearance.oldEmphasis = QStringLiteral("Bold");
        appearance.fontSize = 20;
        ASSERT_TRUE(CColorScheme::Apply(QString::fromLatin1(c.name), appearance));
        EXPECT_EQ(Colours(appearance), c.colours);
        EXPECT_EQ(CColorScheme::Matching(appearance), QString::fromLatin1(c.name));
        EXPECT_EQ(appearance.oldEmphasis, QStringLiteral("Bold"));
        EXPECT_EQ(appearance.fontSize, 20);
    }
    // The colours of a fresh start are the classic ones.
    EXPECT_EQ(CColorScheme::Matching(CAppearance()), QStringLiteral("Classic"));
    CAppearance mixed;
    mixed.newBgCol = 5;
    EXPECT_EQ(CColorScheme::Matching(mixed), QString());
    EXPECT_FALSE(CColorScheme::Apply(QStringLiteral("Neon"), mixed));
    EXPECT_EQ(mixed.newBgCol, 5);
}

TEST(ColorSchemeTest, DarkHasDarkBackgroundsAndLightTextForEveryKind)
{
    CAppearance appearance;
    CColorScheme::Apply(QStringLiteral("Dark"), appearance);
    for (ContentKind kind : {ContentKind::Normal, ContentKind::New, ContentKind::Old,
                             ContentKind::MovedTo, ContentKind::MovedFrom}) {
        EXPECT_LT(appearance.BgColor(kind).lightness(), 110);
        EXPECT_GT(appearance.TxtColor(kind).lightness(), 150);
    }
    EXPECT_TRUE(appearance.IsDark());
    EXPECT_FALSE(CAppearance().IsDark());
}

TEST(ColorSchemeDialogTest, ASchemeSetsTheListsAndTheUsersChangesAfterItAreKept)
{
    TestApp();
    CAppearance appearance;
    CCustomizeDlg dialog(appearance, {"Courier New"});
    QComboBox* schemes = List(dialog, "colorScheme");
    EXPECT_EQ(schemes->currentText(), QStringLiteral("Classic"));

    schemes->setCurrentIndex(schemes->findText(QStringLiteral("Red and Green")));
    emit schemes->activated(schemes->currentIndex());
    EXPECT_EQ(List(dialog, "oldBgCol")->currentIndex(), 6);
    // A change after the scheme is the user's own mix, and is kept.
    List(dialog, "newBgCol")->setCurrentIndex(12);
    EXPECT_EQ(schemes->currentIndex(), -1);
    dialog.accept();

    EXPECT_EQ(appearance.oldBgCol, 6);
    EXPECT_EQ(appearance.newBgCol, 12);
    EXPECT_EQ(appearance.movedToBgCol, 10);
    EXPECT_TRUE(dialog.Hint().testFlag(UpdateHint::AppearanceChanged));
}

} // namespace
