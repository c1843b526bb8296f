// The main window's help with working on a comparison: the bar that follows
// the compared files on disk, drops and the recent comparisons, copying and
// finding rows.
#include "shell/main_frame.h"

#include "directory/dir_comparison.h"
#include "directory/dir_node.h"
#include "document/diff_doc.h"
#include "document/path_names.h"
#include "document/path_text.h"
#include "document/settings_store.h"
#include "engine/diff_buf.h"
#include "shell/change_watcher.h"
#include "shell/drop_target.h"
#include "shell/file_change_bar.h"
#include "shell/find_bar.h"
#include "shell/frame_actions.h"
#include "shell/frame_seam.h"
#include "shell/pane_row.h"
#include "views/diff_view.h"
#include "views/row_search.h"
#include "views/semi_splitter.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QMenu>
#include <QPointer>
#include <QSettings>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {

const char* const kReloadAutomaticallyKey = "ReloadAutomatically";

// Only what can be read again is watched: a pipe or standard input gave its
// bytes once, and a device never changes as a file does.
void AddWatchable(QStringList& paths, const std::string& path)
{
    const QString text = PathText(path);
    const QFileInfo info(text);
    if (!text.isEmpty() && (info.isFile() || info.isDir()) && !paths.contains(text))
        paths.append(text);
}

} // namespace

void CMainFrame::CreateWorkBars()
{
    LoadWorkSettings();
    // The pane row's splitter moves into a column between the bars.
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    changeBar_ = new CFileChangeBar(*actions_->reload, column);
    layout->addWidget(changeBar_);
    layout->addWidget(takeCentralWidget(), 1);
    findBar_ = new CFindBar(column);
    layout->addWidget(findBar_);
    setCentralWidget(column);
    connect(findBar_, &CFindBar::FindRequested, this, &CMainFrame::FindAgain);
    connect(findBar_, &CFindBar::Closed, this, [this] {
        if (QWidget* pane = panes_->Splitter().GetActivePane())
            pane->setFocus(Qt::OtherFocusReason);
    });
    connect(actions_->copy, &QAction::triggered, this, &CMainFrame::OnCopy);
    connect(actions_->selectAll, &QAction::triggered, this, &CMainFrame::OnSelectAll);
    connect(actions_->find, &QAction::triggered, this, &CMainFrame::OnFind);
    connect(actions_->findNext, &QAction::triggered, this, [this] { FindAgain(true); });
    connect(actions_->findPrevious, &QAction::triggered, this, [this] { FindAgain(false); });

    watcher_ = new CChangeWatcher(this);
    connect(watcher_, &CChangeWatcher::Changed, this, &CMainFrame::OnShownChanged);
    connect(watcher_, &CChangeWatcher::Settled, this, &CMainFrame::OnShownSettled);
    // A new result is what is on disk now.
    // A reload that scanned the folders anew may have found new folders
    // inside them to watch.
    const auto fresh = [this] {
        changeBar_->hide();
        WatchShown();
        watcher_->Forget();
    };
    connect(&doc_, &CDiffDoc::ResultChanged, this, fresh);
    connect(&dirs_, &CDirComparison::ResultChanged, this, fresh);
    connect(actions_->reloadAutomatically, &QAction::triggered, this,
            &CMainFrame::SetReloadAutomatically);

    // A drop is answered once the drag has ended, not inside it: comparing
    // shows modal progress, which must not hold the desktop's drag.
    auto* drops = new CDropTarget(*this);
    connect(drops, &CDropTarget::PathsDropped, this, &CMainFrame::OnPathsDropped,
            Qt::QueuedConnection);
    RebuildRecentMenu();
}

void CMainFrame::LoadWorkSettings()
{
    store_.beginGroup(QLatin1String(CSettingsStore::kSettingsSection));
    reloadAutomatically_ =
        CSettingsStore::ReadExactlyOne(store_, kReloadAutomaticallyKey, reloadAutomatically_);
    store_.endGroup();
    recent_.Load(store_);
}

void CMainFrame::SaveWorkSettings()
{
    store_.beginGroup(QLatin1String(CSettingsStore::kSettingsSection));
    CSettingsStore::WriteBool(store_, kReloadAutomaticallyKey, reloadAutomatically_);
    store_.endGroup();
    recent_.Save(store_);
}

