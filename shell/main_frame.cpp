#include "shell/main_frame.h"

#include "directory/dir_comparison.h"
#include "document/diff_doc.h"
#include "document/path_text.h"
#include "shell/dialog_bar.h"
#include "shell/frame_actions.h"
#include "shell/pane_row.h"
#include "views/diff_view.h"
#include "views/reading_place.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>

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
    CreatePaneRow();
    CreateWorkBars();
    MatchWindowToGround();
    ConnectCommands();
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
    SaveWorkSettings();
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
    dialogBar_ = new CDialogBar(settings_, this);
    addToolBar(dialogBar_);
    connect(dialogBar_, &CDialogBar::DirViewTypeChosen, this, &CMainFrame::SetDirViewType);
    connect(dialogBar_, &CDialogBar::DirViewModeChosen, this, &CMainFrame::SetDirViewMode);
    connect(dialogBar_, &CDialogBar::DirSortChosen, this, &CMainFrame::SetDirSort);
    connect(dialogBar_, &CDialogBar::TxtViewModeChosen, this, &CMainFrame::SetTxtViewMode);
    connect(dialogBar_, &CDialogBar::OverviewToggled, this, &CMainFrame::ToggleOverview);
}

void CMainFrame::CreateStatusBar()
{
    firstPathPane_ = new QLabel(this);
    secondPathPane_ = new QLabel(this);
    for (QLabel* pane : {firstPathPane_, secondPathPane_}) {
        pane->setMinimumWidth(kPathPaneWidth);
        pane->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    // The path panes fill the status bar, so the count of the difference
    // navigation went to has a pane of its own before them.
    differencePane_ = new QLabel(this);
    statusBar()->addPermanentWidget(differencePane_);
    differencePane_->hide();
    statusBar()->addPermanentWidget(firstPathPane_);
    statusBar()->addPermanentWidget(secondPathPane_, 1);
    statusBar()->showMessage(tr("Ready"));
}

void CMainFrame::CreatePaneRow()
{
    panes_ = std::make_unique<CPaneRow>(*this, doc_, dirs_, appearance_, settings_);
    // What a directory pane opens is shown as if the user had named it.
    connect(panes_.get(), &CPaneRow::FilesChosen, this, &CMainFrame::CompareFiles);
    connect(panes_.get(), &CPaneRow::SingleFileChosen, this, &CMainFrame::ShowSingleFile);
    connect(panes_.get(), &CPaneRow::ReadingPlaceChosen, this,
            &CMainFrame::ShowDifferenceAtReadingLine);
}

// --- Pane arrangement -------------------------------------------------------

void CMainFrame::ArrangeViews(bool force)
{
    if (!panes_->IsReady())
        return;
    SyncDialogBar();
    RefreshCommandState();
    UpdateTitle();
    differencePane_->clear();
    differencePane_->hide();
    panes_->Arrange(dirsShown_, fileCount_, force);
    WatchShown();
}

namespace {

// The last part of a path, as a task bar has room for: a file's or a
// folder's own name, or the path itself for a root.
QString ShownName(const std::string& path)
{
    const QString clean = QDir::cleanPath(PathText(path));
    const QString name = QFileInfo(clean).fileName();
    return name.isEmpty() ? clean : name;
}

} // namespace

void CMainFrame::MatchWindowToGround()
{
    if (!appearance_.IsDark()) {
        // An empty palette resolves nothing, so the window takes the
        // desktop's colours again.
        setPalette(QPalette());
        return;
    }
    const QColor ground = appearance_.GetNormalBgCol();
    const QColor ink = appearance_.GetNormalTxtCol();
    QPalette dark = palette();
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::AlternateBase})
        dark.setColor(role, ground);
    dark.setColor(QPalette::Button, ground.lighter(160));
    for (QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::ToolTipText})
        dark.setColor(role, ink);
    setPalette(dark);
}

void CMainFrame::UpdateTitle()
{
    QString title;
    if (fileCount_ == 2 && doc_.firstBuf() && doc_.secondBuf())
        title = tr("%1 vs %2").arg(ShownName(doc_.firstBuf()->path()),
                                   ShownName(doc_.secondBuf()->path()));
    else if (fileCount_ == 1 && doc_.firstBuf())
        title = ShownName(doc_.firstBuf()->path());
    else if (dirsShown_)
        title = tr("%1 vs %2").arg(ShownName(dirs_.firstList().rootPath),
                                   ShownName(dirs_.secondList().rootPath));
    setWindowTitle(title.isEmpty() ? QStringLiteral("Varnel")
                                   : title + QStringLiteral(" - Varnel"));
}

