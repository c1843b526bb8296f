#include "test_app.h"
#include "views/semi_splitter.h"

#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

// Qt's own way into its shortcut handling, the one its test library uses to
// press a key the way a user does.
bool qt_sendShortcutOverrideEvent(QObject* receiver, ulong timestamp, int key,
                                  Qt::KeyboardModifiers modifiers, const QString& text,
                                  bool autoRepeat, ushort count);

namespace {

// Presses and releases a key at the widget holding the focus.
void PressKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    if (qt_sendShortcutOverrideEvent(target, 0, key, modifiers, QString(), false, 1))
        return;
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(target, &release);
}

class SemiSplitterTest : public ::testing::Test
{
protected:
    // Fills the splitter with panes of the classes, each at the ideal width,
    // shows it at 1000 x 600 and makes its window the active one.
    void Start(const std::vector<PaneClass>& classes, int idealWidth = 100)
    {
        for (PaneClass paneClass : classes)
            ASSERT_TRUE(
                splitter_.InsertColumn(paneClass, splitter_.GetColumnCount(), idealWidth, 0));
        splitter_.resize(1000, 600);
        splitter_.show();
        splitter_.activateWindow();
        QApplication::processEvents();
        ASSERT_EQ(QApplication::activeWindow(), &splitter_);
    }

    // The row as "<class>#<n>", n counting the panes in the order they were made.
    std::vector<std::string> Row() const
    {
        std::vector<std::string> row;
        for (int column = 0; column < splitter_.GetColumnCount(); ++column) {
            row.push_back(std::string(PaneClassName(splitter_.GetPaneClass(column))) + "#" +
                          splitter_.GetPane(column)->objectName().toStdString());
        }
        return row;
    }

    std::string ActiveName() const
    {
        const QWidget* pane = splitter_.GetActivePane();
        if (!pane)
            return "none";
        const int column = splitter_.GetActiveColumn();
        return std::string(PaneClassName(splitter_.GetPaneClass(column))) + "#" +
               pane->objectName().toStdString();
    }

    // The column whose pane holds the keyboard focus, or -1.
    int FocusColumn() const
    {
        for (int column = 0; column < splitter_.GetColumnCount(); ++column) {
            QWidget* pane = splitter_.GetPane(column);
            QWidget* focus = QApplication::focusWidget();
            if (focus && (focus == pane || pane->isAncestorOf(focus)))
                return column;
        }
        return -1;
    }

    // A pane with two fields that take the focus, so that a Tab that stayed
    // inside the pane would show.
    QWidget* MakePane(PaneClass paneClass)
    {
        if (failing_ == paneClass)
            return nullptr;
        auto* pane = new QWidget;
        pane->setObjectName(QString::number(made_++));
        auto* layout = new QHBoxLayout(pane);
        layout->setContentsMargins(0, 0, 0, 0);
        for (int field = 0; field < 2; ++field) {
            // Narrow enough for the thinnest column the layout tests ask for.
            auto* edit = new QLineEdit(pane);
            edit->setMinimumWidth(8);
            layout->addWidget(edit);
        }
        return pane;
    }

    QApplication& app_ = TestApp();
    std::optional<PaneClass> failing_;
    int made_ = 0;
    CSemiSplitter splitter_{[this](PaneClass paneClass) { return MakePane(paneClass); }};
};

struct EDIT_STEP
{
    enum Kind
    {
        Insert,
        Delete
    } kind;
    PaneClass paneClass;
    int column;
    bool succeeds;
};

struct EDIT_CASE
{
    const char* name;
    std::vector<PaneClass> start;
    int active;
    std::optional<PaneClass> failing;
    std::vector<EDIT_STEP> steps;
    std::vector<std::string> row;
    std::string active_after;
};

