#include "dir_views/status_icons.h"
#include "views/appearance.h"
#include "tests/dir_views/dir_views_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Glyphs = CStatusIcons::Glyphs;
using S = DirNodeStatus;

struct ORDER_CASE
{
    Glyphs glyphs;
    int index;
    const char* file;
};

// Other code keys images by their index, so the order in which they are
// added is fixed: by status Normal, Modified, New, Old, each with its own
// order of colours; in a tree the folders come first.
TEST(StatusIconsTest, ImagesKeepTheirFixedIndices)
{
    TestApp();
    const std::vector<ORDER_CASE> cases = {
        {Glyphs::FoldersAndPages, 0, "folder-normal-grey"},
        {Glyphs::FoldersAndPages, 1, "folder-normal-red"},
        {Glyphs::FoldersAndPages, 8, "folder-normal-blue"},
        {Glyphs::FoldersAndPages, 9, "folder-modified-red"},
        {Glyphs::FoldersAndPages, 10, "folder-modified-grey"},
        {Glyphs::FoldersAndPages, 12, "folder-modified-white"},
        {Glyphs::FoldersAndPages, 13, "folder-modified-black"},
        {Glyphs::FoldersAndPages, 18, "folder-new-yellow"},
        {Glyphs::FoldersAndPages, 21, "folder-new-grey"},
        {Glyphs::FoldersAndPages, 27, "folder-old-green"},
        {Glyphs::FoldersAndPages, 29, "folder-old-grey"},
        {Glyphs::FoldersAndPages, 35, "folder-old-blue"},
        {Glyphs::FoldersAndPages, 36, "page-normal-grey"},
        {Glyphs::FoldersAndPages, 37, "page-normal-green"},
        {Glyphs::FoldersAndPages, 38, "page-normal-red"},
        {Glyphs::FoldersAndPages, 45, "page-modified-red"},
        {Glyphs::FoldersAndPages, 49, "page-modified-white"},
        {Glyphs::FoldersAndPages, 54, "page-new-yellow"},
        {Glyphs::FoldersAndPages, 57, "page-new-red"},
        {Glyphs::FoldersAndPages, 63, "page-old-green"},
        {Glyphs::FoldersAndPages, 64, "page-old-grey"},
        {Glyphs::FoldersAndPages, 71, "page-old-blue"},
        {Glyphs::PagesOnly, 0, "page-normal-grey"},
        {Glyphs::PagesOnly, 9, "page-modified-red"},
        {Glyphs::PagesOnly, 18, "page-new-yellow"},
        {Glyphs::PagesOnly, 35, "page-old-blue"},
    };
    const CStatusIcons tree(Glyphs::FoldersAndPages);
    const CStatusIcons list(Glyphs::PagesOnly);
    EXPECT_EQ(tree.ImageCount(), 72);
    EXPECT_EQ(list.ImageCount(), 36);
    EXPECT_EQ(tree.folderImages().size(), 36u);
    EXPECT_EQ(tree.fileImages().size(), 36u);
    EXPECT_TRUE(list.folderImages().empty());
    for (const ORDER_CASE& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " at " + std::to_string(c.index));
        const CStatusIcons& icons = c.glyphs == Glyphs::FoldersAndPages ? tree : list;
        EXPECT_TRUE(ShowsImage(icons.Image(c.index), c.file));
    }
}

struct LOOKUP_CASE
{
    const char* name;
    const char* normal;
    const char* modified;
    const char* added;
    const char* removed;
    // Folder and file images of a tree for Normal, Modified, New, Old, and
    // the file images of a list.
    std::vector<int> treeFolders;
    std::vector<int> treeFiles;
    std::vector<int> listFiles;
};