void CMainFrame::KeepingReadingPlace(const std::function<void()>& change)
{
    const CDiffView* before = panes_->GetFirstDiffView();
    // The pane whose file the place belongs to gets it last, so that a pane
    // that follows it is brought to the same content.
    const CReadingPlace place = before ? CReadingPlace::Take(doc_, *before) : CReadingPlace();
    change();
    if (!place.IsValid())
        return;
    for (int side : {1 - place.Side(), place.Side()}) {
        CDiffView* view = IsTxtComposite() ? panes_->GetFirstDiffView() : panes_->FindDiffView(side);
        if (view)
            place.RestoreIn(doc_, *view);
    }
}

void CMainFrame::SendUpdate(UpdateHints hints)
{
    panes_->SendUpdate(hints);
}

// --- Command state ----------------------------------------------------------

// The enabled, check and radio state of every command, kept current whenever
// what it depends on changes, so that a disabled command also ignores its key.
void CMainFrame::RefreshCommandState()
{
    CFrameActions& a = *actions_;
    a.closeFiles->setEnabled(fileCount_ > 0);
    a.closeDirectories->setEnabled(dirsShown_);
    a.saveReport->setEnabled(dirsShown_ || fileCount_ == 2);
    a.editFirstFile->setEnabled(fileCount_ > 0);
    a.editSecondFile->setEnabled(fileCount_ == 2);
    a.reload->setEnabled(dirsShown_ || fileCount_ > 0);
    a.reloadAutomatically->setChecked(reloadAutomatically_);
    for (QAction* onFiles : {a.copy, a.selectAll, a.find, a.findNext, a.findPrevious})
        onFiles->setEnabled(fileCount_ > 0);
    a.statusBar->setChecked(!statusBar()->isHidden());
    a.toolBar->setChecked(settings_.showToolBar);
    a.filesComposite->setChecked(IsTxtComposite());
    a.filesSideBySide->setChecked(!IsTxtComposite());
    a.overview->setChecked(settings_.txtOverview);
    a.lineChanges->setChecked(settings_.lineChanges);
    a.scrollTogether->setChecked(settings_.scrollTogether);
    a.onlyDifferences->setChecked(settings_.onlyDifferences);
    a.lineNumbers->setChecked(settings_.lineNumbers);
    a.dirTree->setChecked(settings_.dirViewType == 0);
    a.dirList->setChecked(settings_.dirViewType == 1);
    a.dirComposite->setChecked(settings_.dirViewMode == 0);
    a.dirSideBySide->setChecked(settings_.dirViewMode == 1);
    a.sortByName->setChecked(settings_.dirSort == 0);
    a.sortByStatus->setChecked(settings_.dirSort == 1);
    a.dirOnlyDifferences->setChecked(settings_.dirOnlyDifferences);
}

void CMainFrame::SyncDialogBar()
{
    dialogBar_->Sync(settings_, dirsShown_, fileCount_);
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

QString CMainFrame::DifferenceText() const
{
    return differencePane_->text();
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
    KeepingReadingPlace([this, mode] { SetLayoutSetting(&CFrameSettings::txtViewMode, mode); });
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
    SendUpdate(UpdateHint::DirSortChanged);
}

void CMainFrame::SetDirOnlyDifferences(bool on)
{
    if (settings_.dirOnlyDifferences == on)
        return;
    settings_.dirOnlyDifferences = on;
    panes_->AssignSideIndices();
    RefreshCommandState();
    SendUpdate(UpdateHint::DirFilterChanged);
}

void CMainFrame::ToggleOverview()
{
    KeepingReadingPlace([this] {
        settings_.txtOverview = !settings_.txtOverview;
        ArrangeViews(false);
        RefreshCommandState();
        SyncDialogBar();
    });
}

void CMainFrame::ToggleFileViewOption(bool CFrameSettings::*option)
{
    settings_.*option = !(settings_.*option);
    panes_->ApplyFileViewOptions();
    RefreshCommandState();
}

void CMainFrame::ToggleToolBar()
{
    settings_.showToolBar = !settings_.showToolBar;
    dialogBar_->setVisible(settings_.showToolBar);
    RefreshCommandState();
}
