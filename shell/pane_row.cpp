#include "shell/pane_row.h"

#include "dir_views/dir_list_view.h"
#include "dir_views/dir_view.h"
#include "directory/dir_comparison.h"
#include "document/diff_doc.h"
#include "shell/frame_arrangement.h"
#include "shell/frame_settings.h"
#include "views/diff_view.h"
#include "views/license_view.h"
#include "views/over_view.h"
#include "views/scroll_link.h"
#include "views/semi_splitter.h"

#include <QMainWindow>

CPaneRow::CPaneRow(QMainWindow& window, CDiffDoc& doc, CDirComparison& dirs,
                   const CAppearance& appearance, const CFrameSettings& settings)
    : doc_(doc), dirs_(dirs), appearance_(appearance), settings_(settings)
{
    scrollLink_ = new CScrollLink(doc_, this);
    splitter_ = new CSemiSplitter([this](PaneClass c) { return CreatePane(c); }, &window);
    window.setCentralWidget(splitter_);
    ready_ = splitter_->InsertColumn(PaneClass::License, 0, window.width(), 0);
    // The document and the directory comparison only say that their result
    // changed; which panes that concerns is the hint's business.
    connect(&doc_, &CDiffDoc::ResultChanged, this,
            [this] { SendUpdate(UpdateHint::FileResultChanged); });
    connect(&dirs_, &CDirComparison::ResultChanged, this,
            [this] { SendUpdate(UpdateHint::DirResultChanged); });
}

// The panes hold the row as their host until they are gone, so they go first.
CPaneRow::~CPaneRow()
{
    delete splitter_;
}

QWidget* CPaneRow::CreatePane(PaneClass paneClass)
{
    switch (paneClass) {
    case PaneClass::License:
        return new CLicenseView();
    case PaneClass::Diff: {
        auto* view = new CDiffView(doc_, appearance_, *this);
        connect(this, &CPaneRow::UpdateAllPanes, view, &CDiffView::OnUpdate);
        return view;
    }
    case PaneClass::Overview: {
        auto* view = new COverView(doc_, appearance_, *this);
        connect(this, &CPaneRow::UpdateAllPanes, view, &COverView::OnUpdate);
        return view;
    }
    case PaneClass::DirTree: {
        auto* view = new CDirView(dirs_, appearance_, *this);
        connect(this, &CPaneRow::UpdateAllPanes, view, &CDirView::OnUpdate);
        return view;
    }
    case PaneClass::DirList: {
        auto* view = new CDirListView(dirs_, appearance_, *this);
        connect(this, &CPaneRow::UpdateAllPanes, view, &CDirListView::OnUpdate);
        return view;
    }
    }
    return nullptr;
}

void CPaneRow::SendUpdate(UpdateHints hints)
{
    emit UpdateAllPanes(hints);
}

// --- Arrangement ------------------------------------------------------------

void CPaneRow::Arrange(bool dirsShown, int fileCount, bool force)
{
    if (!ready_)
        return;
    CFrameArrangement::State state;
    state.dirsShown = dirsShown;
    state.fileCount = fileCount;
    state.buffersLoaded = (doc_.firstBuf() ? 1 : 0) + (doc_.secondBuf() ? 1 : 0);
    state.txtViewMode = settings_.txtViewMode;
    state.dirViewMode = settings_.dirViewMode;
    state.dirViewType = settings_.dirViewType;
    state.txtOverview = settings_.txtOverview;
    const CFrameArrangement wanted(state);
    const std::vector<PaneClass>& panes = wanted.Panes();
    const int n = static_cast<int>(panes.size());
    const int width = splitter_->width();

    // The leading panes that already have the wanted class are kept.
    int kept = 0;
    while (kept < n && kept < splitter_->GetColumnCount() &&
           splitter_->GetPaneClass(kept) == panes[static_cast<std::size_t>(kept)])
        ++kept;
    if (!force && kept == n && kept == splitter_->GetColumnCount())
        return;

    for (int i = 0; i < kept; ++i)
        splitter_->SetColumnInfo(i, wanted.WidthOf(static_cast<std::size_t>(i), width), 0);
    if (kept == 0) {
        // The row always holds a pane: the new first pane goes in before the
        // old one is taken out.
        for (int i = splitter_->GetColumnCount() - 1; i >= 1; --i)
            splitter_->DeleteColumn(i);
        splitter_->InsertColumn(panes[0], 0, wanted.WidthOf(0, width), 0);
        splitter_->DeleteColumn(1);
        kept = 1;
    } else {
        for (int i = splitter_->GetColumnCount() - 1; i >= kept; --i)
            splitter_->DeleteColumn(i);
    }
    for (int i = kept; i < n; ++i) {
        splitter_->InsertColumn(panes[static_cast<std::size_t>(i)], i,
                                wanted.WidthOf(static_cast<std::size_t>(i), width), 0);
    }
    AssignSideIndices();
    splitter_->RecalcLayout();
    // New panes have never been drawn, and kept ones may have changed side.
    SendUpdate(UpdateHint::AppearanceChanged | UpdateHint::IconColorsChanged);
    LinkScrolling();
}

