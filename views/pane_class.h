#pragma once

// The kinds of pane the main window shows side by side. The frame names the
// class of each column when it arranges the panes; the splitter remembers it,
// so that the frame can compare the wanted row with the present one.
enum class PaneClass
{
    License,  // the start view, shown when nothing is compared
    Diff,     // one file, or both files as a composite
    Overview, // the narrow strip of the whole file comparison
    DirTree,  // a directory comparison as a tree
    DirList,  // a directory comparison as a list of files
};

// The class's name, for messages and test output.
inline const char* PaneClassName(PaneClass paneClass)
{
    switch (paneClass) {
    case PaneClass::License:
        return "License";
    case PaneClass::Diff:
        return "Diff";
    case PaneClass::Overview:
        return "Overview";
    case PaneClass::DirTree:
        return "DirTree";
    case PaneClass::DirList:
        return "DirList";
    }
    return "?";
}
