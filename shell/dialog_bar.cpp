#include "shell/dialog_bar.h"

#include "shell/frame_settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSignalBlocker>

CDialogBar::CDialogBar(const CFrameSettings& settings, QWidget* parent)
    : QToolBar(tr("Tool Bar"), parent)
{
    setObjectName(QStringLiteral("dialogBar"));
    setMovable(false);
    dirViewTypeBox_ = AddList({tr("Directory Tree"), tr("Directory List")}, settings.dirViewType);
    dirViewModeBox_ =
        AddList({tr("Composite Directory"), tr("Directories Side by Side")}, settings.dirViewMode);
    dirSortBox_ = AddList({tr("Sort by Name"), tr("Sort by Status")}, settings.dirSort);
    txtViewModeBox_ =
        AddList({tr("Composite File"), tr("Files Side by Side")}, settings.txtViewMode);
    overviewBox_ = new QCheckBox(tr("File Overview"), this);
    overviewBox_->setChecked(settings.txtOverview);
    overviewBox_->setFocusPolicy(Qt::NoFocus);
    addWidget(overviewBox_);

    connect(dirViewTypeBox_, &QComboBox::activated, this, &CDialogBar::DirViewTypeChosen);
    connect(dirViewModeBox_, &QComboBox::activated, this, &CDialogBar::DirViewModeChosen);
    connect(dirSortBox_, &QComboBox::activated, this, &CDialogBar::DirSortChosen);
    connect(txtViewModeBox_, &QComboBox::activated, this, &CDialogBar::TxtViewModeChosen);
    connect(overviewBox_, &QCheckBox::clicked, this, [this] { emit OverviewToggled(); });
}

// The lists never take the focus, so that it stays in the panes.
QComboBox* CDialogBar::AddList(const QStringList& items, int current)
{
    auto* box = new QComboBox(this);
    box->addItems(items);
    box->setCurrentIndex(current);
    box->setFocusPolicy(Qt::NoFocus);
    addWidget(box);
    return box;
}

void CDialogBar::Sync(const CFrameSettings& settings, bool dirsShown, int fileCount)
{
    for (QComboBox* box : {dirViewTypeBox_, dirViewModeBox_, dirSortBox_})
        box->setEnabled(dirsShown);
    txtViewModeBox_->setEnabled(fileCount > 1);
    overviewBox_->setEnabled(fileCount > 1);
    const QSignalBlocker b1(dirViewTypeBox_), b2(dirViewModeBox_), b3(dirSortBox_),
        b4(txtViewModeBox_), b5(overviewBox_);
    dirViewTypeBox_->setCurrentIndex(settings.dirViewType);
    dirViewModeBox_->setCurrentIndex(settings.dirViewMode);
    dirSortBox_->setCurrentIndex(settings.dirSort);
    txtViewModeBox_->setCurrentIndex(settings.txtViewMode);
    overviewBox_->setChecked(settings.txtOverview);
}
