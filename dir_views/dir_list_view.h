#pragma once

#include "dir_views/dir_pane.h"
#include "dir_views/status_icons.h"
#include "directory/dir_composite.h"
#include "directory/dir_node.h"

// A directory comparison as a flat list of its files, by path relative to the
// root: the files of its side, or of both sides with each pair listed once.
// Folders are not listed. Every row carries the icon of its status. A mouse
// click, Enter or Space opens the first selected file, as the tree does;
// moving the selection with the keyboard opens nothing, so the keys can walk
// the list. Side by side, each list selects the file the other selected.
class CDirListView : public CDirPane
{
    Q_OBJECT

public:
    using BMP_MAP = CStatusIcons::BMP_MAP;

    CDirListView(CDirComparison& dirs, const CAppearance& appearance, CPaneHost& host,
                 QWidget* parent = nullptr);

    int FileImage(DirNodeStatus status) const;
    const CStatusIcons& icons() const { return icons_; }

    // Selects the row of the node's counterpart in this list's tree (or of
    // the node itself, when it is of this tree), and nothing when the list
    // has no such row or there is no node. Opens nothing, and tells no other
    // list.
    void SelectPartnerOf(const CDirNode* node);

public slots:
    // Bit 1 (new result) or 2 (icon colours) rebuilds the list; these and
    // bit 4 (sort order) sort it and select the file chosen last again,
    // without opening it. Other bits are ignored.
    void OnUpdate(UpdateHints hints) override;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Rebuild();
    void SetHeaderText(const QString& text);
    void AddFile(const CDirComposite::ENTRY& entry, QList<QTreeWidgetItem*>& rows);
    void ReselectCurrentDir();
    const QTreeWidgetItem* FirstSelectedRow() const;
    void OpenFirstSelectedRow();
    static bool OpensOnKey(const QKeyEvent& event);
    void TellOtherLists();

    CStatusIcons icons_{CStatusIcons::Glyphs::PagesOnly};
    // The release that ends a double click is no second click.
    bool doubleClicked_ = false;
    // Selections made by the list itself (a rebuild, a re-sort, following
    // the other list) are not passed on.
    bool selectingItself_ = false;
};
