#include "dir_views/dir_node_item.h"

#include "directory/dir_node.h"
#include "dir_views/dir_view.h"
#include "views/pane_host.h"

CDirNodeItem::CDirNodeItem(CDirNode& node, const CPaneHost& host)
    : QTreeWidgetItem(kType), node_(node), host_(host)
{
}

CDirNode* CDirNodeItem::NodeOf(const QTreeWidgetItem* item)
{
    if (!item || item->type() != kType)
        return nullptr;
    return &static_cast<const CDirNodeItem*>(item)->node();
}

bool CDirNodeItem::SharesCounterpartRow(const CDirNode& node)
{
    return node.counterpart &&
           (node.status == DirNodeStatus::Modified || node.status == DirNodeStatus::Normal);
}

bool CDirNodeItem::operator<(const QTreeWidgetItem& other) const
{
    return CDirView::CompareDirNodes(&node_, NodeOf(&other), host_.GetDirSort()) < 0;
}
