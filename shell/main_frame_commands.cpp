// The main window's commands: what is compared and shown, the Edit and Help
// menus, and the Properties and Customize dialogs.
#include "document/path_text.h"
#include "shell/main_frame.h"

#include "dialogs/about_dlg.h"
#include "dialogs/customize_dlg.h"
#include "dialogs/properties_decision.h"
#include "dialogs/property_dlg.h"
#include "directory/dir_comparison.h"
#include "directory/paths_overlap.h"
#include "document/diff_doc.h"
#include "document/path_names.h"
#include "engine/diff_buf.h"
#include "engine/diff_navigation.h"
#include "report/html_report_file.h"
#include "report/program_files.h"
#include "shell/frame_actions.h"
#include "shell/frame_seam.h"
#include "shell/pane_row.h"
#include "views/diff_view.h"
#include "views/difference_count.h"
#include "views/scroll_link.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QStatusBar>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// A message box lists at most this many unreadable entries; a whole tree
// that cannot be read would not fit on the screen.
constexpr std::size_t kUnreadableListed = 20;

// The installed font families that scale smoothly, for the Customize dialog.
QStringList ScalableFontFamilies()
{
    QStringList families;
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::isSmoothlyScalable(family))
            families.append(family);
    }
    return families;
}

} // namespace

void CMainFrame::ConnectCommands()
{
    CFrameActions& a = *actions_;
    connect(a.compareFiles, &QAction::triggered, this, &CMainFrame::OnCompareFiles);
    connect(a.closeFiles, &QAction::triggered, this, &CMainFrame::OnCloseFiles);
    connect(a.compareDirectories, &QAction::triggered, this, &CMainFrame::OnCompareDirectories);
    connect(a.closeDirectories, &QAction::triggered, this, &CMainFrame::OnCloseDirectories);
    connect(a.saveReport, &QAction::triggered, this, &CMainFrame::OnSaveReport);
    connect(a.exit, &QAction::triggered, this, &QWidget::close);
    connect(a.editFirstFile, &QAction::triggered, this, [this] { OnEditFile(0); });
    connect(a.editSecondFile, &QAction::triggered, this, [this] { OnEditFile(1); });
    connect(a.reload, &QAction::triggered, this, &CMainFrame::OnReload);
    connect(a.properties, &QAction::triggered, this, &CMainFrame::OnProperties);
    connect(a.customize, &QAction::triggered, this, &CMainFrame::OnCustomize);
    connect(a.statusBar, &QAction::triggered, this, [this](bool shown) {
        statusBar()->setVisible(shown);
        RefreshCommandState();
    });
    connect(a.toolBar, &QAction::triggered, this, [this] { ToggleToolBar(); });
    connect(a.filesComposite, &QAction::triggered, this, [this] { SetTxtViewMode(0); });
    connect(a.filesSideBySide, &QAction::triggered, this, [this] { SetTxtViewMode(1); });
    connect(a.overview, &QAction::triggered, this, [this] { ToggleOverview(); });
    connect(a.lineChanges, &QAction::triggered, this,
            [this] { ToggleFileViewOption(&CFrameSettings::lineChanges); });
    connect(a.scrollTogether, &QAction::triggered, this,
            [this] { ToggleFileViewOption(&CFrameSettings::scrollTogether); });
    connect(a.lineNumbers, &QAction::triggered, this,
            [this] { ToggleFileViewOption(&CFrameSettings::lineNumbers); });
    connect(a.onlyDifferences, &QAction::triggered, this,
            [this] { ToggleFileViewOption(&CFrameSettings::onlyDifferences); });
    connect(a.dirTree, &QAction::triggered, this, [this] { SetDirViewType(0); });
    connect(a.dirList, &QAction::triggered, this, [this] { SetDirViewType(1); });
    connect(a.dirComposite, &QAction::triggered, this, [this] { SetDirViewMode(0); });
    connect(a.dirSideBySide, &QAction::triggered, this, [this] { SetDirViewMode(1); });
    connect(a.sortByName, &QAction::triggered, this, [this] { SetDirSort(0); });
    connect(a.sortByStatus, &QAction::triggered, this, [this] { SetDirSort(1); });
    connect(a.dirOnlyDifferences, &QAction::triggered, this, &CMainFrame::SetDirOnlyDifferences);
    connect(a.help, &QAction::triggered, this, &CMainFrame::OnHelp);
    connect(a.website, &QAction::triggered, this, &CMainFrame::OnWebsite);
    connect(a.about, &QAction::triggered, this, &CMainFrame::OnAbout);
    connect(a.nextDifference, &QAction::triggered, this, [this] { GoToDifference(true); });
    connect(a.previousDifference, &QAction::triggered, this, [this] { GoToDifference(false); });
}

