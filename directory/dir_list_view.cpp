#include "directory/dir_list_view.h"
#include "document/path_text.h"

#include "directory/dir_comparison.h"
#include "document/diff_doc.h"

#include <QFile>

CDirListView::CDirListView(CDirComparison& dirs, const CAppearance& appearance, CPaneHost& host,
                           QWidget* parent)
    : QTreeWidget(parent), dirs_(dirs), appearance_(appearance), host_(host)
{
    setColumnCount(1);
    setRootIsDecorated(false);
    setHeaderLabels({QStringLiteral("Files")});
}

void CDirListView::OnUpdate(int hint)
{
    if (hint & (CDiffDoc::DirResultChanged | CDiffDoc::IconColorsChanged))
        Rebuild();
}

void CDirListView::Rebuild()
{
    clear();
    const CDirNodeList& own = sideIndex == 0 ? dirs_.firstList() : dirs_.secondList();
    const CDirNodeList& other = sideIndex == 0 ? dirs_.secondList() : dirs_.firstList();
    if (own.rootPath.empty()) {
        setHeaderLabels({QStringLiteral("Files")});
        return;
    }
    setHeaderLabels({composite ? QStringLiteral("Composite List")
                               : QStringLiteral("Files in ") + PathText(CDiffDoc::ShortenPath(
                                                                   own.rootPath, other.rootPath))});
    const auto add = [this](const CDirNode& node) {
        auto* row = new QTreeWidgetItem(this);
        row->setText(0, PathText(node.name));
    };
    for (const auto& node : own.Nodes()) {
        if (node->isFile)
            add(*node);
    }
    if (composite) {
        // A pair already has the row of its first-list file.
        for (const auto& node : dirs_.secondList().Nodes()) {
            if (node->isFile &&
                (node->status == DirNodeStatus::Old || node->status == DirNodeStatus::New))
                add(*node);
        }
    }
    resizeColumnToContents(0);
}
