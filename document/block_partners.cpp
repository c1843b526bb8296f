#include "document/block_partners.h"

#include "document/diff_doc.h"
#include "engine/text_buf.h"

#include <algorithm>
#include <cmath>

namespace {

std::string_view LineOf(const CDiffBuf* buffer, int line)
{
    if (!buffer || buffer->type() != CDiffBuf::Text || line < 0 || line >= buffer->GetCount())
        return {};
    int length = 0;
    const char* bytes = static_cast<const CTextBuf*>(buffer)->GetLine(line, &length);
    return {bytes, static_cast<std::size_t>(length)};
}

} // namespace

void CBlockPartners::Refresh(const CDiffDoc& doc)
{
    const CBlockList& all = doc.allList();
    starts_[0].Refresh(doc.firstList());
    starts_[1].Refresh(doc.secondList());
    if (result_ == &all && generation_ == all.generation())
        return;
    result_ = &all;
    generation_ = all.generation();
    partners_.clear();
    std::unordered_map<int, const DIFF_BLOCK*> movedById;
    const auto& blocks = all.Blocks();
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const DIFF_BLOCK* block = blocks[i];
        if (block->kind == BlockKind::Moved) {
            const auto [other, inserted] = movedById.emplace(block->id, block);
            if (!inserted) {
                partners_[block] = other->second;
                partners_[other->second] = block;
            }
        } else if (block->kind == BlockKind::Unmatched && i + 1 < blocks.size()) {
            const DIFF_BLOCK* next = blocks[i + 1];
            if (next->kind == BlockKind::Unmatched && next->side() != block->side() &&
                !partners_.count(block)) {
                partners_[block] = next;
                partners_[next] = block;
            }
        }
    }
}

const DIFF_BLOCK* CBlockPartners::PartnerOf(const DIFF_BLOCK* block) const
{
    const auto found = partners_.find(block);
    return found == partners_.end() ? nullptr : found->second;
}

std::optional<CBlockPartners::LINE_PAIR> CBlockPartners::OppositeLines(const CDiffDoc& doc,
                                                                      const DIFF_BLOCK& block,
                                                                      int offset) const
{
    if (block.kind != BlockKind::Unmatched)
        return std::nullopt;
    const DIFF_BLOCK* partner = PartnerOf(&block);
    if (!partner || offset < 0 || offset >= partner->length || offset >= block.length)
        return std::nullopt;
    const DIFF_BLOCK& first = block.side() == 0 ? block : *partner;
    const DIFF_BLOCK& second = block.side() == 0 ? *partner : block;
    return LINE_PAIR{LineOf(doc.firstBuf(), first.pos() + offset),
                     LineOf(doc.secondBuf(), second.pos() + offset),
                     static_cast<long long>(first.pos()) + offset};
}

long long CBlockPartners::OtherPlaceBefore(const CDiffDoc& doc, int side, std::size_t b) const
{
    const CBlockList& list = side == 0 ? doc.firstList() : doc.secondList();
    const int other = 1 - side;
    // The nearest block before that has a place in the other file.
    for (std::size_t i = b; i-- > 0;) {
        const DIFF_BLOCK* block = list.Blocks()[i];
        if (block->IsCommon())
            return block->PosIn(other) + block->length;
        // A moved block's other half stands elsewhere, so it says nothing
        // about this place.
        const DIFF_BLOCK* partner = PartnerOf(block);
        if (partner && block->kind == BlockKind::Unmatched)
            return partner->pos() + partner->length;
    }
    return 0;
}

double CBlockPartners::OtherSideLine(const CDiffDoc& doc, int side, double line) const
{
    const CBlockList& list = side == 0 ? doc.firstList() : doc.secondList();
    const CBlockStarts& starts = starts_[side];
    if (list.IsEmpty())
        return 0;
    const long long whole = static_cast<long long>(std::floor(std::max(line, 0.0)));
    const double within = std::max(line, 0.0) - static_cast<double>(whole);
    const std::size_t b = starts.BlockAt(whole);
    if (b >= list.Blocks().size()) {
        // Past the end of this file: past the end of the other one too.
        const long long end = starts.StartOf(list.Blocks().size());
        return static_cast<double>(OtherPlaceBefore(doc, side, list.Blocks().size())) +
               static_cast<double>(whole - end) + within;
    }
    const DIFF_BLOCK* block = list.Blocks()[b];
    const long long offset = whole - starts.StartOf(b);
    if (block->IsCommon())
        return static_cast<double>(block->PosIn(1 - side) + offset) + within;
    const DIFF_BLOCK* partner = PartnerOf(block);
    if (!partner)
        return static_cast<double>(OtherPlaceBefore(doc, side, b));
    if (block->kind == BlockKind::Moved || offset < partner->length)
        return static_cast<double>(partner->pos() + offset) + within;
    return static_cast<double>(partner->pos() + partner->length);
}
