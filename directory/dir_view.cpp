#include "directory/dir_view.h"
#include "document/path_text.h"

#include "directory/dir_comparison.h"
#include "document/diff_doc.h"

#include <QFile>

#include <unordered_map>

namespace {

// The last component of a relative name, which is what a tree item shows.
QString LeafName(const std::string& name)
{
    const std::size_t slash = name.rfind('/');
    return PathText(slash == std::string::npos ? name : name.substr(slash + 1));
}

} // namespace

CDirView::CDirView(CDirComparison& dirs, const CAppearance& appearance, CPaneHost& host,
                   QWidget* parent)
    : QTreeWidget(parent), dirs_(dirs), appearance_(appearance), host_(host)
{
    setColumnCount(1);
    setHeaderHidden(true);
}

void CDirView::OnUpdate(int hint)
{
    if (hint & (CDiffDoc::DirResultChanged | CDiffDoc::IconColorsChanged))
        Rebuild();
}

void CDirView::Rebuild()
{
    clear();
    const CDirNodeList& own = sideIndex == 0 ? dirs_.firstList() : dirs_.secondList();
    const CDirNodeList& other = sideIndex == 0 ? dirs_.secondList() : dirs_.firstList();
    if (own.rootPath.empty())
        return;

    auto* root = new QTreeWidgetItem(this);
    root->setText(0, composite ? QStringLiteral("Composite Tree")
                               : PathText(CDiffDoc::ShortenPath(own.rootPath, other.rootPath)));
    // The item of each node, so that a node goes under its folder's item. In
    // the composite tree a paired node of the second list shares the item of
    // its counterpart, so what is only in the second tree joins the first
    // tree's folder.
    std::unordered_map<const CDirNode*, QTreeWidgetItem*> items;
    const auto add = [&items, root](const CDirNode& node) {
        const auto parent = node.parent ? items.find(node.parent) : items.end();
        auto* item = new QTreeWidgetItem(parent != items.end() ? parent->second : root);
        item->setText(0, LeafName(node.name));
        items[&node] = item;
    };
    for (const auto& node : own.Nodes())
        add(*node);
    if (composite) {
        for (const auto& node : dirs_.secondList().Nodes()) {
            const bool paired = node->counterpart && (node->status == DirNodeStatus::Modified ||
                                                      node->status == DirNodeStatus::Normal);
            if (paired)
                items[node.get()] = items[node->counterpart];
            else
                add(*node);
        }
    }
    root->setExpanded(true);
}
