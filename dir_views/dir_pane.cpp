#include "dir_views/dir_pane.h"

#include "directory/dir_comparison.h"
#include "document/diff_doc.h"
#include "document/path_names.h"
#include "document/path_text.h"
#include "views/pane_host.h"

CDirPane::CDirPane(CDirComparison& dirs, const CAppearance& appearance, CPaneHost& host,
                   CDirOpener::AfterOpening afterOpening, QWidget* parent)
    : QTreeWidget(parent), dirs_(dirs), appearance_(appearance), host_(host),
      opener_(*this, dirs, host, afterOpening)
{
    setColumnCount(1);
    setIconSize(QSize(16, 16));
    setUniformRowHeights(true);
}

bool CDirPane::Rebuilds(UpdateHints hints)
{
    return hints.testAnyFlags(UpdateHint::DirResultChanged | UpdateHint::IconColorsChanged |
                              UpdateHint::DirFilterChanged);
}

// A folder is Normal only when everything in it is, so leaving out the Normal
// entries leaves out the folders of identical content with them.
bool CDirPane::Shows(const CDirComposite::ENTRY& entry) const
{
    return !onlyDifferences || entry.Node().status != DirNodeStatus::Normal;
}

bool CDirPane::ActsOn(UpdateHints hints)
{
    return Rebuilds(hints) || hints.testFlag(UpdateHint::DirSortChanged);
}

const CDirNodeList& CDirPane::OwnList() const
{
    return sideIndex == 0 ? dirs_.firstList() : dirs_.secondList();
}

const CDirNodeList& CDirPane::OtherList() const
{
    return sideIndex == 0 ? dirs_.secondList() : dirs_.firstList();
}

QString CDirPane::OwnRootText() const
{
    return PathText(CPathNames::ShortenPath(OwnList().rootPath, OtherList().rootPath));
}

const CDirNode* CDirPane::CurrentNode() const
{
    const std::string& name = host_.CurrentDir();
    if (name.empty())
        return nullptr;
    const CDirNode* node = OwnList().FindByName(name);
    if (!node && composite)
        node = dirs_.secondList().FindByName(name);
    return node;
}

void CDirPane::focusInEvent(QFocusEvent* event)
{
    QTreeWidget::focusInEvent(event);
    if (parentWidget())
        parentWidget()->update();
}