void CMainFrame::SetReloadAutomatically(bool on)
{
    reloadAutomatically_ = on;
    RefreshCommandState();
}

// --- Files that change on disk ----------------------------------------------------

void CMainFrame::WatchShown()
{
    QStringList paths;
    QStringList innerFolders;
    if (dirsShown_) {
        AddWatchable(paths, dirs_.firstList().rootPath);
        AddWatchable(paths, dirs_.secondList().rootPath);
        for (const CDirNodeList* tree : {&dirs_.firstList(), &dirs_.secondList()}) {
            for (const auto& node : tree->Nodes()) {
                if (!node->isFile && innerFolders.size() < CChangeWatcher::kMaxInnerFolders)
                    AddWatchable(innerFolders, tree->FullPath(*node));
            }
        }
    }
    if (fileCount_ >= 1 && doc_.firstBuf())
        AddWatchable(paths, doc_.firstBuf()->path());
    if (fileCount_ == 2 && doc_.secondBuf())
        AddWatchable(paths, doc_.secondBuf()->path());
    watcher_->Watch(paths, innerFolders);
    if (paths.isEmpty())
        changeBar_->hide();
}

void CMainFrame::OnShownChanged()
{
    const QStringList missing = watcher_->Missing();
    if (missing.isEmpty())
        changeBar_->ShowChanged(watcher_->ChangedPaths());
    else
        changeBar_->ShowMissing(missing);
}

void CMainFrame::OnShownSettled()
{
    const QStringList missing = watcher_->Missing();
    if (!missing.isEmpty()) {
        // The result in memory stays; reading again would lose it.
        changeBar_->ShowMissing(missing);
        return;
    }
    if (!reloadAutomatically_) {
        changeBar_->ShowChanged(watcher_->ChangedPaths());
        return;
    }
    // A reload runs its own modal progress; one that would start inside
    // another modal dialog, or inside a running comparison, waits for it.
    if (QApplication::activeModalWidget() || doc_.IsComparing()) {
        watcher_->Postpone();
        return;
    }
    // The user keeps reading where they were: a new result would start at
    // the top.
    std::vector<std::pair<QPointer<CDiffView>, double>> places;
    for (CDiffView* view : {panes_->FindDiffView(0), panes_->FindDiffView(1)}) {
        if (view)
            places.emplace_back(view, view->GetPosition());
    }
    statusBar()->showMessage(tr("Reloaded: the compared files changed on disk"));
    OnReload();
    for (const auto& [view, position] : places) {
        if (view)
            view->SetPosition(position);
    }
}

// --- Drops and recent comparisons -----------------------------------------------------

void CMainFrame::OnPathsDropped(const std::vector<std::string>& paths)
{
    const auto isFolder = [](const std::string& path) { return QFileInfo(PathText(path)).isDir(); };
    if (paths.size() == 1) {
        const bool folders = isFolder(paths[0]);
        const auto second = folders ? seam_.ChooseFolder(tr("Select second (new) directory."))
                                    : seam_.ChooseFile(tr("Select second (new) file"));
        if (second)
            OpenPair(paths[0], *second, folders);
        return;
    }
    if (paths.size() != 2 || isFolder(paths[0]) != isFolder(paths[1])) {
        seam_.ShowMessage(tr("Drop two files or two folders to compare them."));
        return;
    }
    OpenPair(paths[0], paths[1], isFolder(paths[0]));
}

void CMainFrame::OpenPair(const std::string& first, const std::string& second, bool folders)
{
    if (folders) {
        CompareDirectories(first, second);
        return;
    }
    dirsShown_ = false;
    CompareFiles(first, second);
}

void CMainFrame::OpenRecent(std::size_t index)
{
    if (index >= recent_.Pairs().size())
        return;
    // Copied: opening the pair reorders the list.
    const CRecentList::PAIR pair = recent_.Pairs()[index];
    for (const std::string& path : {pair.first, pair.second}) {
        if (!QFileInfo::exists(PathText(path))) {
            seam_.ShowMessage(tr("%1 no longer exists, so this comparison cannot be opened again.")
                                  .arg(PathText(path)));
            return;
        }
    }
    OpenPair(pair.first, pair.second, pair.folders);
}