// --- Difference navigation ------------------------------------------------------

void CMainFrame::GoToDifference(bool next)
{
    // While a comparison runs its worker owns the blocks; a result of one
    // block (identical files, or a file shown alone) has nowhere to go.
    if (doc_.IsComparing() || doc_.allList().GetCount() <= 1)
        return;
    if (IsTxtComposite()) {
        CDiffView* view = panes_->GetFirstDiffView();
        const CBlockList& all = doc_.allList();
        const long long total = all.total();
        if (!view || total <= 0)
            return;
        const long long p = CDiffView::RoundHalfUp(view->GetPosition() * total);
        const long long target = next ? CDiffNavigation::NextInComposite(all, p)
                                      : CDiffNavigation::PreviousInComposite(all, p);
        view->SetPosition(static_cast<double>(target) / total);
        view->MarkDifferenceAt(target);
        const CDifferenceCount::ORDINAL ordinal = CDifferenceCount::InComposite(all, target);
        ShowDifferenceOrdinal(ordinal.index, ordinal.count);
        return;
    }
    // Each side jumps within its own file; panes that scroll together jump
    // in the first file, and the second follows it there.
    const bool together = panes_->ScrollLink().IsLinked();
    for (int side = 0; side < (together ? 1 : 2); ++side) {
        const CDiffBuf* buffer = side == 0 ? doc_.firstBuf() : doc_.secondBuf();
        const CBlockList& list = side == 0 ? doc_.firstList() : doc_.secondList();
        CDiffView* view = panes_->FindDiffView(side);
        if (!buffer || list.IsEmpty() || !view || buffer->GetCount() <= 0)
            continue;
        const long long count = buffer->GetCount();
        const long long p = CDiffView::RoundHalfUp(view->GetPosition() * count);
        const long long target = next ? CDiffNavigation::NextInSide(list, count, p)
                                      : CDiffNavigation::PreviousInSide(list, p);
        view->SetPosition(static_cast<double>(target) / count);
        view->MarkDifferenceAt(target);
        if (side == 0) {
            const CDifferenceCount::ORDINAL ordinal = CDifferenceCount::InSide(list, count, target);
            ShowDifferenceOrdinal(ordinal.index, ordinal.count);
        }
    }
    if (CDiffView* second = panes_->FindDiffView(1); together && second)
        second->MarkDifferenceAt(CDiffView::RoundHalfUp(second->ReadingRow()));
}

// A click in the overview marks the difference it brought to the reading
// line, if there is one; the count follows it as it follows F7 and F8.
void CMainFrame::ShowDifferenceAtReadingLine(int sideIndex)
{
    CDiffView* view = panes_->FindDiffView(IsTxtComposite() ? 0 : sideIndex);
    if (!view || doc_.IsComparing() || !view->HasDifferenceMark()) {
        ShowDifferenceOrdinal(0, 0);
        return;
    }
    if (IsTxtComposite()) {
        const CBlockList& all = doc_.allList();
        const long long p = CDiffView::RoundHalfUp(view->GetPosition() * all.total());
        const CDifferenceCount::ORDINAL ordinal = CDifferenceCount::InComposite(all, p);
        ShowDifferenceOrdinal(ordinal.index, ordinal.count);
        return;
    }
    const CDiffBuf* buffer = sideIndex == 0 ? doc_.firstBuf() : doc_.secondBuf();
    const CBlockList& list = sideIndex == 0 ? doc_.firstList() : doc_.secondList();
    if (!buffer || buffer->GetCount() <= 0) {
        ShowDifferenceOrdinal(0, 0);
        return;
    }
    const long long count = buffer->GetCount();
    const long long p = CDiffView::RoundHalfUp(view->GetPosition() * count);
    const CDifferenceCount::ORDINAL ordinal = CDifferenceCount::InSide(list, count, p);
    ShowDifferenceOrdinal(ordinal.index, ordinal.count);
}

void CMainFrame::ShowDifferenceOrdinal(int index, int count)
{
    differencePane_->setText(
        count > 0 ? tr("Difference %1 of %2").arg(std::max(index, 1)).arg(count) : QString());
    differencePane_->setVisible(count > 0);
}

// --- What is compared ---------------------------------------------------------

void CMainFrame::OnCompareFiles()
{
    const auto first = seam_.ChooseFile(tr("Select first (old) file"));
    if (!first)
        return;
    const auto second = seam_.ChooseFile(tr("Select second (new) file"));
    if (!second)
        return;
    dirsShown_ = false;
    CompareFiles(*first, *second);
}