TEST(StatusIconsTest, ImagesAreLookedUpByStatusAndExactColourName)
{
    TestApp();
    const std::vector<LOOKUP_CASE> cases = {
        {"defaults",
         "Grey",
         "Red",
         "Yellow",
         "Green",
         {0, 9, 18, 27},
         {36, 45, 54, 63},
         {0, 9, 18, 27}},
        {"all blue",
         "Blue",
         "Blue",
         "Blue",
         "Blue",
         {8, 17, 26, 35},
         {44, 53, 62, 71},
         {8, 17, 26, 35}},
        {"colours in other places of each order",
         "Red",
         "Grey",
         "Grey",
         "Grey",
         {1, 10, 21, 29},
         {38, 46, 55, 64},
         {2, 10, 19, 28}},
        // Names match with their letter case: "grey" is no colour and falls
        // back to image 0, in a tree the grey folder even for a file.
        {"lower case", "grey", "red", "yellow", "green", {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}},
        {"empty and unknown",
         "",
         "Purple",
         "Grey ",
         "GREEN",
         {0, 0, 0, 0},
         {0, 0, 0, 0},
         {0, 0, 0, 0}},
    };
    const CStatusIcons tree(Glyphs::FoldersAndPages);
    const CStatusIcons list(Glyphs::PagesOnly);
    const std::vector<S> statuses = {S::Normal, S::Modified, S::New, S::Old};
    for (const LOOKUP_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        CAppearance appearance;
        appearance.normalIconColor = QString::fromLatin1(c.normal);
        appearance.modifiedIconColor = QString::fromLatin1(c.modified);
        appearance.newIconColor = QString::fromLatin1(c.added);
        appearance.oldIconColor = QString::fromLatin1(c.removed);
        std::vector<int> treeFolders, treeFiles, listFiles;
        for (S status : statuses) {
            treeFolders.push_back(tree.FolderImage(status, appearance));
            treeFiles.push_back(tree.FileImage(status, appearance));
            listFiles.push_back(list.FileImage(status, appearance));
        }
        EXPECT_EQ(treeFolders, c.treeFolders);
        EXPECT_EQ(treeFiles, c.treeFiles);
        EXPECT_EQ(listFiles, c.listFiles);
    }
}

// Counts of an image's pixels: see-through, and opaque ones with blue
// standing out, and opaque pure white.
struct PIXEL_COUNTS
{
    int clear = 0;
    int bluish = 0;
    int white = 0;
};

PIXEL_COUNTS Count(const QImage& image)
{
    PIXEL_COUNTS counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() == 0)
                ++counts.clear;
            else if (c.blue() > c.red() + 60 && c.blue() > c.green() + 60)
                ++counts.bluish;
            else if (c == Qt::white)
                ++counts.white;
        }
    }
    return counts;
}

// The blue images keep their glyph: there white is the key colour, so the
// blue fill stays, and all around the glyph is see-through.
TEST(StatusIconsTest, BlueIconsKeepTheirBlueGlyph)
{
    TestApp();
    CAppearance appearance;
    appearance.normalIconColor = appearance.modifiedIconColor = appearance.newIconColor =
        appearance.oldIconColor = QStringLiteral("Blue");
    const CStatusIcons icons(Glyphs::FoldersAndPages);
    for (S status : {S::Normal, S::Modified, S::New, S::Old}) {
        for (bool folder : {true, false}) {
            SCOPED_TRACE(std::string(folder ? "folder " : "page ") +
                         std::to_string(static_cast<int>(status)));
            const int index = folder ? icons.FolderImage(status, appearance)
                                     : icons.FileImage(status, appearance);
            const QImage image = Pixels(icons.Image(index));
            ASSERT_EQ(image.size(), QSize(16, 16));
            const PIXEL_COUNTS counts = Count(image);
            EXPECT_GT(counts.bluish, 100);
            EXPECT_GT(counts.clear, 20);
            EXPECT_EQ(counts.white, 0);
            EXPECT_EQ(image.pixelColor(0, 15).alpha(), 0);
        }
    }
}

// Every image file: 16 x 16, the key colour of its colour around the glyph,
// and only the key made see-through when loaded.
TEST(StatusIconsTest, OnlyTheKeyColourBecomesTransparent)
{
    TestApp();
    RegisterStatusIconImagesForTest();
    const CStatusIcons icons(Glyphs::FoldersAndPages);
    for (int index = 0; index < icons.ImageCount(); ++index) {
        const bool folder = index < 36;
        const CStatusIcons::BMP_MAP& record =
            folder ? icons.folderImages()[static_cast<std::size_t>(index)]
                   : icons.fileImages()[static_cast<std::size_t>(index - 36)];
        ASSERT_EQ(record.imageIndex, index);
        const QString path = CStatusIcons::ResourcePath(folder, record.status, record.colorName);
        SCOPED_TRACE(path.toStdString());
        const QImage raw(path);
        ASSERT_EQ(raw.size(), QSize(16, 16));
        const QColor key = record.colorName == QLatin1String("Blue") ? Qt::white : Qt::blue;
        EXPECT_EQ(raw.pixelColor(0, 15), key);
        const QImage shown = Pixels(icons.Image(index));
        int keyPixels = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                const bool isKey = raw.pixelColor(x, y) == key;
                keyPixels += isKey ? 1 : 0;
                EXPECT_EQ(shown.pixelColor(x, y).alpha(), isKey ? 0 : 255) << x << "," << y;
            }
        }
        EXPECT_GT(keyPixels, 20);
        EXPECT_LT(keyPixels, 100);
    }
}

} // namespace
