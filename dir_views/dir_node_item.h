#pragma once

#include "directory/dir_composite.h"

#include <QTreeWidgetItem>

struct CDirNode;
class CPaneHost;

// A row of a directory pane: it shows one entry (a node of one tree, or a
// pair in a composite pane) and, when the pane sorts, takes its place among
// its siblings in the listing order the report uses, by the window's current
// directory sort. The item only refers to the nodes, which the directory
// result owns.
class CDirNodeItem : public QTreeWidgetItem
{
public:
    static constexpr int kType = QTreeWidgetItem::UserType + 1;

    CDirNodeItem(const CDirComposite::ENTRY& entry, const CPaneHost& host);

    // The node that names the row: the first tree's of a pair.
    const CDirNode& node() const { return entry_.Node(); }
    // The node an item shows; none for an item that shows no node (the root
    // of a tree).
    static const CDirNode* NodeOf(const QTreeWidgetItem* item);

    bool operator<(const QTreeWidgetItem& other) const override;

private:
    CDirComposite::ENTRY entry_;
    const CPaneHost& host_;
};
