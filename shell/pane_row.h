#pragma once

#include "views/pane_class.h"
#include "views/pane_host.h"
#include "views/update_hint.h"

#include <QObject>

#include <functional>
#include <string>

class CAppearance;
class CDiffDoc;
class CDiffView;
class CDirComparison;
class CFrameSettings;
class COverView;
class CScrollLink;
class CSemiSplitter;
class QMainWindow;
class QWidget;

// The row of panes that fills the main window: it makes the panes, arranges
// them for what is shown and the layout settings, and answers what the panes
// ask of the window. Every pane hears the row's one update signal; a new file
// or directory result reaches the panes through it, as does every change of
// the window's appearance or sort order. The files a directory pane opens go
// back to the window, which decides what is shown.
class CPaneRow : public QObject, public CPaneHost
{
    Q_OBJECT

public:
    // The row becomes the window's central widget and shows the start view.
    // The appearance and the settings belong to the window and are read
    // whenever the panes are made, arranged or updated.
    CPaneRow(QMainWindow& window, CDiffDoc& doc, CDirComparison& dirs,
             const CAppearance& appearance, const CFrameSettings& settings);
    ~CPaneRow() override;

    // False when not even the start view could be made; such a row is never
    // arranged.
    bool IsReady() const { return ready_; }
    // Re-arranges the panes for what is shown; without force nothing happens
    // when the wanted row is the row already shown.
    void Arrange(bool dirsShown, int fileCount, bool force);
    // Tells every pane what changed.
    void SendUpdate(UpdateHints hints);
    // Gives the comparison panes the View > Files choices of the settings
    // (marks inside lines, line numbers, scrolling together) and redraws.
    void ApplyFileViewOptions();
    const CScrollLink& ScrollLink() const { return *scrollLink_; }

    CSemiSplitter& Splitter() const { return *splitter_; }
    CDiffView* FindDiffView(int sideIndex) const;
    CDiffView* GetFirstDiffView() const;
    COverView* GetOverView() const;

    // What the panes ask of the window.
    void InvalidateOverView() override;
    bool GetDiffViewRange(int sideIndex, double* top, double* bottom) const override;
    void SetDiffViewPosition(int sideIndex, double fraction) override;
    int GetDirSort() const override;
    const std::string& CurrentDir() const override { return currentDir_; }
    void SetCurrentDir(const std::string& relativePath) override { currentDir_ = relativePath; }
    void CompareFiles(const std::string& first, const std::string& second) override;
    void ShowSingleFile(const std::string& path) override;
    void ClearOtherTreeSelections(const QWidget* keep) override;
    void FollowListSelection(const QWidget* from, const CDirNode* node) override;

    // Tells each pane its side and the layout settings it draws by.
    void AssignSideIndices();

signals:
    void UpdateAllPanes(UpdateHints hints);
    // A directory pane chose a modified file (a pair) or any other file.
    void FilesChosen(const std::string& first, const std::string& second);
    void SingleFileChosen(const std::string& path);
    // A click in the overview brought a place of that side to the reading
    // line, and marked the difference there, if one stands there.
    void ReadingPlaceChosen(int sideIndex);

private:
    QWidget* CreatePane(PaneClass paneClass);
    // The first pane of the row of that class for which wanted holds (any
    // such pane without wanted), or none.
    template<class Pane> Pane* FirstPane(const std::function<bool(const Pane&)>& wanted = {}) const;
    // Joins the two side-by-side panes when they scroll together.
    void LinkScrolling();

    CDiffDoc& doc_;
    CDirComparison& dirs_;
    const CAppearance& appearance_;
    const CFrameSettings& settings_;
    CSemiSplitter* splitter_ = nullptr;
    CScrollLink* scrollLink_ = nullptr;
    bool ready_ = false;
    std::string currentDir_;
};