void CPaneRow::ApplyFileViewOptions()
{
    for (int i = 0; i < splitter_->GetColumnCount(); ++i) {
        if (auto* diff = qobject_cast<CDiffView*>(splitter_->GetPane(i))) {
            diff->showLineChanges = settings_.lineChanges;
            diff->showLineNumbers = settings_.lineNumbers;
            diff->onlyDifferences = settings_.onlyDifferences;
            diff->foldContext = settings_.onlyDifferencesContext;
        }
    }
    SendUpdate(UpdateHint::AppearanceChanged);
    LinkScrolling();
}

void CPaneRow::LinkScrolling()
{
    CDiffView* first = FindDiffView(0);
    CDiffView* second = FindDiffView(1);
    const bool linked = scrollLink_->IsLinked();
    if (settings_.scrollTogether && settings_.txtViewMode == 1 && first && second) {
        // Linking brings the second pane to the first's place, which must
        // not happen on every re-arrangement of the same two panes.
        if (!linked || !scrollLink_->Joins(first, second))
            scrollLink_->Link(first, second);
    } else {
        scrollLink_->Unlink();
    }
}

void CPaneRow::AssignSideIndices()
{
    const bool txtComposite = settings_.txtViewMode == 0;
    const bool dirComposite = settings_.dirViewMode == 0;
    int fileSide = 0;
    int dirSide = 0;
    for (int i = 0; i < splitter_->GetColumnCount(); ++i) {
        QWidget* pane = splitter_->GetPane(i);
        if (auto* diff = qobject_cast<CDiffView*>(pane)) {
            diff->sideIndex = fileSide++;
            diff->composite = txtComposite;
            diff->showLineChanges = settings_.lineChanges;
            diff->showLineNumbers = settings_.lineNumbers;
            diff->onlyDifferences = settings_.onlyDifferences;
            diff->foldContext = settings_.onlyDifferencesContext;
        } else if (auto* overview = qobject_cast<COverView*>(pane)) {
            overview->composite = txtComposite;
        } else if (auto* tree = qobject_cast<CDirView*>(pane)) {
            tree->sideIndex = dirSide++;
            tree->composite = dirComposite;
            tree->onlyDifferences = settings_.dirOnlyDifferences;
        } else if (auto* list = qobject_cast<CDirListView*>(pane)) {
            list->sideIndex = dirSide++;
            list->composite = dirComposite;
            list->onlyDifferences = settings_.dirOnlyDifferences;
        }
    }
}

// --- Finding panes ----------------------------------------------------------

template<class Pane> Pane* CPaneRow::FirstPane(const std::function<bool(const Pane&)>& wanted) const
{
    for (int i = 0; i < splitter_->GetColumnCount(); ++i) {
        auto* pane = qobject_cast<Pane*>(splitter_->GetPane(i));
        if (pane && (!wanted || wanted(*pane)))
            return pane;
    }
    return nullptr;
}

CDiffView* CPaneRow::FindDiffView(int sideIndex) const
{
    return FirstPane<CDiffView>(
        [sideIndex](const CDiffView& view) { return view.sideIndex == sideIndex; });
}

CDiffView* CPaneRow::GetFirstDiffView() const
{
    return FirstPane<CDiffView>();
}

COverView* CPaneRow::GetOverView() const
{
    return FirstPane<COverView>();
}

// --- What the panes ask -----------------------------------------------------

void CPaneRow::InvalidateOverView()
{
    if (COverView* overview = GetOverView())
        overview->update();
}

bool CPaneRow::GetDiffViewRange(int sideIndex, double* top, double* bottom) const
{
    const CDiffView* view = FindDiffView(sideIndex);
    if (!view)
        return false;
    view->GetVisibleRange(top, bottom);
    return true;
}

void CPaneRow::SetDiffViewPosition(int sideIndex, double fraction)
{
    if (CDiffView* view = FindDiffView(sideIndex)) {
        view->SetPosition(fraction);
        view->MarkDifferenceAtReadingLine();
        emit ReadingPlaceChosen(sideIndex);
    }
}

int CPaneRow::GetDirSort() const
{
    return settings_.dirSort;
}

void CPaneRow::CompareFiles(const std::string& first, const std::string& second)
{
    emit FilesChosen(first, second);
}

void CPaneRow::ShowSingleFile(const std::string& path)
{
    emit SingleFileChosen(path);
}

void CPaneRow::ClearOtherTreeSelections(const QWidget* keep)
{
    for (int i = 0; i < splitter_->GetColumnCount(); ++i) {
        auto* tree = qobject_cast<CDirView*>(splitter_->GetPane(i));
        if (tree && tree != keep)
            tree->clearSelection();
    }
}

void CPaneRow::FollowListSelection(const QWidget* from, const CDirNode* node)
{
    for (int i = 0; i < splitter_->GetColumnCount(); ++i) {
        auto* list = qobject_cast<CDirListView*>(splitter_->GetPane(i));
        if (list && list != from)
            list->SelectPartnerOf(node);
    }
}
