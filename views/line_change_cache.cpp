#include "views/line_change_cache.h"

#include "document/diff_doc.h"
#include "engine/text_buf.h"
#include "document/block_partners.h"

#include <string_view>

namespace {

// Enough answers for many screens of changed lines; past it they are found
// anew, which costs only the lines in view.
constexpr std::size_t kMostKept = 20000;

const std::vector<LineChanges::Span>& None()
{
    static const std::vector<LineChanges::Span> none;
    return none;
}

std::string_view LineOf(const CDiffBuf* buffer, int line)
{
    if (!buffer || buffer->type() != CDiffBuf::Text || line < 0 || line >= buffer->GetCount())
        return {};
    int length = 0;
    const char* bytes = static_cast<const CTextBuf*>(buffer)->GetLine(line, &length);
    return {bytes, static_cast<std::size_t>(length)};
}

} // namespace

void CLineChangeCache::Refresh(const CDiffDoc& doc)
{
    const CBlockList& all = doc.allList();
    if (result_ == &all && generation_ == all.generation() &&
        ignoreCase_ == doc.settings.ignoreCase && ignoreBlanks_ == doc.settings.ignoreBlanks)
        return;
    result_ = &all;
    generation_ = all.generation();
    ignoreCase_ = doc.settings.ignoreCase;
    ignoreBlanks_ = doc.settings.ignoreBlanks;
    kept_.clear();
}

const std::vector<LineChanges::Span>& CLineChangeCache::SpansOf(const CDiffDoc& doc,
                                                                const CBlockPartners& partners,
                                                                const DIFF_BLOCK& block, int offset)
{
    if (block.kind != BlockKind::Unmatched)
        return None();
    const DIFF_BLOCK* partner = partners.PartnerOf(&block);
    if (!partner || offset < 0 || offset >= partner->length || offset >= block.length)
        return None();
    const DIFF_BLOCK& first = block.side() == 0 ? block : *partner;
    const DIFF_BLOCK& second = block.side() == 0 ? *partner : block;
    const long long key = static_cast<long long>(first.pos()) + offset;
    auto found = kept_.find(key);
    if (found == kept_.end()) {
        if (kept_.size() >= kMostKept)
            kept_.clear();
        found = kept_
                    .emplace(key, FindLineChanges(LineOf(doc.firstBuf(), first.pos() + offset),
                                                  LineOf(doc.secondBuf(), second.pos() + offset),
                                                  ignoreCase_, ignoreBlanks_))
                    .first;
    }
    return block.side() == 0 ? found->second.first : found->second.second;
}
