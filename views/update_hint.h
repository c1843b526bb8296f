#pragma once

#include <QFlags>

// What changed, told to every pane of the window in one update; a pane tests
// the bits it cares about and ignores the rest. The values are bits, so that
// one update can carry several changes at once.
enum class UpdateHint : int
{
    DirResultChanged = 1,   // a new directory result, or the directories closed
    IconColorsChanged = 2,  // the status icons' colours
    DirSortChanged = 4,     // the directory panes' sort order
    AppearanceChanged = 8,  // fonts, colours, emphasis or the hex and tab layout
    FileResultChanged = 16, // a new file result, or the files closed
    DirFilterChanged = 64,  // the directory panes show only the differences, or all again
};
Q_DECLARE_FLAGS(UpdateHints, UpdateHint)
Q_DECLARE_OPERATORS_FOR_FLAGS(UpdateHints)
