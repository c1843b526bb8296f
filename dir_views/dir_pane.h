#pragma once

#include "dir_views/dir_opener.h"
#include "directory/dir_composite.h"
#include "views/pane.h"

#include <QTreeWidget>

class CAppearance;
class CPaneHost;
class CDirComparison;
class CDirNodeList;
struct CDirNode;

// What the tree and the list of a directory comparison share: the result
// and the window they show it for, which tree is their own side, the file
// chosen last, and the opening of a chosen file.
class CDirPane : public QTreeWidget, public CPane
{
    Q_OBJECT

public:
    CDirPane(CDirComparison& dirs, const CAppearance& appearance, CPaneHost& host,
             CDirOpener::AfterOpening afterOpening, QWidget* parent);

    // Entries identical in both trees are left out, and so are folders that
    // hold only such entries, as the report's --brief leaves them out.
    bool onlyDifferences = false;

protected:
    // A new result or new icon colours rebuild a pane; with a new sort order
    // these are all the update hints a pane acts on.
    static bool Rebuilds(UpdateHints hints);
    static bool ActsOn(UpdateHints hints);

    // Whether the entry has a row under the pane's onlyDifferences.
    bool Shows(const CDirComposite::ENTRY& entry) const;

    const CDirNodeList& OwnList() const;
    const CDirNodeList& OtherList() const;
    // The root of the pane's side as shown: shortened against the other root.
    QString OwnRootText() const;
    // The node of the file chosen last: in the pane's own tree, and in a
    // composite pane also in the second; none when no such node exists.
    const CDirNode* CurrentNode() const;

    // The splitter frames the pane that has the focus.
    void focusInEvent(QFocusEvent* event) override;

    CDirComparison& dirs_;
    const CAppearance& appearance_;
    CPaneHost& host_;
    CDirOpener opener_;
};
