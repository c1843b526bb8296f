#include "dir_views/dir_view.h"

#include "dir_views/dir_node_item.h"
#include "directory/dir_comparison.h"
#include "document/path_names.h"
#include "document/path_text.h"
#include "views/appearance.h"

#include <QScopedValueRollback>
#include <QTreeWidgetItemIterator>

#include <vector>

namespace {

// The last component of a relative name, which is what a tree item shows.
QString LeafName(const std::string& name)
{
    return PathText(std::string(CPathNames::Leaf(name)));
}

} // namespace

CDirView::CDirView(CDirComparison& dirs, const CAppearance& appearance, CPaneHost& host,
                   QWidget* parent)
    : CDirPane(dirs, appearance, host, CDirOpener::AfterOpening::ClearOtherTreeSelections, parent)
{
    setHeaderHidden(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // A folder's entries are put in order when it is opened or closed, so a
    // change of sort order reaches an open folder when it is next opened.
    connect(this, &QTreeWidget::itemExpanded, this, &CDirView::SortChildren);
    connect(this, &QTreeWidget::itemCollapsed, this, &CDirView::SortChildren);
    connect(this, &QTreeWidget::itemSelectionChanged, this, &CDirView::OpenSelectedEntry);
}

int CDirView::FolderImage(DirNodeStatus status) const
{
    return icons_.FolderImage(status, appearance_);
}

int CDirView::FileImage(DirNodeStatus status) const
{
    return icons_.FileImage(status, appearance_);
}

void CDirView::OnUpdate(UpdateHints hints)
{
    if (!ActsOn(hints))
        return;
    const QScopedValueRollback<bool> updating(updating_, true);
    if (Rebuilds(hints))
        Rebuild();
    SortChildren(topLevelItem(0));
    ReselectCurrentDir();
}

// Opening a file rebuilds the tree (the window rearranges its panes), so the
// folders the user opened are opened again: the tree stays as the user left
// it, scrolled where it was, instead of folding up at every file.
void CDirView::Rebuild()
{
    const QSet<QString> openFolders = OpenFolderPaths();
    clear();
    if (OwnList().rootPath.empty())
        return;
    // The items are made before the tree gets them: one insertion instead
    // of one per entry.
    QTreeWidgetItem* root = AddRoot(composite ? BothRootsText() : OwnRootText());
    if (composite)
        FillComposite(root);
    else
        FillSide(root);
    addTopLevelItem(root);
    root->setExpanded(true);
    if (!Reopen(openFolders))
        OpenPathToFirstDifference(root);
}

// Each folder shortened against the other, as the status bar shows them, so
// the root says which two folders the tree merges.
QString CDirView::BothRootsText() const
{
    const std::string& first = dirs_.firstList().rootPath;
    const std::string& second = dirs_.secondList().rootPath;
    QString text = PathText(CPathNames::ShortenPath(first, second));
    text += QStringLiteral(" vs ");
    text += PathText(CPathNames::ShortenPath(second, first));
    return text;
}

// A tree the user has not opened yet opens at its first difference in the
// order shown: every folder on the way, which holds it, is opened, and the
// difference itself (a file, or a folder only one tree holds) is left closed.
void CDirView::OpenPathToFirstDifference(QTreeWidgetItem* root)
{
    QTreeWidgetItem* folder = root;
    while (QTreeWidgetItem* difference = FirstDifferentChild(folder)) {
        const CDirNode* node = CDirNodeItem::NodeOf(difference);
        if (node->isFile || node->status != DirNodeStatus::Modified) {
            scrollToItem(difference);
            return;
        }
        difference->setExpanded(true);
        folder = difference;
    }
}

QTreeWidgetItem* CDirView::FirstDifferentChild(QTreeWidgetItem* folder)
{
    SortChildren(folder);
    for (int i = 0; i < folder->childCount(); ++i) {
        const CDirNode* node = CDirNodeItem::NodeOf(folder->child(i));
        if (node && node->status != DirNodeStatus::Normal)
            return folder->child(i);
    }
    return nullptr;
}

// An item's path below the root, from the texts shown, so that nothing of the
// result the items were made from is needed.
QString CDirView::ItemPath(const QTreeWidgetItem* item)
{
    QString path = item->text(0);
    for (const QTreeWidgetItem* folder = item->parent(); folder && folder->parent();
         folder = folder->parent())
        path = folder->text(0) + QLatin1Char('/') + path;
    return path;
}

QSet<QString> CDirView::OpenFolderPaths()
{
    QSet<QString> paths;
    for (QTreeWidgetItemIterator it(this); *it; ++it) {
        if ((*it)->parent() && (*it)->isExpanded())
            paths.insert(ItemPath(*it));
    }
    return paths;
}

bool CDirView::Reopen(const QSet<QString>& folderPaths)
{
    if (folderPaths.isEmpty())
        return false;
    // Gathered first: opening a folder re-sorts its entries.
    std::vector<QTreeWidgetItem*> folders;
    for (QTreeWidgetItemIterator it(this); *it; ++it) {
        if ((*it)->parent() && (*it)->childCount() > 0 && folderPaths.contains(ItemPath(*it)))
            folders.push_back(*it);
    }
    for (QTreeWidgetItem* folder : folders)
        folder->setExpanded(true);
    return !folders.empty();
}

QTreeWidgetItem* CDirView::AddRoot(const QString& text)
{
    auto* root = new QTreeWidgetItem();
    root->setText(0, text);
    root->setIcon(0, icons_.Image(FolderImage(dirs_.dirsIdentical ? DirNodeStatus::Normal
                                                                  : DirNodeStatus::Modified)));
    return root;
}

// An entry goes under the item of its folder, which comes before it in both
// the scan's lists and the composite order, so the folder's item is already
// made in this fill.
void CDirView::AddEntry(const CDirComposite::ENTRY& entry, QTreeWidgetItem* root, ItemMap& items)
{
    if (!Shows(entry))
        return;
    const CDirNode& node = entry.Node();
    const auto folder = node.parent ? items.find(node.parent) : items.end();
    auto* item = new CDirNodeItem(entry, host_);
    item->setText(0, LeafName(node.name));
    item->setIcon(0, icons_.Image(node.isFile ? FileImage(node.status) : FolderImage(node.status)));
    (folder != items.end() ? folder->second : root)->addChild(item);
    // A pair's second node is a folder for entries that only the second tree
    // holds, so both of its nodes lead to the row.
    for (const CDirNode* shown : {entry.first, entry.second}) {
        if (shown)
            items.emplace(shown, item);
    }
}

void CDirView::FillSide(QTreeWidgetItem* root)
{
    ItemMap items;
    const bool first = &OwnList() == &dirs_.firstList();
    for (const auto& node : OwnList().Nodes()) {
        AddEntry(first ? CDirComposite::ENTRY{node.get(), nullptr}
                       : CDirComposite::ENTRY{nullptr, node.get()},
                 root, items);
    }
}

void CDirView::FillComposite(QTreeWidgetItem* root)
{
    ItemMap items;
    const CDirComposite both(dirs_.firstList(), dirs_.secondList());
    for (const CDirComposite::ENTRY& entry : both.Entries())
        AddEntry(entry, root, items);
}

void CDirView::SortChildren(QTreeWidgetItem* item)
{
    if (item)
        item->sortChildren(0, Qt::AscendingOrder);
}

void CDirView::ReselectCurrentDir()
{
    QTreeWidgetItem* item = FindItem(CurrentNode());
    if (!item || item->isSelected())
        return;
    for (QTreeWidgetItem* folder = item->parent(); folder; folder = folder->parent())
        folder->setExpanded(true);
    setCurrentItem(item);
    scrollToItem(item);
}

QTreeWidgetItem* CDirView::FindItem(const CDirNode* node)
{
    if (!node)
        return nullptr;
    for (QTreeWidgetItemIterator it(this); *it; ++it) {
        if (CDirNodeItem::NodeOf(*it) == node)
            return *it;
    }
    return nullptr;
}

void CDirView::OpenSelectedEntry()
{
    if (updating_)
        return;
    const QList<QTreeWidgetItem*> selected = selectedItems();
    if (selected.isEmpty())
        return;
    if (const CDirNode* node = CDirNodeItem::NodeOf(selected.first()))
        opener_.Choose(*node, sideIndex);
}
