#pragma once

#include "directory/dir_comparison.h"
#include "directory/sync_dir_user_seam.h"
#include "document/diff_doc.h"
#include "views/appearance.h"
#include "tests/directory/tree_fixture.h"
#include "tests/views/recording_pane_host.h"
#include "tests/views/test_app.h"
#include "views/pane.h"

#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// The images as the build compiled them in, for tests that read them before
// any pane has been made.
inline void RegisterStatusIconImagesForTest()
{
    Q_INIT_RESOURCE(status_icons);
}

// An icon file as it should appear on screen: its key colour, white in the
// blue images and pure blue in all others, see-through.
inline QImage ExpectedIcon(const std::string& file)
{
    RegisterStatusIconImagesForTest();
    const QString path = QStringLiteral(":/status/%1.png").arg(QString::fromStdString(file));
    QImage image = QImage(path).convertToFormat(QImage::Format_ARGB32);
    const bool blue = file.ends_with("-blue");
    const QRgb key = blue ? qRgb(255, 255, 255) : qRgb(0, 0, 255);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == key)
                image.setPixel(x, y, qRgba(0, 0, 0, 0));
        }
    }
    return image;
}

inline QImage Pixels(const QIcon& icon)
{
    return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
}

// Whether an icon shows the image of a file, named without ".png", as
// "folder-modified-red".
inline ::testing::AssertionResult ShowsImage(const QIcon& icon, const std::string& file)
{
    const QImage expected = ExpectedIcon(file);
    if (expected.isNull())
        return ::testing::AssertionFailure() << "no image " << file;
    if (Pixels(icon) != expected)
        return ::testing::AssertionFailure() << "the icon is not " << file;
    return ::testing::AssertionSuccess();
}

// The items of a tree as indented lines, two blanks a level, children in the
// order shown, collapsed ones included.
inline void Describe(const QTreeWidgetItem* item, int depth, std::vector<std::string>& lines)
{
    lines.push_back(std::string(static_cast<std::size_t>(depth) * 2, ' ') +
                    item->text(0).toStdString());
    for (int i = 0; i < item->childCount(); ++i)
        Describe(item->child(i), depth + 1, lines);
}

inline std::vector<std::string> Describe(const QTreeWidget& tree)
{
    std::vector<std::string> lines;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        Describe(tree.topLevelItem(i), 0, lines);
    return lines;
}

// The texts of an item's children in the order shown.
inline std::vector<std::string> ChildTexts(const QTreeWidgetItem* item)
{
    std::vector<std::string> texts;
    for (int i = 0; i < item->childCount(); ++i)
        texts.push_back(item->child(i)->text(0).toStdString());
    return texts;
}

// The item whose text is this, searched through the whole tree.
inline QTreeWidgetItem* ItemWithText(QTreeWidget& tree, const std::string& text)
{
    for (QTreeWidgetItemIterator it(&tree); *it; ++it) {
        if ((*it)->text(0).toStdString() == text)
            return *it;
    }
    return nullptr;
}

inline std::vector<std::string> SelectedTexts(const QTreeWidget& tree)
{
    std::vector<std::string> texts;
    for (const QTreeWidgetItem* item : tree.selectedItems())
        texts.push_back(item->text(0).toStdString());
    return texts;
}

// A mouse button pressed and released at a point of a pane's rows, the way
// the window system delivers it.
inline void Click(QTreeWidget& tree, QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const QPointF global = tree.viewport()->mapToGlobal(QPointF(at));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), global, Qt::LeftButton, Qt::LeftButton,
                      modifiers);
    QApplication::sendEvent(tree.viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), global, Qt::LeftButton,
                        Qt::NoButton, modifiers);
    QApplication::sendEvent(tree.viewport(), &release);
}

inline void ClickItem(QTreeWidget& tree, QTreeWidgetItem* item,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    ASSERT_NE(item, nullptr);
    tree.scrollToItem(item);
    Click(tree, tree.visualItemRect(item).center(), modifiers);
}

// The second click of a double click: press, double click, release.
inline void DoubleClickItem(QTreeWidget& tree, QTreeWidgetItem* item)
{
    ASSERT_NE(item, nullptr);
    ClickItem(tree, item);
    const QPoint at = tree.visualItemRect(item).center();
    const QPointF global = tree.viewport()->mapToGlobal(QPointF(at));
    for (QEvent::Type type :
         {QEvent::MouseButtonPress, QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
        QMouseEvent event(type, QPointF(at), global, Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(tree.viewport(), &event);
    }
}

inline void PressKey(QWidget& target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(&target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(&target, &release);
}

// Lets the panes open what was chosen: they do so once control is back in
// the event loop.
inline void LetPendingWorkRun()
{
    QApplication::processEvents();
}

// Opening rearranges the window, which rebuilds every directory pane, this
// one included, while the pane is still handling the click or key.
class RebuildingHost : public CRecordingPaneHost
{
public:
    void CompareFiles(const std::string& first, const std::string& second) override
    {
        CRecordingPaneHost::CompareFiles(first, second);
        RebuildPanes();
    }
    void ShowSingleFile(const std::string& path) override
    {
        CRecordingPaneHost::ShowSingleFile(path);
        RebuildPanes();
    }
    void RebuildPanes()
    {
        for (CPane* pane : panes)
            pane->OnUpdate(UpdateHint::IconColorsChanged | UpdateHint::AppearanceChanged);
    }

    std::vector<CPane*> panes;
};

// Two trees written into a temporary folder and compared, with the panes'
// window faked by a recording host.
class DirViewsTest : public ::testing::Test
{
protected:
    void Compare(const std::vector<TreeEntry>& first, const std::vector<TreeEntry>& second)
    {
        firstRoot_ = folder_.Build("old", first);
        secondRoot_ = folder_.Build("new", second);
        ASSERT_TRUE(dirs_.RunDirComparison(firstRoot_, secondRoot_));
    }

    // A pane of a side, or a composite one, filled with the result.
    template<class Pane> std::unique_ptr<Pane> MakePane(int sideIndex, bool composite)
    {
        auto pane = std::make_unique<Pane>(dirs_, appearance_, host_);
        pane->sideIndex = sideIndex;
        pane->composite = composite;
        pane->OnUpdate(UpdateHint::DirResultChanged);
        return pane;
    }

    // A pane made visible, so that its rows have places to click at.
    static void ShowPane(QWidget& pane)
    {
        pane.resize(400, 600);
        pane.show();
        LetPendingWorkRun();
    }

    // Two trees that share a folder and a file, each with a file of its own in
    // the shared folder and a folder of its own.
    void CompareSmallTrees()
    {
        using F = TreeEntry;
        Compare({F::File("same.txt", "s"), F::File("sub/changed.txt", "1"),
                 F::File("sub/gone.txt", "g"), F::Folder("oldonly")},
                {F::File("same.txt", "s"), F::File("sub/changed.txt", "2"),
                 F::File("sub/added.txt", "a"), F::File("newonly/n.txt", "n")});
    }

    std::string First(const std::string& name) const { return firstRoot_ + "/" + name; }
    std::string Second(const std::string& name) const { return secondRoot_ + "/" + name; }
    std::string Pair(const std::string& a, const std::string& b) const { return a + " | " + b; }

    QApplication& app_ = TestApp();
    TreeFolder folder_;
    CSyncDirUserSeam seam_;
    CDirComparison dirs_{seam_};
    CAppearance appearance_;
    CRecordingPaneHost host_;
    std::string firstRoot_;
    std::string secondRoot_;
};
