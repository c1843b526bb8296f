#pragma once

#include <QList>
#include <QObject>

class QAction;
class QMainWindow;
class QMenu;
class QMenuBar;

// The main window's commands: every menu item with its text, mnemonic, keys
// and status prompt, in the menus and submenus the window shows.
class CFrameActions : public QObject
{
    Q_OBJECT

public:
    explicit CFrameActions(QMainWindow& window);

    // File
    QAction* compareFiles;
    QAction* closeFiles;
    QAction* compareDirectories;
    QAction* closeDirectories;
    QAction* saveReport;
    QAction* exit;
    // Filled by the window with the pairs compared last.
    QMenu* recentMenu = nullptr;
    // Edit
    QAction* copy;
    QAction* selectAll;
    QAction* find;
    QAction* findNext;
    QAction* findPrevious;
    QAction* editFirstFile;
    QAction* editSecondFile;
    QAction* reload;
    QAction* properties;
    QAction* customize;
    // View
    QAction* statusBar;
    QAction* toolBar;
    QAction* filesComposite;
    QAction* filesSideBySide;
    QAction* overview;
    QAction* reloadAutomatically;
    QAction* lineChanges;
    QAction* scrollTogether;
    QAction* onlyDifferences;
    QAction* lineNumbers;
    QAction* dirTree;
    QAction* dirList;
    QAction* dirComposite;
    QAction* dirSideBySide;
    QAction* sortByName;
    QAction* sortByStatus;
    QAction* dirOnlyDifferences;
    QAction* nextDifference;
    QAction* previousDifference;
    // Help
    QAction* help;
    QAction* website;
    QAction* about;

    // Every command, for tests and for the state refresh.
    const QList<QAction*>& All() const { return all_; }

private:
    QAction* Make(const QString& text, const QString& prompt, QList<QKeySequence> keys = {});
    void BuildMenus(QMenuBar& bar);

    QMainWindow& window_;
    QList<QAction*> all_;
};