void CMainFrame::CompareFiles(const std::string& first, const std::string& second)
{
    if (first == second) {
        seam_.ShowMessage(tr("Cannot compare file with itself!"));
        return;
    }
    if (!doc_.RunFileComparison(first, second)) {
        SetPathPanes(QString(), QString());
        RefreshCommandState();
        return;
    }
    fileCount_ = 2;
    // A pair opened from the folders shown is not one the user named.
    if (!dirsShown_)
        RememberPair(first, second, false);
    SetPathPanes(PathText(CPathNames::ShortenPath(first, second)),
                 PathText(CPathNames::ShortenPath(second, first)));
    ArrangeViews(false);
}

void CMainFrame::ShowSingleFile(const std::string& path)
{
    if (!doc_.OpenSingleFile(path)) {
        SetPathPanes(QString(), QString());
        return;
    }
    fileCount_ = 1;
    SetPathPanes(QString(), PathText(path));
    ArrangeViews(false);
}

void CMainFrame::OnCompareDirectories()
{
    const auto first = seam_.ChooseFolder(tr("Select first (old) directory."));
    if (!first)
        return;
    const auto second = seam_.ChooseFolder(tr("Select second (new) directory."));
    if (!second)
        return;
    CompareDirectories(*first, *second);
}

void CMainFrame::CompareDirectories(const std::string& first, const std::string& second)
{
    if (DirectoriesOverlap(first, second)) {
        seam_.ShowError(tr("Overlapping directories cannot be compared!"));
        return;
    }
    dirs_.SetOptions(doc_.settings);
    if (!dirs_.RunDirComparison(first, second)) {
        seam_.ShowError(tr("Failed to compare directories!"));
        return;
    }
    dirsShown_ = true;
    fileCount_ = 0;
    RememberPair(first, second, true);
    SetPathPanes(QString(), QString());
    ArrangeViews(false);
    ShowUnreadable();
}

// Whatever could not be read is said once, after the result is shown, in one
// message: the trees it belongs to are never shown as identical, and the user
// learns why.
void CMainFrame::ShowUnreadable()
{
    const std::vector<CDirComparison::UNREADABLE> unreadable = dirs_.Unreadable();
    if (unreadable.empty())
        return;
    QString text = tr("These entries could not be read:");
    const std::size_t shown = std::min(unreadable.size(), kUnreadableListed);
    for (std::size_t i = 0; i < shown; ++i) {
        text += QLatin1Char('\n') + PathText(unreadable[i].path) + QStringLiteral(" (") +
                QString::fromLocal8Bit(std::strerror(unreadable[i].error)) + QLatin1Char(')');
    }
    if (unreadable.size() > shown)
        text += QLatin1Char('\n') + tr("and %1 more").arg(unreadable.size() - shown);
    seam_.ShowError(text);
}

void CMainFrame::OnReload()
{
    // The paths are copied: a new result replaces the trees and the buffers
    // that hold them.
    bool reloaded = true;
    if (dirsShown_) {
        const std::string first = dirs_.firstList().rootPath;
        const std::string second = dirs_.secondList().rootPath;
        dirs_.SetOptions(doc_.settings);
        reloaded = dirs_.RunDirComparison(first, second);
        if (reloaded)
            ShowUnreadable();
    }
    KeepingReadingPlace([this, &reloaded] {
        if (reloaded && fileCount_ == 1) {
            const std::string path = doc_.firstBuf()->path();
            reloaded = doc_.OpenSingleFile(path);
        } else if (reloaded && fileCount_ == 2) {
            reloaded = doc_.ReloadFiles();
        }
    });
    if (reloaded)
        return;
    dirsShown_ = false;
    fileCount_ = 0;
    SetPathPanes(QString(), QString());
    ArrangeViews(false);
}

void CMainFrame::OnCloseFiles()
{
    if (fileCount_ == 0)
        return;
    doc_.ClearFiles();
    fileCount_ = 0;
    SetPathPanes(QString(), QString());
    ArrangeViews(true);
}

void CMainFrame::OnCloseDirectories()
{
    if (!dirsShown_)
        return;
    dirs_.ClearDirs();
    dirsShown_ = false;
    ArrangeViews(true);
}

