#include "dir_views/dir_opener.h"

#include "directory/dir_comparison.h"
#include "views/pane_host.h"

#include <QMetaObject>
#include <QPointer>
#include <QWidget>

#include <utility>

CDirOpener::CDirOpener(QWidget& pane, const CDirComparison& dirs, CPaneHost& host,
                       AfterOpening afterOpening)
    : pane_(pane), dirs_(dirs), host_(host), afterOpening_(afterOpening)
{
}

void CDirOpener::Choose(const CDirNode& node, int sideIndex)
{
    if (!node.isFile)
        return;
    const bool posted = pending_.has_value();
    pending_ = ChoiceFor(node, sideIndex);
    // The pane is the context, so a pane destroyed meanwhile opens nothing.
    if (!posted)
        QMetaObject::invokeMethod(
            &pane_, [this] { OpenPending(); }, Qt::QueuedConnection);
}

CDirOpener::CHOICE CDirOpener::ChoiceFor(const CDirNode& node, int sideIndex) const
{
    const CDirNodeList& own = sideIndex == 0 ? dirs_.firstList() : dirs_.secondList();
    const CDirNodeList& other = sideIndex == 0 ? dirs_.secondList() : dirs_.firstList();
    CHOICE choice;
    choice.relativePath = node.name;
    if (node.status == DirNodeStatus::Modified && node.counterpart) {
        choice.pair = true;
        choice.firstPath = own.FullPath(node);
        choice.secondPath = other.FullPath(*node.counterpart);
        return choice;
    }
    // A one-sided file lives in its own tree whichever pane shows it; an
    // identical one is taken from the pane's side.
    if (node.status == DirNodeStatus::Old)
        choice.firstPath = dirs_.firstList().FullPath(node);
    else if (node.status == DirNodeStatus::New)
        choice.firstPath = dirs_.secondList().FullPath(node);
    else
        choice.firstPath = own.FullPath(node);
    return choice;
}

void CDirOpener::OpenPending()
{
    if (!pending_)
        return;
    const CHOICE choice = std::move(*pending_);
    pending_.reset();
    // Opening may rebuild, or in principle destroy, the pane and this opener
    // with it: nothing of either is used after the call unless it survived.
    CPaneHost& host = host_;
    const AfterOpening afterOpening = afterOpening_;
    const QPointer<QWidget> pane(&pane_);
    host.SetCurrentDir(choice.relativePath);
    if (choice.pair)
        host.CompareFiles(choice.firstPath, choice.secondPath);
    else
        host.ShowSingleFile(choice.firstPath);
    if (pane && afterOpening == AfterOpening::ClearOtherTreeSelections)
        host.ClearOtherTreeSelections(pane);
}
