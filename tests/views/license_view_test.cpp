#include "test_app.h"
#include "views/license_view.h"

#include <QLabel>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The start view's labels as the user reads them: the icon and the heading on
// top, then the left column of help lines from top to bottom, then the right one.
struct SHOWN
{
    std::vector<std::string> top;
    std::vector<std::string> left;
    std::vector<std::string> right;
};

SHOWN ReadLabels(const CLicenseView& view)
{
    std::vector<const QLabel*> labels;
    for (const QLabel* label : view.widget()->findChildren<QLabel*>())
        labels.push_back(label);
    std::sort(labels.begin(), labels.end(), [](const QLabel* a, const QLabel* b) {
        return a->y() != b->y() ? a->y() < b->y() : a->x() < b->x();
    });
    SHOWN shown;
    if (labels.empty())
        return shown;
    // The heading row is the first; the help lines start below its bottom.
    const int headingBottom = labels.front()->geometry().bottom();
    int rightX = 0;
    for (const QLabel* label : labels) {
        if (label->y() > headingBottom)
            rightX = std::max(rightX, label->x());
    }
    for (const QLabel* label : labels) {
        const std::string text = label->pixmap().isNull() ? label->text().toStdString() : "<icon>";
        if (label->y() <= headingBottom)
            shown.top.push_back(text);
        else if (label->x() < rightX)
            shown.left.push_back(text);
        else
            shown.right.push_back(text);
    }
    return shown;
}

TEST(LicenseViewTest, ShowsTheHeadingAndTwoColumnsOfKeys)
{
    TestApp();
    CLicenseView view;
    view.resize(900, 700);
    view.show();
    const SHOWN shown = ReadLabels(view);
    EXPECT_EQ(shown.top, (std::vector<std::string>{"<icon>", "Varnel. Version 1.5.00."}));
    EXPECT_EQ(shown.left, (std::vector<std::string>{
                              "F1 = Open manual.",
                              "F2 = Toggle file overview.",
                              "F3 = File composite.",
                              "F4 = Files side by side.",
                              "F5 = Reload.",
                              "F6 = Focus next pane.",
                              "F7 = Next difference.",
                              "F8 = Previous difference.",
                              "F9 = Edit first file.",
                              "F10 = Edit second file.",
                          }));
    EXPECT_EQ(shown.right, (std::vector<std::string>{
                               "Tab = Focus next pane.",
                               "Esc = Close file(s).",
                               "Ctrl+D = Compare directories.",
                               "Ctrl+O = Compare files.",
                               "Ctrl+Q = Quit.",
                               "Shift+F6 = Focus previous pane.",
                               "Home = Show start of file.",
                               "End = Show end of file.",
                               "Learn more. Read the manual.",
                           }));
}

TEST(LicenseViewTest, PointerToTheManualIsLevelWithTheLastKeyAndApartFromTheOthers)
{
    TestApp();
    CLicenseView view;
    view.resize(900, 700);
    view.show();
    const auto find = [&view](const char* text) {
        for (const QLabel* label : view.widget()->findChildren<QLabel*>()) {
            if (label->text() == QLatin1String(text))
                return label->geometry();
        }
        ADD_FAILURE() << "no label " << text;
        return QRect();
    };
    const QRect manual = find("Learn more. Read the manual.");
    const QRect f10 = find("F10 = Edit second file.");
    const QRect f9 = find("F9 = Edit first file.");
    const QRect end = find("End = Show end of file.");
    EXPECT_EQ(manual.center().y(), f10.center().y());
    // One empty row between the last key of the right column and the pointer.
    EXPECT_EQ(manual.center().y() - end.center().y(), 2 * (f10.center().y() - f9.center().y()));
}

TEST(LicenseViewTest, FormScrollsInAPaneSmallerThanItself)
{
    TestApp();
    CLicenseView view;
    view.resize(120, 80);
    view.show();
    // The scroll bars follow the form's layout, which settles in the event loop.
    QApplication::processEvents();
    EXPECT_TRUE(view.horizontalScrollBar()->isVisible());
    EXPECT_TRUE(view.verticalScrollBar()->isVisible());
    EXPECT_GT(view.widget()->width(), view.viewport()->width());
}

TEST(LicenseViewTest, TextIsFourteenPointSansSerif)
{
    TestApp();
    CLicenseView view;
    for (const QLabel* label : view.widget()->findChildren<QLabel*>()) {
        EXPECT_EQ(label->font().pointSize(), 14);
        EXPECT_EQ(label->font().styleHint(), QFont::SansSerif);
    }
}

TEST(LicenseViewTest, ProgramIconIsDrawnAtTheAskedSize)
{
    TestApp();
    for (int size : {16, 32, 64}) {
        const QImage icon = CLicenseView::ProgramIcon(size).toImage();
        EXPECT_EQ(icon.size(), QSize(size, size));
        // Transparent at a corner, painted in the middle.
        EXPECT_EQ(icon.pixelColor(0, size - 1).alpha(), 0);
        EXPECT_GT(icon.pixelColor(size / 2, size / 2).alpha(), 0);
    }
}

} // namespace