void CMainFrame::RememberPair(const std::string& first, const std::string& second, bool folders)
{
    // Pipes and standard input cannot be opened again.
    for (const std::string& path : {first, second}) {
        const QFileInfo info(PathText(path));
        if (!(folders ? info.isDir() : info.isFile()))
            return;
    }
    // Stored absolute, so that the pair opens from wherever Varnel starts.
    const auto absolute = [](const std::string& path) {
        return QFile::encodeName(QFileInfo(PathText(path)).absoluteFilePath()).toStdString();
    };
    recent_.Add({absolute(first), absolute(second), folders});
    RebuildRecentMenu();
}

void CMainFrame::RebuildRecentMenu()
{
    QMenu* menu = actions_->recentMenu;
    menu->clear();
    const std::vector<CRecentList::PAIR>& pairs = recent_.Pairs();
    menu->setEnabled(!pairs.empty());
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        const QString first = PathText(pairs[i].first);
        const QString second = PathText(pairs[i].second);
        // The shortened paths tell the pair apart; the whole paths are in the
        // prompt.
        const QString number =
            i + 1 < 10 ? QStringLiteral("&") + QString::number(i + 1) : QStringLiteral("1&0");
        const QString text =
            QStringLiteral("%1 %2 \u2194 %3")
                .arg(number, PathText(CPathNames::ShortenPath(pairs[i].first, pairs[i].second)),
                     PathText(CPathNames::ShortenPath(pairs[i].second, pairs[i].first)));
        QAction* entry = menu->addAction(text, this, [this, i] { OpenRecent(i); });
        entry->setStatusTip(first + QStringLiteral(" \u2194 ") + second);
        entry->setToolTip(entry->statusTip());
    }
    if (pairs.empty())
        return;
    menu->addSeparator();
    menu->addAction(tr("&Clear List"), this, [this] {
        recent_.Clear();
        RebuildRecentMenu();
    });
}

// --- Copy and find ------------------------------------------------------------------------

// The pane that had the focus last, also while the find bar has it.
CDiffView* CMainFrame::ActiveDiffView() const
{
    if (auto* active = dynamic_cast<CDiffView*>(panes_->Splitter().GetActivePane()))
        return active;
    return panes_->GetFirstDiffView();
}

void CMainFrame::OnCopy()
{
    CDiffView* view = ActiveDiffView();
    const QString text = view ? view->SelectedText() : QString();
    if (text.isEmpty()) {
        statusBar()->showMessage(tr("Nothing is selected to copy"));
        return;
    }
    QGuiApplication::clipboard()->setText(text);
}

void CMainFrame::OnSelectAll()
{
    if (CDiffView* view = ActiveDiffView())
        view->SelectAll();
}

void CMainFrame::OnFind()
{
    if (fileCount_ == 0)
        return;
    findBar_->Open();
}

bool CMainFrame::FindAgain(bool forwards)
{
    CDiffView* view = ActiveDiffView();
    const QString needle = findBar_->Text();
    if (!view || doc_.IsComparing() || fileCount_ == 0)
        return false;
    if (needle.isEmpty()) {
        findBar_->Open();
        return false;
    }
    // From the match or the rows selected, else from the reading line, whose
    // own row is searched first.
    const CRowSelection& selection = view->Selection();
    const long long from = !selection.IsEmpty() ? selection.First()
                           : forwards           ? view->ReadingLineRow() - 1
                                                : view->ReadingLineRow() + 1;
    const CRowText rows = view->Rows();
    const CRowSearch::MATCH match =
        CRowSearch::Find(rows, needle, from < 0 ? -1 : from, forwards, findBar_->MatchCase());
    if (!match.Found()) {
        statusBar()->showMessage(tr("\u201c%1\u201d was not found").arg(needle));
        return false;
    }
    // A match inside a fold opens it, as the match is what was asked for.
    view->RevealRows(match.firstRow, match.lastRow);
    view->SelectRows(match.firstRow, match.lastRow);
    view->ShowRowAtReadingLine(match.firstRow);
    if (match.wrapped)
        statusBar()->showMessage(forwards ? tr("Passed the end; found from the start")
                                          : tr("Passed the start; found from the end"));
    else
        statusBar()->clearMessage();
    return true;
}
