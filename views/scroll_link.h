#pragma once

#include "document/block_partners.h"

#include <QMetaObject>
#include <QObject>
#include <QPointer>

class CDiffDoc;
class CDiffView;

// Two side-by-side comparison panes that scroll together: whatever moves
// one (wheel, keys, scroll bar, navigation, the overview) moves the other so
// that the same content stands at its reading line, by CBlockPartners'
// place in the other file. Sideways the two keep the same offset.
class CScrollLink : public QObject
{
    Q_OBJECT

public:
    explicit CScrollLink(const CDiffDoc& doc, QObject* parent = nullptr);

    // Joins the panes of the first and the second file and brings the
    // second to the first's place; Link with a missing pane, or Unlink,
    // leaves both panes to scroll alone.
    void Link(CDiffView* first, CDiffView* second);
    void Unlink();
    bool IsLinked() const { return first_ && second_; }
    bool Joins(const CDiffView* first, const CDiffView* second) const
    {
        return first_ == first && second_ == second;
    }

    // Brings the pane of the other side to the place that the pane of side
    // shows now. A fold opened in one pane opens the other's where it
    // hides the same content.
    void Follow(int side);

private:
    // The pane of side and the other one, when both are there and may move
    // now: not while one moves the other, nor while a comparison runs and
    // its worker owns the lists.
    bool CanFollow(int side, CDiffView** from, CDiffView** to) const;
    void FollowSideways(int side);
    // Opens in the other pane the folds that hide the content a fold of
    // the pane of side showed, rows first to last, so that the two files
    // stay alike; then the other pane follows.
    void OpenOtherSide(int side, long long first, long long last);
    // Partners' places count lines, or bytes where the rows are hex rows.
    double PlacesPerRow(const CDiffView& view) const;
    // The row of the other pane that shows what a row of this side's pane
    // shows; rows may fall between rows.
    double OtherSideRow(int side, const CDiffView& from, double row);

    const CDiffDoc& doc_;
    QPointer<CDiffView> first_;
    QPointer<CDiffView> second_;
    CBlockPartners partners_;
    // Set while one pane moves the other, so that the other's move does not
    // come back.
    bool following_ = false;
    QList<QMetaObject::Connection> connections_;
};
