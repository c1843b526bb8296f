#pragma once

#include <QRect>
#include <QString>

class QSettings;

// The view-mode settings of the main window and its stored placement.
class CFrameSettings
{
public:
    // "TxtViewMode": 0 composite, 1 side by side; the others likewise 0 or 1.
    int txtViewMode = 1;
    int dirViewMode = 0;
    int dirViewType = 0;
    int dirSort = 0;
    bool txtOverview = true;
    bool showToolBar = true;
    // View > Files: marks inside changed lines, side-by-side panes that
    // scroll together, and the line number column.
    bool lineChanges = true;
    bool scrollTogether = true;
    bool lineNumbers = true;
    // View > Files > Only Differences: long runs of identical rows fold
    // into one row, keeping this many rows of context either side.
    bool onlyDifferences = false;
    int onlyDifferencesContext = kDefaultFoldContext;
    static constexpr int kDefaultFoldContext = 3;
    // A stored context is kept within this, so that a stray value neither
    // folds nothing nor leaves no context.
    static constexpr int kMaxFoldContext = 1000;
    // View > Directories > Only Differences: the panes leave out what is
    // identical in both trees.
    bool dirOnlyDifferences = false;

    // Each key is read as an integer and counts as 1 only when stored as
    // exactly 1, so a stray value falls back to the first choice.
    void Load(QSettings& store);
    void Save(QSettings& store) const;

    // The window placement of section "Window size".
    struct Placement
    {
        QRect rect;
        bool minimized = false;
        bool maximized = false;
    };
    static Placement LoadPlacement(QSettings& store);
    static void SavePlacement(QSettings& store, const Placement& placement);

    // "Rect" is "left top right bottom", each "%04d". A value shorter than
    // that form gives the default rectangle, never a read past its end.
    static QRect ParseRect(const QString& text);
    static QString FormatRect(const QRect& rect);
    static QRect DefaultRect() { return QRect(QPoint(10, 10), QPoint(500, 400)); }
};
