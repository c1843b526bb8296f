#include "shell/main_frame.h"

#include "directory/dir_comparison.h"
#include "dir_views/dir_list_view.h"
#include "dir_views/dir_view.h"
#include "document/diff_doc.h"
#include "engine/diff_buf.h"
#include "shell/frame_actions.h"
#include "shell/frame_arrangement.h"
#include "views/diff_view.h"
#include "views/license_view.h"
#include "views/over_view.h"
#include "views/semi_splitter.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QSettings>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QToolBar>

namespace {

// The status bar's path panes start this wide.
constexpr int kPathPaneWidth = 200;

} // namespace

CMainFrame::CMainFrame(CDiffDoc& doc, CDirComparison& dirs, CFrameSeam& seam, QSettings& store,
                       QWidget* parent)
    : QMainWindow(parent), doc_(doc), dirs_(dirs), seam_(seam), store_(store)
{
    setWindowTitle(QStringLiteral("Varnel"));
    appearance_.Load(store_);
    settings_.Load(store_);
    actions_ = new CFrameActions(*this);
    CreateDialogBar();
    CreateStatusBar();
    appearance_.TakeSystemColors(palette());
    dialogBar_->setVisible(settings_.showToolBar);
    CreateSplitter();
    ConnectCommands();
    // A new directory result reaches the views through the document's one
    // update signal, like every other change.
    connect(&dirs_, &CDirComparison::ResultChanged, &doc_, &CDiffDoc::UpdateAllViews);
    RefreshCommandState();
}

CMainFrame::~CMainFrame()
{
    SaveAll();
}

void CMainFrame::SaveAll()
{
    CFrameSettings::Placement placement;
    const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    placement.rect = normal;
    placement.minimized = isMinimized();
    placement.maximized = (windowState() & Qt::WindowMaximized) != 0;
    CFrameSettings::SavePlacement(store_, placement);
    settings_.Save(store_);
    appearance_.Save(store_);
    store_.sync();
}

void CMainFrame::ShowWithStoredPlacement()
{
    const CFrameSettings::Placement placement = CFrameSettings::LoadPlacement(store_);
    QRect rect = placement.rect;
    // A window placed outside every screen (a monitor since removed) is
    // brought back where it can be seen.
    bool visible = false;
    for (const QScreen* screen : QGuiApplication::screens())
        visible = visible || screen->availableGeometry().intersects(rect);
    if (!visible && QGuiApplication::primaryScreen())
        rect.moveTopLeft(QGuiApplication::primaryScreen()->availableGeometry().topLeft());
    setGeometry(rect);
    if (placement.minimized) {
        if (placement.maximized)
            setWindowState(Qt::WindowMaximized | Qt::WindowMinimized);
        showMinimized();
    } else if (placement.maximized) {
        showMaximized();
    } else {
        show();
    }
}

// --- Window parts -----------------------------------------------------------

void CMainFrame::CreateDialogBar()
{
    dialogBar_ = addToolBar(tr("Tool Bar"));
    dialogBar_->setObjectName(QStringLiteral("dialogBar"));
    dialogBar_->setMovable(false);
    const auto list = [this](QStringList items, int current) {
        auto* box = new QComboBox(dialogBar_);
        box->addItems(items);
        box->setCurrentIndex(current);
        box->setFocusPolicy(Qt::NoFocus);
        dialogBar_->addWidget(box);
        return box;
    };
    dirViewTypeBox_ = list({tr("Directory Tree"), tr("Directory List")}, settings_.dirViewType);
    dirViewModeBox_ =
        list({tr("Composite Directory"), tr("Directories Side by Side")}, settings_.dirViewMode);
    dirSortBox_ = list({tr("Sort by Name"), tr("Sort by Status")}, settings_.dirSort);
    txtViewModeBox_ = list({tr("Composite File"), tr("Files Side by Side")}, settings_.txtViewMode);
    overviewBox_ = new QCheckBox(tr("File Overview"), dialogBar_);
    overviewBox_->setChecked(settings_.txtOverview);
    overviewBox_->setFocusPolicy(Qt::NoFocus);
    dialogBar_->addWidget(overviewBox_);

    connect(dirViewTypeBox_, &QComboBox::activated, this, &CMainFrame::SetDirViewType);
    connect(dirViewModeBox_, &QComboBox::activated, this, &CMainFrame::SetDirViewMode);
    connect(dirSortBox_, &QComboBox::activated, this, &CMainFrame::SetDirSort);
    connect(txtViewModeBox_, &QComboBox::activated, this, &CMainFrame::SetTxtViewMode);
    connect(overviewBox_, &QCheckBox::clicked, this, [this] { ToggleOverview(); });
}