TEST_F(SemiSplitterTest, InsertAndDeleteColumns)
{
    using enum PaneClass;
    const auto insert = [](PaneClass paneClass, int column, bool succeeds = true) {
        return EDIT_STEP{EDIT_STEP::Insert, paneClass, column, succeeds};
    };
    const auto remove = [](int column) {
        return EDIT_STEP{EDIT_STEP::Delete, License, column, true};
    };
    const std::vector<EDIT_CASE> cases = {
        {"insert at 0 moves the old pane right",
         {License},
         0,
         {},
         {insert(Diff, 0)},
         {"Diff#1", "License#0"},
         "License#0"},
        {"insert at the column count appends",
         {License},
         0,
         {},
         {insert(Overview, 1)},
         {"License#0", "Overview#1"},
         "License#0"},
        {"insert in the middle",
         {Diff, Diff},
         1,
         {},
         {insert(Overview, 1)},
         {"Diff#0", "Overview#2", "Diff#1"},
         "Diff#1"},
        {"failed creation leaves the row",
         {Diff, Diff},
         1,
         Overview,
         {insert(Overview, 1, false)},
         {"Diff#0", "Diff#1"},
         "Diff#1"},
        {"column beyond the end is refused",
         {Diff, Diff},
         0,
         {},
         {insert(Overview, 3, false)},
         {"Diff#0", "Diff#1"},
         "Diff#0"},
        {"deleting the active pane activates the next",
         {DirTree, Overview, Diff},
         1,
         {},
         {remove(1)},
         {"DirTree#0", "Diff#2"},
         "Diff#2"},
        {"deleting the active last pane wraps to the first",
         {DirTree, Overview, Diff},
         2,
         {},
         {remove(2)},
         {"DirTree#0", "Overview#1"},
         "DirTree#0"},
        {"deleting another pane keeps the active one",
         {DirTree, Overview, Diff},
         2,
         {},
         {remove(0)},
         {"Overview#1", "Diff#2"},
         "Diff#2"},
        {"replacing the only pane",
         {License},
         0,
         {},
         {insert(DirList, 0), remove(1)},
         {"DirList#1"},
         "DirList#1"},
    };
    for (const EDIT_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        made_ = 0;
        failing_.reset();
        while (splitter_.GetColumnCount() > 0)
            splitter_.DeleteColumn(0);
        Start(c.start);
        splitter_.SetActivePane(c.active);
        failing_ = c.failing;
        for (const EDIT_STEP& step : c.steps) {
            if (step.kind == EDIT_STEP::Insert)
                EXPECT_EQ(splitter_.InsertColumn(step.paneClass, step.column, 100, 0),
                          step.succeeds);
            else
                splitter_.DeleteColumn(step.column);
        }
        EXPECT_EQ(Row(), c.row);
        EXPECT_EQ(ActiveName(), c.active_after);
        // The focus follows the active pane when the pane holding it goes.
        EXPECT_EQ(FocusColumn(), splitter_.GetActiveColumn());
    }
}

TEST_F(SemiSplitterTest, FirstPaneOfAnEmptySplitterIsActive)
{
    EXPECT_EQ(splitter_.GetActivePane(), nullptr);
    EXPECT_EQ(splitter_.GetActiveColumn(), -1);
    ASSERT_TRUE(splitter_.InsertColumn(PaneClass::License, 0, 100, 0));
    EXPECT_EQ(splitter_.GetActivePane(), splitter_.GetPane(0));
    EXPECT_EQ(splitter_.GetPane(1), nullptr);
}

struct LAYOUT_CASE
{
    const char* name;
    std::vector<PaneClass> classes;
    std::vector<int> ideal;
    // The widths of all columns but the last; the last takes what is left.
    std::vector<int> leading;
};

TEST_F(SemiSplitterTest, RecalcLayoutGivesIdealWidthsAndTheRestToTheLast)
{
    using enum PaneClass;
    const std::vector<LAYOUT_CASE> cases = {
        {"side by side with the overview", {Diff, Overview, Diff}, {455, 90, 455}, {455, 90}},
        {"composite with the overview", {Overview, Diff}, {40, 960}, {40}},
        {"one pane", {License}, {1000}, {}},
        {"wider than the row", {DirTree, Diff}, {700, 700}, {700}},
        {"directories and files",
         {DirTree, DirTree, Diff, Overview, Diff},
         {200, 200, 255, 90, 255},
         {200, 200, 255, 90}},
    };
    for (const LAYOUT_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        while (splitter_.GetColumnCount() > 0)
            splitter_.DeleteColumn(0);
        Start(c.classes, 10);
        for (int column = 0; column < splitter_.GetColumnCount(); ++column)
            splitter_.SetColumnInfo(column, c.ideal[static_cast<std::size_t>(column)], 0);
        splitter_.RecalcLayout();
        std::vector<int> expected = c.leading;
        int used = splitter_.handleWidth() * (splitter_.GetColumnCount() - 1);
        for (int width : c.leading)
            used += width;
        expected.push_back(1000 - used);
        const QList<int> sizes = splitter_.sizes();
        EXPECT_EQ(std::vector<int>(sizes.begin(), sizes.end()), expected);
    }
}

TEST_F(SemiSplitterTest, InsertedColumnGetsItsIdealWidth)
{
    Start({PaneClass::License}, 1000);
    ASSERT_TRUE(splitter_.InsertColumn(PaneClass::Overview, 0, 40, 0));
    splitter_.RecalcLayout();
    EXPECT_EQ(splitter_.sizes().at(0), 40);
}

TEST_F(SemiSplitterTest, OverviewKeepsItsWidthWhenTheRowIsResized)
{
    Start({PaneClass::Diff, PaneClass::Overview, PaneClass::Diff});
    splitter_.SetColumnInfo(0, 455, 0);
    splitter_.SetColumnInfo(1, 90, 0);
    splitter_.RecalcLayout();
    splitter_.resize(1400, 600);
    const QList<int> sizes = splitter_.sizes();
    ASSERT_EQ(sizes.size(), 3);
    EXPECT_EQ(sizes[1], 90);
    EXPECT_NEAR(sizes[0], sizes[2], 15);
    EXPECT_EQ(sizes[0] + sizes[1] + sizes[2] + 2 * splitter_.handleWidth(), 1400);
}

