#pragma once

#include <QTreeWidgetItem>

struct CDirNode;
class CPaneHost;

// A row of a directory pane: it shows one node and, when the pane sorts, takes
// its place among its siblings by the window's current directory sort. The
// item only refers to the node, which the directory result owns.
class CDirNodeItem : public QTreeWidgetItem
{
public:
    static constexpr int kType = QTreeWidgetItem::UserType + 1;

    CDirNodeItem(CDirNode& node, const CPaneHost& host);

    CDirNode& node() const { return node_; }
    // The node an item shows; none for an item that shows no node (the root
    // of a tree).
    static CDirNode* NodeOf(const QTreeWidgetItem* item);
    // A paired entry of the second tree has no item of its own in a
    // composite pane: it is shown by its counterpart's.
    static bool SharesCounterpartRow(const CDirNode& node);

    bool operator<(const QTreeWidgetItem& other) const override;

private:
    CDirNode& node_;
    const CPaneHost& host_;
};
