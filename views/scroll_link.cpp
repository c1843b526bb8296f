#include "views/scroll_link.h"

#include "document/diff_doc.h"
#include "views/diff_view.h"

#include <QScrollBar>

#include <cmath>

CScrollLink::CScrollLink(const CDiffDoc& doc, QObject* parent) : QObject(parent), doc_(doc) {}

void CScrollLink::Unlink()
{
    for (const QMetaObject::Connection& connection : connections_)
        disconnect(connection);
    connections_.clear();
    first_ = nullptr;
    second_ = nullptr;
}

void CScrollLink::Link(CDiffView* first, CDiffView* second)
{
    Unlink();
    if (!first || !second)
        return;
    first_ = first;
    second_ = second;
    for (int side = 0; side < 2; ++side) {
        CDiffView* view = side == 0 ? first : second;
        connections_.append(connect(view->verticalScrollBar(), &QScrollBar::valueChanged, this,
                                    [this, side] { Follow(side); }));
        connections_.append(connect(view->horizontalScrollBar(), &QScrollBar::valueChanged, this,
                                    [this, side] { FollowSideways(side); }));
        connections_.append(connect(
            view, &CDiffView::FoldOpened, this,
            [this, side](long long first, long long last) { OpenOtherSide(side, first, last); }));
    }
    Follow(0);
}

bool CScrollLink::CanFollow(int side, CDiffView** from, CDiffView** to) const
{
    *from = side == 0 ? first_.data() : second_.data();
    *to = side == 0 ? second_.data() : first_.data();
    return !following_ && *from && *to && !doc_.IsComparing();
}

void CScrollLink::Follow(int side)
{
    CDiffView* from = nullptr;
    CDiffView* to = nullptr;
    if (!CanFollow(side, &from, &to))
        return;
    following_ = true;
    to->SetReadingRow(OtherSideRow(side, *from, from->ReadingRow()));
    following_ = false;
}

double CScrollLink::OtherSideRow(int side, const CDiffView& from, double row)
{
    partners_.Refresh(doc_);
    const double perRow = PlacesPerRow(from);
    return partners_.OtherSideLine(doc_, side, row * perRow) / perRow;
}

double CScrollLink::PlacesPerRow(const CDiffView& view) const
{
    // Hex rows hold several bytes, and the places are bytes.
    const CDiffBuf* buffer = doc_.firstBuf();
    return buffer && buffer->type() == CDiffBuf::Binary ? static_cast<double>(view.BytesPerRow())
                                                        : 1.0;
}

void CScrollLink::OpenOtherSide(int side, long long first, long long last)
{
    CDiffView* from = nullptr;
    CDiffView* to = nullptr;
    if (!CanFollow(side, &from, &to))
        return;
    const auto otherRow = [&](long long row) {
        return static_cast<long long>(
            std::floor(OtherSideRow(side, *from, static_cast<double>(row))));
    };
    following_ = true;
    to->RevealRows(otherRow(first), otherRow(last));
    following_ = false;
    // The other pane's rows moved under its reading line.
    Follow(side);
}

void CScrollLink::FollowSideways(int side)
{
    CDiffView* from = side == 0 ? first_.data() : second_.data();
    CDiffView* to = side == 0 ? second_.data() : first_.data();
    if (following_ || !from || !to)
        return;
    following_ = true;
    to->horizontalScrollBar()->setValue(from->horizontalScrollBar()->value());
    following_ = false;
}
