#include "shell/frame_settings.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct RectCase
{
    const char* text;
    QRect rect;
};

TEST(FrameSettingsTest, ParsesTheStoredRectangle)
{
    const std::vector<RectCase> cases = {
        {"0010 0010 0500 0400", QRect(QPoint(10, 10), QPoint(500, 400))},
        {"-008 -008 1928 1088", QRect(QPoint(-8, -8), QPoint(1928, 1088))},
        {"", CFrameSettings::DefaultRect()},
        {"0010 0010 0500", CFrameSettings::DefaultRect()},
        {"0100 0200 0300 0400 trailing", QRect(QPoint(100, 200), QPoint(300, 400))},
    };
    for (const RectCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CFrameSettings::ParseRect(QString::fromLatin1(c.text)), c.rect);
    }
    EXPECT_EQ(CFrameSettings::FormatRect(QRect(QPoint(10, 10), QPoint(500, 400))),
              QStringLiteral("0010 0010 0500 0400"));
}

TEST(FrameSettingsTest, ValuesCountAsOneOnlyWhenStoredAsExactlyOne)
{
    QTemporaryDir dir;
    QSettings store(dir.filePath("v.conf"), QSettings::IniFormat);
    store.beginGroup("Settings");
    store.setValue("TxtViewMode", 2);
    store.setValue("DirViewMode", 1);
    store.setValue("DirViewType", "1");
    store.setValue("DirSort", -1);
    store.setValue("TxtOverview", 2);
    store.setValue("ShowToolBar", 0);
    store.endGroup();

    CFrameSettings settings;
    settings.Load(store);
    EXPECT_EQ(settings.txtViewMode, 0);
    EXPECT_EQ(settings.dirViewMode, 1);
    EXPECT_EQ(settings.dirViewType, 1);
    EXPECT_EQ(settings.dirSort, 0);
    EXPECT_FALSE(settings.txtOverview);
    EXPECT_FALSE(settings.showToolBar);

    settings.Save(store);
    EXPECT_EQ(store.value("Settings/TxtViewMode").toInt(), 0);
    EXPECT_EQ(store.value("Settings/TxtOverview").toInt(), 0);
}

TEST(FrameSettingsTest, DefaultsWithAnEmptyStore)
{
    QTemporaryDir dir;
    QSettings store(dir.filePath("v.conf"), QSettings::IniFormat);
    CFrameSettings settings;
    settings.Load(store);
    EXPECT_EQ(settings.txtViewMode, 1);
    EXPECT_EQ(settings.dirViewMode, 0);
    EXPECT_EQ(settings.dirViewType, 0);
    EXPECT_EQ(settings.dirSort, 0);
    EXPECT_TRUE(settings.txtOverview);
    EXPECT_TRUE(settings.showToolBar);
    const CFrameSettings::Placement placement = CFrameSettings::LoadPlacement(store);
    EXPECT_EQ(placement.rect, CFrameSettings::DefaultRect());
    EXPECT_FALSE(placement.minimized);
    EXPECT_FALSE(placement.maximized);
}

} // namespace
