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
    const std::optional<CBlockPartners::LINE_PAIR> lines =
        partners.OppositeLines(doc, block, offset);
    if (!lines)
        return None();
    auto found = kept_.find(lines->firstLine);
    if (found == kept_.end()) {
        if (kept_.size() >= kMostKept)
            kept_.clear();
        found = kept_
                    .emplace(lines->firstLine, FindLineChanges(lines->first, lines->second,
                                                               ignoreCase_, ignoreBlanks_))
                    .first;
    }
    return block.side() == 0 ? found->second.first : found->second.second;
}
