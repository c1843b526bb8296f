#include "dir_views/dir_list_view.h"

#include "dir_views/dir_node_item.h"
#include "directory/dir_comparison.h"
#include "document/path_text.h"
#include "views/appearance.h"
#include "views/pane_host.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>

#include <utility>

CDirListView::CDirListView(CDirComparison& dirs, const CAppearance& appearance, CPaneHost& host,
                           QWidget* parent)
    : CDirPane(dirs, appearance, host, CDirOpener::AfterOpening::KeepOtherSelections, parent)
{
    setRootIsDecorated(false);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    SetHeaderText(QStringLiteral("Files"));
    connect(this, &QTreeWidget::itemSelectionChanged, this, &CDirListView::TellOtherLists);
}

int CDirListView::FileImage(DirNodeStatus status) const
{
    return icons_.FileImage(status, appearance_);
}

void CDirListView::OnUpdate(UpdateHints hints)
{
    if (!ActsOn(hints))
        return;
    const QScopedValueRollback<bool> selectingItself(selectingItself_, true);
    if (Rebuilds(hints))
        Rebuild();
    invisibleRootItem()->sortChildren(0, Qt::AscendingOrder);
    resizeColumnToContents(0);
    ReselectCurrentDir();
}

void CDirListView::mouseReleaseEvent(QMouseEvent* event)
{
    QTreeWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || std::exchange(doubleClicked_, false))
        return;
    // Any click opens, on a row or not: a click beside the rows of a
    // selection made with Control opens its first row.
    OpenFirstSelectedRow();
}

void CDirListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTreeWidget::mouseDoubleClickEvent(event);
    doubleClicked_ = event->button() == Qt::LeftButton;
}

// Enter and Space open as a click does. Space with Control still adds a row
// to the selection or takes it out, as in any list.
void CDirListView::keyPressEvent(QKeyEvent* event)
{
    if (!OpensOnKey(*event)) {
        QTreeWidget::keyPressEvent(event);
        return;
    }
    if (selectedItems().isEmpty() && currentItem())
        currentItem()->setSelected(true);
    OpenFirstSelectedRow();
    event->accept();
}

bool CDirListView::OpensOnKey(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        return modifiers == Qt::NoModifier;
    default:
        return false;
    }
}

void CDirListView::SelectPartnerOf(const CDirNode* node)
{
    const QScopedValueRollback<bool> selectingItself(selectingItself_, true);
    clearSelection();
    if (!node)
        return;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = topLevelItem(i);
        const CDirNode* shown = CDirNodeItem::NodeOf(row);
        if (shown && (shown == node || shown == node->counterpart)) {
            row->setSelected(true);
            setCurrentItem(row, 0, QItemSelectionModel::NoUpdate);
            scrollToItem(row);
            return;
        }
    }
}

void CDirListView::TellOtherLists()
{
    if (selectingItself_)
        return;
    const QTreeWidgetItem* row = FirstSelectedRow();
    host_.FollowListSelection(this, row ? CDirNodeItem::NodeOf(row) : nullptr);
}

void CDirListView::Rebuild()
{
    clear();
    if (OwnList().rootPath.empty()) {
        SetHeaderText(QStringLiteral("Files"));
        return;
    }
    SetHeaderText(composite ? QStringLiteral("Composite List")
                            : QStringLiteral("Files in ") + OwnRootText());
    QList<QTreeWidgetItem*> rows;
    if (composite) {
        const CDirComposite both(dirs_.firstList(), dirs_.secondList());
        for (const CDirComposite::ENTRY& entry : both.Entries())
            AddFile(entry, rows);
    } else {
        const bool first = &OwnList() == &dirs_.firstList();
        for (const auto& node : OwnList().Nodes()) {
            AddFile(first ? CDirComposite::ENTRY{node.get(), nullptr}
                          : CDirComposite::ENTRY{nullptr, node.get()},
                    rows);
        }
    }
    addTopLevelItems(rows);
}

void CDirListView::SetHeaderText(const QString& text)
{
    setHeaderLabels({text});
}

void CDirListView::AddFile(const CDirComposite::ENTRY& entry, QList<QTreeWidgetItem*>& rows)
{
    const CDirNode& node = entry.Node();
    if (!node.isFile || !Shows(entry))
        return;
    auto* row = new CDirNodeItem(entry, host_);
    row->setText(0, PathText(node.name));
    row->setIcon(0, icons_.Image(FileImage(node.status)));
    rows.append(row);
}

void CDirListView::ReselectCurrentDir()
{
    const CDirNode* node = CurrentNode();
    if (!node)
        return;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = topLevelItem(i);
        if (CDirNodeItem::NodeOf(row) == node) {
            row->setSelected(true);
            setCurrentItem(row, 0, QItemSelectionModel::NoUpdate);
            scrollToItem(row);
            return;
        }
    }
}

// In the order shown, which the order of selecting need not be.
const QTreeWidgetItem* CDirListView::FirstSelectedRow() const
{
    for (int i = 0; i < topLevelItemCount(); ++i) {
        if (topLevelItem(i)->isSelected())
            return topLevelItem(i);
    }
    return nullptr;
}

void CDirListView::OpenFirstSelectedRow()
{
    const QTreeWidgetItem* row = FirstSelectedRow();
    if (const CDirNode* node = row ? CDirNodeItem::NodeOf(row) : nullptr)
        opener_.Choose(*node, sideIndex);
}