TEST_F(SemiSplitterTest, NextAndPreviousPaneWrap)
{
    Start({PaneClass::DirTree, PaneClass::Diff, PaneClass::Diff});
    const std::vector<std::pair<void (CSemiSplitter::*)(), int>> moves = {
        {&CSemiSplitter::ActivateNextPane, 1}, {&CSemiSplitter::ActivateNextPane, 2},
        {&CSemiSplitter::ActivateNextPane, 0}, {&CSemiSplitter::ActivatePrevPane, 2},
        {&CSemiSplitter::ActivatePrevPane, 1},
    };
    splitter_.SetActivePane(0);
    for (const auto& [move, expected] : moves) {
        (splitter_.*move)();
        EXPECT_EQ(splitter_.GetActiveColumn(), expected);
        EXPECT_EQ(FocusColumn(), expected);
    }
}

struct KEY_CASE
{
    const char* name;
    int key;
    Qt::KeyboardModifiers modifiers;
    int from;
    int to;
};

TEST_F(SemiSplitterTest, KeysMoveTheFocusFromPaneToPane)
{
    Start({PaneClass::DirList, PaneClass::Overview, PaneClass::Diff});
    const std::vector<KEY_CASE> cases = {
        {"Tab", Qt::Key_Tab, Qt::NoModifier, 0, 1},
        {"Tab from the last pane", Qt::Key_Tab, Qt::NoModifier, 2, 0},
        {"F6", Qt::Key_F6, Qt::NoModifier, 1, 2},
        {"F6 from the last pane", Qt::Key_F6, Qt::NoModifier, 2, 0},
        {"Shift+F6", Qt::Key_F6, Qt::ShiftModifier, 1, 0},
        {"Shift+F6 from the first pane", Qt::Key_F6, Qt::ShiftModifier, 0, 2},
        {"Shift+Tab", Qt::Key_Backtab, Qt::ShiftModifier, 2, 1},
    };
    for (const KEY_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        // The focus starts in the first field inside the pane: Tab must leave
        // the pane rather than go on to the second field.
        splitter_.GetPane(c.from)->findChild<QLineEdit*>()->setFocus();
        ASSERT_EQ(splitter_.GetActiveColumn(), c.from);
        PressKey(c.key, c.modifiers);
        EXPECT_EQ(FocusColumn(), c.to);
        EXPECT_EQ(splitter_.GetActiveColumn(), c.to);
    }
}

TEST_F(SemiSplitterTest, ActivePaneFollowsTheFocusAndStaysWhenItLeavesTheRow)
{
    QLineEdit outside;
    outside.show();
    Start({PaneClass::DirTree, PaneClass::Diff, PaneClass::Diff});
    splitter_.GetPane(2)->findChildren<QLineEdit*>().at(1)->setFocus();
    EXPECT_EQ(splitter_.GetActiveColumn(), 2);
    splitter_.GetPane(1)->setFocus();
    EXPECT_EQ(splitter_.GetActiveColumn(), 1);

    outside.activateWindow();
    QApplication::processEvents();
    outside.setFocus();
    ASSERT_EQ(QApplication::focusWidget(), &outside);
    EXPECT_EQ(splitter_.GetActiveColumn(), 1);
}

// The splitter drawn into an image: is each sampled point of a column's
// border in the colour?
std::vector<bool> BorderInColor(CSemiSplitter& splitter, QColor color)
{
    const QImage image = splitter.grab().toImage();
    std::vector<bool> result;
    for (int column = 0; column < splitter.count(); ++column) {
        const QRect r = splitter.widget(column)->geometry();
        const QPoint samples[] = {
            {r.left(), r.center().y()},   {r.left() + 1, r.center().y()},
            {r.right(), r.center().y()},  {r.right() - 1, r.center().y()},
            {r.center().x(), r.top()},    {r.center().x(), r.top() + 1},
            {r.center().x(), r.bottom()}, {r.center().x(), r.bottom() - 1},
        };
        bool all = true;
        bool any = false;
        for (QPoint p : samples) {
            const bool same = image.pixelColor(p).rgb() == color.rgb();
            all = all && same;
            any = any || same;
        }
        // A border is either wholly in the colour or not at all.
        EXPECT_EQ(all, any) << "column " << column;
        result.push_back(all);
    }
    return result;
}

TEST_F(SemiSplitterTest, ActivePaneIsFramedInTheHighlightColour)
{
    QPalette palette = splitter_.palette();
    const QColor highlight(200, 30, 170);
    palette.setColor(QPalette::Highlight, highlight);
    splitter_.setPalette(palette);
    Start({PaneClass::Diff, PaneClass::Overview, PaneClass::Diff}, 300);
    splitter_.RecalcLayout();

    splitter_.SetActivePane(0);
    EXPECT_EQ(BorderInColor(splitter_, highlight), (std::vector<bool>{true, false, false}));
    // A click moves the focus; the border follows it.
    splitter_.GetPane(2)->findChild<QLineEdit*>()->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(BorderInColor(splitter_, highlight), (std::vector<bool>{false, false, true}));
    splitter_.DeleteColumn(2);
    EXPECT_EQ(BorderInColor(splitter_, highlight), (std::vector<bool>{true, false}));
}

} // namespace
