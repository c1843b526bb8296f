#include "shell/frame_actions.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

CFrameActions::CFrameActions(QMainWindow& window) : QObject(&window), window_(window)
{
    compareFiles = Make(tr("Compare &Files..."), tr("Compare two files"),
                        {QKeySequence(Qt::CTRL | Qt::Key_O)});
    closeFiles =
        Make(tr("&Close Files"), tr("Close the current files"), {QKeySequence(Qt::Key_Escape)});
    compareDirectories = Make(tr("Compare &Directories..."), tr("Compare two directories"),
                              {QKeySequence(Qt::CTRL | Qt::Key_D)});
    closeDirectories = Make(tr("Cl&ose Directories"), tr("Close the current directories"));
    saveReport = Make(tr("Save &Report..."), tr("Save the comparison shown as a web page"),
                      {QKeySequence(Qt::CTRL | Qt::Key_S)});
    exit = Make(tr("E&xit"), QString(), {QKeySequence(Qt::CTRL | Qt::Key_Q)});

    copy = Make(tr("&Copy"), tr("Copy the selected rows of the active pane"),
                {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    selectAll = Make(tr("Select &All"), tr("Select every row of the active pane"),
                     {QKeySequence(Qt::CTRL | Qt::Key_A)});
    find = Make(tr("&Find..."), tr("Find text in the active pane"),
                {QKeySequence(Qt::CTRL | Qt::Key_F)});
    findNext =
        Make(tr("Find &Next"), tr("Find the next match"), {QKeySequence(Qt::CTRL | Qt::Key_G)});
    findPrevious = Make(tr("Find Pre&vious"), tr("Find the match before"),
                        {QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_G)});
    editFirstFile = Make(tr("Edit &First File"), tr("Open the first file in the default editor."),
                         {QKeySequence(Qt::Key_F9)});
    editSecondFile =
        Make(tr("Edit &Second File"), tr("Open the second file in the default editor."),
             {QKeySequence(Qt::Key_F10)});
    reload = Make(tr("&Reload"), tr("Re-load files or directories"), {QKeySequence(Qt::Key_F5)});
    properties = Make(tr("Pr&operties..."), tr("Edit Application Properties"));
    customize = Make(tr("C&ustomize..."), tr("Customize the visual appearance."));

    statusBar = Make(tr("&Status Bar"), QString());
    toolBar = Make(tr("&Tool Bar"), tr("Show or hide the tool bar"));
    filesComposite =
        Make(tr("&Composite"), tr("Display a composite of both files"), {QKeySequence(Qt::Key_F3)});
    filesSideBySide = Make(tr("&Side by Side"), tr("Display both files side by side"),
                           {QKeySequence(Qt::Key_F4)});
    overview = Make(tr("&Overview"), tr("Display file overview"), {QKeySequence(Qt::Key_F2)});
    reloadAutomatically = Make(tr("Reload &Automatically"),
                               tr("Reload the compared files as soon as they change on disk"));
    lineChanges = Make(tr("Changes &Inside Lines"),
                       tr("Mark the changed characters of changed lines"));
    scrollTogether = Make(tr("Scroll &Together"), tr("Scroll both files side by side together"));
    lineNumbers = Make(tr("&Line Numbers"), tr("Display line numbers"));
    onlyDifferences = Make(tr("Only &Differences"),
                           tr("Fold long runs of identical lines into one line that opens"));
    dirTree = Make(tr("&Tree"), tr("Display directories as trees."));
    dirList = Make(tr("&List"), tr("Display directories as lists"));
    dirComposite = Make(tr("&Composite"), tr("Display a composite directory"));
    dirSideBySide = Make(tr("&Side by Side"), tr("Display directories side by side"));
    sortByName = Make(tr("Sort by &Name"), tr("Sort directories by name"));
    sortByStatus = Make(tr("Sort by Stat&us"), tr("Sort directories by status"));
    dirOnlyDifferences = Make(tr("Only &Differences"),
                              tr("Show only the files and folders that differ"));
    nextDifference =
        Make(tr("&Next Difference"), tr("Scroll to next difference"), {QKeySequence(Qt::Key_F7)});
    previousDifference = Make(tr("&Previous Difference"), tr("Scroll to previous difference"),
                              {QKeySequence(Qt::Key_F8)});

    help = Make(tr("&Help"), tr("Display the operation manual."), {QKeySequence(Qt::Key_F1)});
    website =
        Make(tr("Go to website"), tr("Open the Varnel web site using the default web browser."));
    about = Make(tr("&About Varnel"), tr("Display version number and license."));

    for (QAction* check : {statusBar, toolBar, overview, lineChanges, scrollTogether, lineNumbers,
                           onlyDifferences, reloadAutomatically, dirOnlyDifferences})
        check->setCheckable(true);
    // Radio marks: one of each pair is on.
    const auto radio = [this](QList<QAction*> actions) {
        auto* group = new QActionGroup(this);
        for (QAction* a : actions) {
            a->setCheckable(true);
            group->addAction(a);
        }
    };
    radio({filesComposite, filesSideBySide});
    radio({dirTree, dirList});
    radio({dirComposite, dirSideBySide});
    radio({sortByName, sortByStatus});

    BuildMenus(*window.menuBar());
}

QAction* CFrameActions::Make(const QString& text, const QString& prompt, QList<QKeySequence> keys)
{
    auto* action = new QAction(text, &window_);
    action->setStatusTip(prompt);
    action->setShortcuts(keys);
    // The keys work wherever the focus is in the window, and a disabled
    // command ignores them, because QAction does not trigger when disabled.
    action->setShortcutContext(Qt::WindowShortcut);
    window_.addAction(action);
    all_.append(action);
    return action;
}

void CFrameActions::BuildMenus(QMenuBar& bar)
{
    QMenu* file = bar.addMenu(tr("&File"));
    file->addAction(compareFiles);
    file->addAction(closeFiles);
    file->addSeparator();
    file->addAction(compareDirectories);
    file->addAction(closeDirectories);
    file->addSeparator();
    file->addAction(saveReport);
    file->addSeparator();
    recentMenu = file->addMenu(tr("&Recent Comparisons"));
    file->addSeparator();
    file->addAction(exit);

    QMenu* edit = bar.addMenu(tr("&Edit"));
    edit->addAction(copy);
    edit->addAction(selectAll);
    edit->addSeparator();
    edit->addAction(find);
    edit->addAction(findNext);
    edit->addAction(findPrevious);
    edit->addSeparator();
    edit->addAction(editFirstFile);
    edit->addAction(editSecondFile);
    edit->addSeparator();
    edit->addAction(reload);
    edit->addAction(properties);
    edit->addAction(customize);

    QMenu* view = bar.addMenu(tr("&View"));
    view->addAction(statusBar);
    view->addAction(toolBar);
    view->addSeparator();
    QMenu* files = view->addMenu(tr("&Files"));
    files->addAction(filesComposite);
    files->addAction(filesSideBySide);
    files->addSeparator();
    files->addAction(overview);
    files->addSeparator();
    files->addAction(lineChanges);
    files->addAction(scrollTogether);
    files->addAction(lineNumbers);
    files->addAction(onlyDifferences);
    QMenu* directories = view->addMenu(tr("&Directories"));
    directories->addAction(dirTree);
    directories->addAction(dirList);
    directories->addSeparator();
    directories->addAction(dirComposite);
    directories->addAction(dirSideBySide);
    directories->addSeparator();
    directories->addAction(sortByName);
    directories->addAction(sortByStatus);
    directories->addSeparator();
    directories->addAction(dirOnlyDifferences);
    view->addSeparator();
    view->addAction(reloadAutomatically);
    view->addSeparator();
    view->addAction(nextDifference);
    view->addAction(previousDifference);

    QMenu* helpMenu = bar.addMenu(tr("&Help"));
    helpMenu->addAction(help);
    helpMenu->addAction(website);
    helpMenu->addSeparator();
    helpMenu->addAction(about);
}
