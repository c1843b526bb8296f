#include "views/reading_place.h"

#include "document/diff_doc.h"
#include "document/block_partners.h"
#include "document/block_starts.h"
#include "views/diff_view.h"

#include <algorithm>
#include <cmath>

namespace {

bool ShowsText(const CDiffDoc& doc)
{
    const CDiffBuf* buffer = doc.firstBuf() ? doc.firstBuf() : doc.secondBuf();
    return !doc.IsComparing() && buffer && buffer->type() == CDiffBuf::Text;
}

} // namespace

CReadingPlace CReadingPlace::Take(const CDiffDoc& doc, const CDiffView& view)
{
    CReadingPlace place;
    if (!ShowsText(doc))
        return place;
    const double row = std::max(view.ReadingRow(), 0.0);
    if (!view.composite) {
        place.side_ = view.sideIndex;
        place.line_ = row;
        return place;
    }
    const CBlockList& all = doc.allList();
    CBlockStarts starts;
    starts.Refresh(all);
    const long long whole = static_cast<long long>(std::floor(row));
    const std::size_t b = starts.BlockAt(whole);
    if (b >= all.Blocks().size())
        return place;
    const DIFF_BLOCK& block = *all.Blocks()[b];
    place.side_ = block.IsCommon() ? 0 : block.side();
    place.line_ = block.PosIn(place.side_) + (row - static_cast<double>(starts.StartOf(b)));
    return place;
}

bool CReadingPlace::RestoreIn(const CDiffDoc& doc, CDiffView& view) const
{
    if (!IsValid() || !ShowsText(doc))
        return false;
    const CDiffBuf* own = side_ == 0 ? doc.firstBuf() : doc.secondBuf();
    if (!own || line_ >= static_cast<double>(own->GetCount()))
        return false;
    if (!view.composite) {
        if (view.sideIndex == side_) {
            view.SetReadingRow(line_);
        } else {
            CBlockPartners partners;
            partners.Refresh(doc);
            view.SetReadingRow(partners.OtherSideLine(doc, side_, line_));
        }
        return true;
    }
    // The composite row of the block that holds the line in its file.
    long long start = 0;
    const long long whole = static_cast<long long>(std::floor(line_));
    for (const DIFF_BLOCK* block : doc.allList().Blocks()) {
        const bool holds = block->IsCommon() || block->side() == side_;
        const long long pos = block->PosIn(side_);
        if (holds && pos <= whole && whole < pos + block->length) {
            view.SetReadingRow(static_cast<double>(start) + (line_ - static_cast<double>(pos)));
            return true;
        }
        start += block->length;
    }
    return false;
}
