#pragma once

#include <QToolBar>

class CFrameSettings;
class QCheckBox;
class QComboBox;

// The bar under the menu with the view-mode lists: directory tree or list,
// composite or side by side, the sort order, the file layout and the overview
// check box. It shows the window's settings and tells what the user chose;
// the window decides what follows.
class CDialogBar : public QToolBar
{
    Q_OBJECT

public:
    explicit CDialogBar(const CFrameSettings& settings, QWidget* parent = nullptr);

    // Shows the settings without reporting them as choices. The directory
    // lists work while directories are shown, the file lists while two files
    // are.
    void Sync(const CFrameSettings& settings, bool dirsShown, int fileCount);

signals:
    void DirViewTypeChosen(int type);
    void DirViewModeChosen(int mode);
    void DirSortChosen(int sort);
    void TxtViewModeChosen(int mode);
    void OverviewToggled();

private:
    QComboBox* AddList(const QStringList& items, int current);

    QComboBox* dirViewTypeBox_ = nullptr;
    QComboBox* dirViewModeBox_ = nullptr;
    QComboBox* dirSortBox_ = nullptr;
    QComboBox* txtViewModeBox_ = nullptr;
    QCheckBox* overviewBox_ = nullptr;
};
