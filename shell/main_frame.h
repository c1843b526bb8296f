#pragma once

#include "shell/frame_settings.h"
#include "shell/recent_list.h"
#include "views/appearance.h"
#include "views/update_hint.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <string>

class CChangeWatcher;
class CDiffDoc;
class CDialogBar;
class CDirComparison;
class CFrameActions;
class CDiffView;
class CFileChangeBar;
class CFindBar;
class CFrameSeam;
class CDiffView;
class CPaneRow;
class QLabel;
class QSettings;

// The program's single window: the menu with every command, the dialog bar
// with the view-mode lists, the status bar with the two compared paths, and
// the row of panes. It runs the commands and decides what is shown; the pane
// row arranges the panes for it.
class CMainFrame : public QMainWindow
{
    Q_OBJECT

public:
    // The settings are read from store now and written back to it when the
    // window is destroyed; store must outlive the window.
    CMainFrame(CDiffDoc& doc, CDirComparison& dirs, CFrameSeam& seam, QSettings& store,
               QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Shows the window where it was last closed, in the state it had then.
    void ShowWithStoredPlacement();

    // What is compared and shown.
    void CompareFiles(const std::string& first, const std::string& second);
    void ShowSingleFile(const std::string& path);
    void CompareDirectories(const std::string& first, const std::string& second);
    // Shows the command state and the dialog bar for what is shown and
    // re-arranges the panes; without force the panes stay when the wanted
    // row is the row already shown.
    void ArrangeViews(bool force);

    CPaneRow& Panes() const { return *panes_; }
    CDialogBar& DialogBar() const { return *dialogBar_; }
    CFrameActions& Actions() const { return *actions_; }

    const CAppearance& Appearance() const { return appearance_; }
    const CFrameSettings& ViewSettings() const { return settings_; }
    bool IsTxtComposite() const { return settings_.txtViewMode == 0; }
    bool DirsShown() const { return dirsShown_; }
    int FileCount() const { return fileCount_; }
    QString FirstPathText() const;
    QString SecondPathText() const;
    // "Difference 3 of 41" after Next or Previous Difference, else empty.
    QString DifferenceText() const;

    // The layout commands; each does nothing when the value is already set.
    void SetTxtViewMode(int mode);
    void SetDirViewType(int type);
    void SetDirViewMode(int mode);
    void SetDirSort(int sort);
    void SetDirOnlyDifferences(bool on);
    void ToggleOverview();
    void ToggleToolBar();
    // View > Files > Changes Inside Lines, Scroll Together, Line Numbers.
    void ToggleFileViewOption(bool CFrameSettings::*option);

    // The commands of the File, Edit and Help menus.
    void OnCompareFiles();
    void OnCompareDirectories();
    void OnCloseFiles();
    void OnCloseDirectories();
    // File > Save Report...: the comparison shown as an HTML page, the
    // directories when they are shown (their page holds the files too).
    void OnSaveReport();
    void OnReload();
    void OnEditFile(int side);
    void OnProperties();
    void OnCustomize();
    void OnHelp();
    // The manual Help opens; unless set, the one found from the window
    // program's own place (CProgramFiles).
    void SetManualFile(const QString& path) { manualFile_ = path; }
    QString ManualFile() const;
    void OnWebsite();
    void OnAbout();
    // Next Difference (F7) and Previous Difference (F8).
    void GoToDifference(bool next);

    // Files that change on disk: the bar above the panes, and whether a
    // change reloads by itself once the files are quiet.
    CFileChangeBar& ChangeBar() const { return *changeBar_; }
    CChangeWatcher& Watcher() const { return *watcher_; }
    bool ReloadsAutomatically() const { return reloadAutomatically_; }
    void SetReloadAutomatically(bool on);

    // Files or folders dropped on the window, the first dropped the old one;
    // a single one asks for its partner.
    void OnPathsDropped(const std::vector<std::string>& paths);
    // File > Recent Comparisons.
    const CRecentList& Recent() const { return recent_; }
    void OpenRecent(std::size_t index);

    // Edit > Copy, Select All and Find in the active comparison pane.
    CDiffView* ActiveDiffView() const;
    void OnCopy();
    void OnSelectAll();
    void OnFind();
    // Finds the find bar's text from the match shown; false when there is
    // none.
    bool FindAgain(bool forwards);
    CFindBar& FindBar() const { return *findBar_; }

private:
    void CreateDialogBar();
    void CreateStatusBar();
    void CreatePaneRow();
    void ConnectCommands();
    void SetPathPanes(const QString& first, const QString& second);
    void RefreshCommandState();
    void SyncDialogBar();
    void SendUpdate(UpdateHints hints);
    // Sets one of the layout settings and arranges the panes for it; does
    // nothing when the value is already set or is no value at all.
    void SetLayoutSetting(int CFrameSettings::*setting, int value);
    void SaveAll();
    void ShowUnreadable();
    // The bars around the panes and the commands they serve.
    void CreateWorkBars();
    void LoadWorkSettings();
    void SaveWorkSettings();
    // Watches the files or folders shown, as they are shown now.
    void WatchShown();
    void OnShownChanged();
    void OnShownSettled();
    // Remembers a pair the user named, for the recent list.
    void RememberPair(const std::string& first, const std::string& second, bool folders);
    void RebuildRecentMenu();
    void OpenPair(const std::string& first, const std::string& second, bool folders);
    // A dark ground for identical content darkens the whole window to
    // match; any other leaves the desktop's colours.
    void MatchWindowToGround();
    // "a.txt vs b.txt - Varnel" for what is compared, "Varnel" for nothing.
    void UpdateTitle();
    // Runs a change of layout or result and brings the content that stood
    // at the reading line back there, where it still is.
    void KeepingReadingPlace(const std::function<void()>& change);
    // "Difference 3 of 41" in the status bar.
    void ShowDifferenceOrdinal(int index, int count);
    // The count for the difference marked at a pane's reading line, or none.
    void ShowDifferenceAtReadingLine(int sideIndex);

    CDiffDoc& doc_;
    CDirComparison& dirs_;
    CFrameSeam& seam_;
    QSettings& store_;
    CAppearance appearance_;
    CFrameSettings settings_;

    CFrameActions* actions_ = nullptr;
    std::unique_ptr<CPaneRow> panes_;
    bool dirsShown_ = false;
    int fileCount_ = 0;

    CDialogBar* dialogBar_ = nullptr;
    QLabel* firstPathPane_ = nullptr;
    QLabel* secondPathPane_ = nullptr;
    QLabel* differencePane_ = nullptr;
    QString manualFile_;

    CChangeWatcher* watcher_ = nullptr;
    CFileChangeBar* changeBar_ = nullptr;
    bool reloadAutomatically_ = false;
    CRecentList recent_;
    CFindBar* findBar_ = nullptr;
};
