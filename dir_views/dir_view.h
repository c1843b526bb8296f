#pragma once

#include "dir_views/dir_pane.h"
#include "dir_views/status_icons.h"
#include "directory/dir_composite.h"
#include "directory/dir_node.h"

#include <QSet>
#include <QString>

#include <unordered_map>

// A directory comparison as a tree of its files and folders: the tree of its
// side, or both trees merged under a root that names both folders, where a
// paired entry shows once and what only the second tree holds joins the first
// tree's folder. A new tree opens the folders on the way to its first
// difference. Every item carries the icon of its status. Choosing a file, with the
// mouse or the keyboard, opens it: a modified file as a pair, own side first,
// any other file alone.
class CDirView : public CDirPane
{
    Q_OBJECT

public:
    using BMP_MAP = CStatusIcons::BMP_MAP;

    CDirView(CDirComparison& dirs, const CAppearance& appearance, CPaneHost& host,
             QWidget* parent = nullptr);

    int FolderImage(DirNodeStatus status) const;
    int FileImage(DirNodeStatus status) const;
    const CStatusIcons& icons() const { return icons_; }

public slots:
    // Bit 1 (new result) or 2 (icon colours) rebuilds the tree; these and
    // bit 4 (sort order) sort the top level and select the file chosen last
    // again, without opening it. Other bits are ignored.
    void OnUpdate(UpdateHints hints) override;

private:
    void Rebuild();
    static QString ItemPath(const QTreeWidgetItem* item);
    QSet<QString> OpenFolderPaths();
    // Whether any of the folders was found, and opened.
    bool Reopen(const QSet<QString>& folderPaths);
    QTreeWidgetItem* AddRoot(const QString& text);
    QString BothRootsText() const;
    void OpenPathToFirstDifference(QTreeWidgetItem* root);
    QTreeWidgetItem* FirstDifferentChild(QTreeWidgetItem* folder);
    // The item made for each node so far, for finding an entry's folder.
    using ItemMap = std::unordered_map<const CDirNode*, QTreeWidgetItem*>;
    void AddEntry(const CDirComposite::ENTRY& entry, QTreeWidgetItem* root, ItemMap& items);
    void FillSide(QTreeWidgetItem* root);
    void FillComposite(QTreeWidgetItem* root);
    void SortChildren(QTreeWidgetItem* item);
    void ReselectCurrentDir();
    QTreeWidgetItem* FindItem(const CDirNode* node);
    void OpenSelectedEntry();

    CStatusIcons icons_{CStatusIcons::Glyphs::FoldersAndPages};
    // Selections made while the tree is rebuilt or re-sorted open nothing.
    bool updating_ = false;
};
