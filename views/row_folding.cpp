#include "views/row_folding.h"

#include "engine/block_list.h"
#include "views/grouped_number.h"

#include <algorithm>
#include <cmath>

namespace {

// The fewest rows a fold hides.
constexpr long long kLeastFolded = 2;

long long CeilDiv(long long a, long long b)
{
    return (a + b - 1) / b;
}

} // namespace

void CRowFolding::Build(const CBlockList& list, int bytesPerRow, int context, bool on)
{
    folds_.clear();
    markers_.clear();
    if (!on)
        return;
    const long long kept = std::max(context, 0);
    const long long total = list.total();
    const auto addRun = [&](long long start, long long end) {
        if (opened_.count(start) > 0)
            return;
        long long first = start;
        long long last = end; // content rows [first, last)
        if (bytesPerRow > 0) {
            // Only rows that hold nothing but common bytes fold; the last
            // row of the content may be short.
            first = CeilDiv(start, bytesPerRow);
            last = end == total ? CeilDiv(end, bytesPerRow) : end / bytesPerRow;
        }
        // A marker that stood for a single row would take its room and
        // only hide it.
        if (last - first - 2 * kept < kLeastFolded)
            return;
        folds_.push_back({first + kept, last - first - 2 * kept, start});
    };
    long long pos = 0;
    long long runStart = -1;
    for (const DIFF_BLOCK* block : list.Blocks()) {
        if (block->IsCommon() && runStart < 0)
            runStart = pos;
        else if (!block->IsCommon() && block->length > 0 && runStart >= 0) {
            addRun(runStart, pos);
            runStart = -1;
        }
        pos += block->length;
    }
    if (runStart >= 0)
        addRun(runStart, pos);

    long long hiddenBefore = 0;
    markers_.reserve(folds_.size());
    for (const FOLD& fold : folds_) {
        markers_.push_back(fold.first - hiddenBefore);
        hiddenBefore += fold.count - 1;
    }
}

void CRowFolding::Open(int fold)
{
    if (fold < 0 || fold >= static_cast<int>(folds_.size()))
        return;
    opened_.insert(folds_[static_cast<std::size_t>(fold)].key);
    const auto at = folds_.begin() + fold;
    const long long gained = at->count - 1;
    folds_.erase(at);
    markers_.erase(markers_.begin() + fold);
    // The markers after it move down by the rows it showed.
    for (std::size_t i = static_cast<std::size_t>(fold); i < markers_.size(); ++i)
        markers_[i] += gained;
}

long long CRowFolding::ShownCount(long long contentRows) const
{
    long long shown = contentRows;
    for (const FOLD& fold : folds_)
        shown -= fold.count - 1;
    return shown;
}

namespace {

// The index of the last element at or before value, or -1.
template<class Vector, class Key> int LastAtOrBefore(const Vector& v, long long value, Key key)
{
    const auto after = std::upper_bound(v.begin(), v.end(), value,
                                        [&key](long long x, const auto& e) { return x < key(e); });
    return static_cast<int>(after - v.begin()) - 1;
}

} // namespace

int CRowFolding::FoldHolding(long long contentRow) const
{
    const int i = LastAtOrBefore(folds_, contentRow, [](const FOLD& f) { return f.first; });
    if (i < 0)
        return -1;
    const FOLD& fold = folds_[static_cast<std::size_t>(i)];
    return contentRow < fold.first + fold.count ? i : -1;
}

int CRowFolding::FoldShownAt(long long shownRow) const
{
    const int i = LastAtOrBefore(markers_, shownRow, [](long long m) { return m; });
    return i >= 0 && markers_[static_cast<std::size_t>(i)] == shownRow ? i : -1;
}

long long CRowFolding::ShownRowOf(long long contentRow) const
{
    const int i = LastAtOrBefore(folds_, contentRow, [](const FOLD& f) { return f.first; });
    if (i < 0)
        return contentRow;
    const FOLD& fold = folds_[static_cast<std::size_t>(i)];
    const long long marker = markers_[static_cast<std::size_t>(i)];
    if (contentRow < fold.first + fold.count)
        return marker;
    return marker + 1 + (contentRow - (fold.first + fold.count));
}

long long CRowFolding::ContentRowOf(long long shownRow) const
{
    const int i = LastAtOrBefore(markers_, shownRow, [](long long m) { return m; });
    if (i < 0)
        return shownRow;
    const FOLD& fold = folds_[static_cast<std::size_t>(i)];
    const long long marker = markers_[static_cast<std::size_t>(i)];
    if (shownRow == marker)
        return fold.first;
    return fold.first + fold.count + (shownRow - marker - 1);
}

double CRowFolding::ShownPlaceOf(double contentPlace) const
{
    const auto row = static_cast<long long>(std::floor(contentPlace));
    const int i = LastAtOrBefore(folds_, row, [](const FOLD& f) { return f.first; });
    if (i < 0)
        return contentPlace;
    const FOLD& fold = folds_[static_cast<std::size_t>(i)];
    const auto marker = static_cast<double>(markers_[static_cast<std::size_t>(i)]);
    const auto first = static_cast<double>(fold.first);
    const auto count = static_cast<double>(fold.count);
    if (contentPlace < first + count)
        return marker + (contentPlace - first) / count;
    return marker + 1 + (contentPlace - (first + count));
}

double CRowFolding::ContentPlaceOf(double shownPlace) const
{
    const auto row = static_cast<long long>(std::floor(shownPlace));
    const int i = LastAtOrBefore(markers_, row, [](long long m) { return m; });
    if (i < 0)
        return shownPlace;
    const FOLD& fold = folds_[static_cast<std::size_t>(i)];
    const auto marker = static_cast<double>(markers_[static_cast<std::size_t>(i)]);
    const auto first = static_cast<double>(fold.first);
    const auto count = static_cast<double>(fold.count);
    if (shownPlace < marker + 1)
        return first + (shownPlace - marker) * count;
    return first + count + (shownPlace - marker - 1);
}

std::vector<CRowFolding::PIECE> CRowFolding::Pieces(long long firstShown, long long lastShown,
                                                    long long shownCount) const
{
    std::vector<PIECE> pieces;
    lastShown = std::min(lastShown, shownCount - 1);
    long long s = std::max(firstShown, 0LL);
    while (s <= lastShown) {
        const auto next = std::lower_bound(markers_.begin(), markers_.end(), s);
        if (next != markers_.end() && *next == s) {
            const int fold = static_cast<int>(next - markers_.begin());
            pieces.push_back({s, folds_[static_cast<std::size_t>(fold)].first, 1, fold});
            ++s;
            continue;
        }
        const long long end = next == markers_.end() ? lastShown : std::min(*next - 1, lastShown);
        pieces.push_back({s, ContentRowOf(s), end - s + 1, -1});
        s = end + 1;
    }
    return pieces;
}

QString CRowFolding::MarkerText(long long count)
{
    return count == 1 ? QStringLiteral("1 identical line")
                      : CGroupedNumber::Format(count) + QStringLiteral(" identical lines");
}
