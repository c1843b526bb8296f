#pragma once

#include "views/appearance.h"
#include "shell/frame_settings.h"
#include "views/pane_class.h"
#include "views/pane_host.h"

#include <QMainWindow>

#include <string>

class CDiffDoc;
class CDirComparison;
class CFrameActions;
class CFrameSeam;
class CSemiSplitter;
class CDiffView;
class COverView;
class QCheckBox;
class QComboBox;
class QLabel;
class QSettings;
class QToolBar;

// The program's single window: the menu with every command, the dialog bar
// with the view-mode lists, the status bar with the two compared paths, and
// the row of panes, which it arranges for whatever is shown.
class CMainFrame : public QMainWindow, public CPaneHost
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
    void CompareFiles(const std::string& first, const std::string& second) override;
    void ShowSingleFile(const std::string& path) override;
    void CompareDirectories(const std::string& first, const std::string& second);
    // Re-arranges the panes; without force nothing happens when the wanted
    // row is the row already shown.
    void ArrangeViews(bool force);

    CDiffView* FindDiffView(int sideIndex) const;
    CDiffView* GetFirstDiffView() const;
    COverView* GetOverView() const;
    CSemiSplitter& Splitter() const { return *splitter_; }
    CFrameActions& Actions() const { return *actions_; }

    const CAppearance& Appearance() const { return appearance_; }
    const CFrameSettings& ViewSettings() const { return settings_; }
    bool IsTxtComposite() const { return settings_.txtViewMode == 0; }
    bool IsDirComposite() const { return settings_.dirViewMode == 0; }
    int GetDirSort() const override { return settings_.dirSort; }
    bool DirsShown() const { return dirsShown_; }
    int FileCount() const { return fileCount_; }
    const std::string& CurrentDir() const override { return currentDir_; }
    void SetCurrentDir(const std::string& relativePath) override { currentDir_ = relativePath; }

    // What the panes ask of the window.
    void InvalidateOverView() override;
    bool GetDiffViewRange(int sideIndex, double* top, double* bottom) const override;
    void SetDiffViewPosition(int sideIndex, double fraction) override;
    void ClearOtherTreeSelections(const QWidget* keep) override;
    QString FirstPathText() const;
    QString SecondPathText() const;

    // The layout commands; each does nothing when the value is already set.
    void SetTxtViewMode(int mode);
    void SetDirViewType(int type);
    void SetDirViewMode(int mode);
    void SetDirSort(int sort);
    void ToggleOverview();
    void ToggleToolBar();

    // The commands of the File, Edit and Help menus.
    void OnCompareFiles();
    void OnCompareDirectories();
    void OnCloseFiles();
    void OnCloseDirectories();
    void OnReload();
    void OnEditFile(int side);
    void OnProperties();
    void OnCustomize();
    void OnHelp();
    void OnWebsite();
    void OnAbout();
    // Next Difference (F7) and Previous Difference (F8).
    void GoToDifference(bool next);

private:
    void CreateDialogBar();
    void CreateStatusBar();
    void CreateSplitter();
    void ConnectCommands();
    QWidget* CreatePane(PaneClass paneClass);
    void AssignSideIndices();
    void SetPathPanes(const QString& first, const QString& second);
    void RefreshCommandState();
    void SyncDialogBar();
    void SendUpdate(int hint);
    // Sets one of the layout settings and arranges the panes for it; does
    // nothing when the value is already set or is no value at all.
    void SetLayoutSetting(int CFrameSettings::*setting, int value);
    void SaveAll();

    CDiffDoc& doc_;
    CDirComparison& dirs_;
    CFrameSeam& seam_;
    QSettings& store_;
    CAppearance appearance_;
    CFrameSettings settings_;

    CFrameActions* actions_ = nullptr;
    CSemiSplitter* splitter_ = nullptr;
    bool splitterReady_ = false;
    bool dirsShown_ = false;
    int fileCount_ = 0;
    std::string currentDir_;

    QToolBar* dialogBar_ = nullptr;
    QComboBox* dirViewTypeBox_ = nullptr;
    QComboBox* dirViewModeBox_ = nullptr;
    QComboBox* dirSortBox_ = nullptr;
    QComboBox* txtViewModeBox_ = nullptr;
    QCheckBox* overviewBox_ = nullptr;
    QLabel* firstPathPane_ = nullptr;
    QLabel* secondPathPane_ = nullptr;
};