// The desktop opens a file with its default application; when it cannot,
// nothing tells why, so a file that is gone is told apart from one that no
// application takes.
void CMainFrame::OnSaveReport()
{
    if (!dirsShown_ && fileCount_ != 2)
        return;
    const std::optional<std::string> path = seam_.ChoosePageToSave(tr("Save Report"));
    if (!path)
        return;
    const std::string failure =
        dirsShown_ ? CHtmlReportFile::SaveDirectories(*path, dirs_.firstList(), dirs_.secondList(),
                                                      appearance_, doc_.settings,
                                                      !IsTxtComposite())
                   : CHtmlReportFile::SaveFiles(*path, doc_, appearance_, !IsTxtComposite());
    if (!failure.empty())
        seam_.ShowError(tr("Failed to save the report!") + QStringLiteral("\n") +
                        PathText(*path) + QStringLiteral(": ") + QString::fromStdString(failure));
}

void CMainFrame::OnEditFile(int side)
{
    const CDiffBuf* buf = side == 0 ? doc_.firstBuf() : doc_.secondBuf();
    if (!buf)
        return;
    const QString path = PathText(buf->path());
    if (!QFileInfo::exists(path)) {
        seam_.ShowMessage(tr("Failed to launch editor!"));
        return;
    }
    if (!seam_.OpenUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath())))
        seam_.ShowMessage(tr("There is no editor defined for this type of file!"));
}

// --- Settings dialogs -----------------------------------------------------------

void CMainFrame::OnProperties()
{
    const DisplayValues oldDisplay{appearance_.tabSize, appearance_.bytesPerRow,
                                   appearance_.showIndex, appearance_.showAscii};
    CPropertyDlg dialog(this);
    dialog.comparison = doc_.settings;
    dialog.display = oldDisplay;
    if (dialog.exec() != QDialog::Accepted)
        return;

    const bool binary = doc_.firstBuf() && doc_.firstBuf()->type() == CDiffBuf::Binary;
    const bool loaded = doc_.firstBuf() || doc_.secondBuf();
    const CPropertiesDecision::Outcome outcome = CPropertiesDecision::Decide(
        doc_.settings, dialog.comparison, oldDisplay, dialog.display, binary, loaded);
    const bool compareDirectoriesAgain =
        dirsShown_ && CPropertiesDecision::DirectoryOptionsChanged(doc_.settings, dialog.comparison);
    appearance_.showIndex = dialog.display.showIndex;
    appearance_.showAscii = dialog.display.showAscii;
    appearance_.bytesPerRow = dialog.display.bytesPerRow;
    appearance_.tabSize = dialog.display.tabSize;
    doc_.settings = dialog.comparison;

    if (outcome == CPropertiesDecision::Outcome::Recompare)
        KeepingReadingPlace([this] { doc_.Recompare(); });
    else if (outcome == CPropertiesDecision::Outcome::Redraw)
        SendUpdate(UpdateHint::AppearanceChanged);
    // A new filter or pairing of names needs the trees scanned again, as a
    // new block size needs the files compared again.
    // The paths are copied: the new result replaces the trees that hold them.
    if (compareDirectoriesAgain) {
        const std::string first = dirs_.firstList().rootPath;
        const std::string second = dirs_.secondList().rootPath;
        CompareDirectories(first, second);
    }
}

void CMainFrame::OnCustomize()
{
    CCustomizeDlg dialog(appearance_, ScalableFontFamilies(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    MatchWindowToGround();
    SendUpdate(dialog.Hint());
}

// --- Help ---------------------------------------------------------------------

QString CMainFrame::ManualFile() const
{
    if (!manualFile_.isEmpty())
        return manualFile_;
    const std::string folder =
        QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
    return PathText(CProgramFiles::Manual(folder));
}

// The desktop opens the manual in the user's browser. Where that cannot
// happen the user is told, with the manual's place, so that they can open it
// themselves.
void CMainFrame::OnHelp()
{
    const QString manual = ManualFile();
    if (!QFileInfo::exists(manual)) {
        seam_.ShowMessage(tr("The manual cannot be found; it belongs at %1").arg(manual));
        return;
    }
    if (!seam_.OpenUrl(QUrl::fromLocalFile(manual)))
        seam_.ShowMessage(
            tr("Cannot open the manual: no web browser or desktop launcher was found.\n"
               "The manual is at %1")
                .arg(manual));
}

void CMainFrame::OnWebsite()
{
    seam_.OpenUrl(QUrl(QStringLiteral(VARNEL_HOME_PAGE)));
}

void CMainFrame::OnAbout()
{
    CAboutDlg dialog(QStringLiteral(VARNEL_VERSION_TEXT), this);
    connect(&dialog, &CAboutDlg::OpenWebsite, this, &CMainFrame::OnWebsite);
    dialog.exec();
}
