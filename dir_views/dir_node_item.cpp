#include "dir_views/dir_node_item.h"

#include "views/pane_host.h"

CDirNodeItem::CDirNodeItem(const CDirComposite::ENTRY& entry, const CPaneHost& host)
    : QTreeWidgetItem(kType), entry_(entry), host_(host)
{
}

const CDirNode* CDirNodeItem::NodeOf(const QTreeWidgetItem* item)
{
    if (!item || item->type() != kType)
        return nullptr;
    return &static_cast<const CDirNodeItem*>(item)->node();
}

// Rows that show no node (a tree's root) are never siblings of node rows, so
// they need no place in the order.
bool CDirNodeItem::operator<(const QTreeWidgetItem& other) const
{
    if (other.type() != kType)
        return false;
    const auto& row = static_cast<const CDirNodeItem&>(other);
    return CDirComposite::ListedBefore(entry_, row.entry_, host_.GetDirSort());
}