void CMainFrame::CreateStatusBar()
{
    firstPathPane_ = new QLabel(this);
    secondPathPane_ = new QLabel(this);
    for (QLabel* pane : {firstPathPane_, secondPathPane_}) {
        pane->setMinimumWidth(kPathPaneWidth);
        pane->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    statusBar()->addPermanentWidget(firstPathPane_);
    statusBar()->addPermanentWidget(secondPathPane_, 1);
    statusBar()->showMessage(tr("Ready"));
}

void CMainFrame::CreateSplitter()
{
    splitter_ = new CSemiSplitter([this](PaneClass c) { return CreatePane(c); }, this);
    setCentralWidget(splitter_);
    splitterReady_ = splitter_->InsertColumn(PaneClass::License, 0, width(), 0);
}

QWidget* CMainFrame::CreatePane(PaneClass paneClass)
{
    switch (paneClass) {
    case PaneClass::License:
        return new CLicenseView();
    case PaneClass::Diff: {
        auto* view = new CDiffView(doc_, appearance_, *this);
        connect(&doc_, &CDiffDoc::UpdateAllViews, view, &CDiffView::OnUpdate);
        return view;
    }
    case PaneClass::Overview: {
        auto* view = new COverView(doc_, appearance_, *this);
        connect(&doc_, &CDiffDoc::UpdateAllViews, view, &COverView::OnUpdate);
        return view;
    }
    case PaneClass::DirTree: {
        auto* view = new CDirView(dirs_, appearance_, *this);
        connect(&doc_, &CDiffDoc::UpdateAllViews, view, &CDirView::OnUpdate);
        return view;
    }
    case PaneClass::DirList: {
        auto* view = new CDirListView(dirs_, appearance_, *this);
        connect(&doc_, &CDiffDoc::UpdateAllViews, view, &CDirListView::OnUpdate);
        return view;
    }
    }
    return nullptr;
}

// --- Pane arrangement -------------------------------------------------------

void CMainFrame::ArrangeViews(bool force)
{
    if (!splitterReady_)
        return;
    SyncDialogBar();
    RefreshCommandState();

    CFrameArrangement::State state;
    state.dirsShown = dirsShown_;
    state.fileCount = fileCount_;
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
    SendUpdate(8 | 2);
}

void CMainFrame::AssignSideIndices()
{
    int fileSide = 0;
    int dirSide = 0;
    for (int i = 0; i < splitter_->GetColumnCount(); ++i) {
        QWidget* pane = splitter_->GetPane(i);
        if (auto* diff = qobject_cast<CDiffView*>(pane)) {
            diff->sideIndex = fileSide++;
            diff->composite = IsTxtComposite();
        } else if (auto* overview = qobject_cast<COverView*>(pane)) {
            overview->composite = IsTxtComposite();
        } else if (auto* tree = qobject_cast<CDirView*>(pane)) {
            tree->sideIndex = dirSide++;
            tree->composite = IsDirComposite();
        } else if (auto* list = qobject_cast<CDirListView*>(pane)) {
            list->sideIndex = dirSide++;
            list->composite = IsDirComposite();
        }
    }
}

CDiffView* CMainFrame::FindDiffView(int sideIndex) const
{
    for (int i = 0; i < splitter_->GetColumnCount(); ++i) {
        auto* view = qobject_cast<CDiffView*>(splitter_->GetPane(i));
        if (view && view->sideIndex == sideIndex)
            return view;
    }
    return nullptr;
}

CDiffView* CMainFrame::GetFirstDiffView() const
{
    for (int i = 0; i < splitter_->GetColumnCount(); ++i) {
        if (auto* view = qobject_cast<CDiffView*>(splitter_->GetPane(i)))
            return view;
    }
    return nullptr;
}

COverView* CMainFrame::GetOverView() const
{
    for (int i = 0; i < splitter_->GetColumnCount(); ++i) {
        if (auto* view = qobject_cast<COverView*>(splitter_->GetPane(i)))
            return view;
    }
    return nullptr;
}

void CMainFrame::InvalidateOverView()
{
    if (COverView* overview = GetOverView())
        overview->update();
}

bool CMainFrame::GetDiffViewRange(int sideIndex, double* top, double* bottom) const
{
    const CDiffView* view = FindDiffView(sideIndex);
    if (!view)
        return false;
    view->GetVisibleRange(top, bottom);
    return true;
}

void CMainFrame::SetDiffViewPosition(int sideIndex, double fraction)
{
    if (CDiffView* view = FindDiffView(sideIndex))
        view->SetPosition(fraction);
}

void CMainFrame::ClearOtherTreeSelections(const QWidget* keep)
{
    for (int i = 0; i < splitter_->GetColumnCount(); ++i) {
        auto* tree = qobject_cast<CDirView*>(splitter_->GetPane(i));
        if (tree && tree != keep)
            tree->clearSelection();
    }
}

void CMainFrame::SendUpdate(int hint)
{
    emit doc_.UpdateAllViews(hint);
}

// --- Command state ----------------------------------------------------------

// The enabled, check and radio state of every command, kept current whenever
// what it depends on changes, so that a disabled command also ignores its key.
void CMainFrame::RefreshCommandState()
{
    CFrameActions& a = *actions_;
    a.closeFiles->setEnabled(fileCount_ > 0);
    a.closeDirectories->setEnabled(dirsShown_);
    a.editFirstFile->setEnabled(fileCount_ > 0);
    a.editSecondFile->setEnabled(fileCount_ == 2);
    a.reload->setEnabled(dirsShown_ || fileCount_ > 0);
    a.statusBar->setChecked(!statusBar()->isHidden());
    a.toolBar->setChecked(settings_.showToolBar);
    a.filesComposite->setChecked(IsTxtComposite());
    a.filesSideBySide->setChecked(!IsTxtComposite());
    a.overview->setChecked(settings_.txtOverview);
    a.dirTree->setChecked(settings_.dirViewType == 0);
    a.dirList->setChecked(settings_.dirViewType == 1);
    a.dirComposite->setChecked(settings_.dirViewMode == 0);
    a.dirSideBySide->setChecked(settings_.dirViewMode == 1);
    a.sortByName->setChecked(settings_.dirSort == 0);
    a.sortByStatus->setChecked(settings_.dirSort == 1);
}

void CMainFrame::SyncDialogBar()
{
    for (QComboBox* box : {dirViewTypeBox_, dirViewModeBox_, dirSortBox_})
        box->setEnabled(dirsShown_);
    txtViewModeBox_->setEnabled(fileCount_ > 1);
    overviewBox_->setEnabled(fileCount_ > 1);
    const QSignalBlocker b1(dirViewTypeBox_), b2(dirViewModeBox_), b3(dirSortBox_),
        b4(txtViewModeBox_), b5(overviewBox_);
    dirViewTypeBox_->setCurrentIndex(settings_.dirViewType);
    dirViewModeBox_->setCurrentIndex(settings_.dirViewMode);
    dirSortBox_->setCurrentIndex(settings_.dirSort);
    txtViewModeBox_->setCurrentIndex(settings_.txtViewMode);
    overviewBox_->setChecked(settings_.txtOverview);
}

void CMainFrame::SetPathPanes(const QString& first, const QString& second)
{
    firstPathPane_->setText(first);
    secondPathPane_->setText(second);
}

QString CMainFrame::FirstPathText() const
{
    return firstPathPane_->text();
}

QString CMainFrame::SecondPathText() const
{
    return secondPathPane_->text();
}

// --- Layout commands ----------------------------------------------------------

void CMainFrame::SetLayoutSetting(int CFrameSettings::*setting, int value)
{
    if (value < 0 || settings_.*setting == value)
        return;
    settings_.*setting = value;
    ArrangeViews(false);
    RefreshCommandState();
    SyncDialogBar();
}

void CMainFrame::SetTxtViewMode(int mode)
{
    SetLayoutSetting(&CFrameSettings::txtViewMode, mode);
}

void CMainFrame::SetDirViewType(int type)
{
    SetLayoutSetting(&CFrameSettings::dirViewType, type);
}

void CMainFrame::SetDirViewMode(int mode)
{
    SetLayoutSetting(&CFrameSettings::dirViewMode, mode);
}

void CMainFrame::SetDirSort(int sort)
{
    if (sort < 0 || settings_.dirSort == sort)
        return;
    settings_.dirSort = sort;
    RefreshCommandState();
    SyncDialogBar();
    SendUpdate(4);
}

void CMainFrame::ToggleOverview()
{
    settings_.txtOverview = !settings_.txtOverview;
    ArrangeViews(false);
    RefreshCommandState();
    SyncDialogBar();
}

void CMainFrame::ToggleToolBar()
{
    settings_.showToolBar = !settings_.showToolBar;
    dialogBar_->setVisible(settings_.showToolBar);
    RefreshCommandState();
}
