#include "engine/diff_algorithm5.h"

#include "engine/greedy_matcher.h"
#include "engine/line_ids.h"
#include "engine/text_buf.h"

#include <algorithm>
#include <chrono>
#include <cstdint>

namespace {

// Progress is reported at most about once a second: more often would only
// flood the receiver.
constexpr std::chrono::milliseconds kProgressInterval{1000};

void AppendUnmatched(const CRangeList& ranges, int side, CDiffResult& result)
{
    for (const RANGE& r : ranges.Ranges())
        result.Append(
            DIFF_BLOCK::MakeSided(NextBlockId(), BlockKind::Unmatched, r.length, side, r.start));
}

void Notify(CProgressSink* sink, int permille)
{
    if (sink)
        sink->PostProgress(permille);
}

} // namespace

// A block size below 1 would accept empty runs without end.
CDiffAlgorithm5::CDiffAlgorithm5(int blockSize, int limit)
    : minLength_(std::max(blockSize, 1)), limit_(std::max(limit, 0))
{
}

CDiffResult CDiffAlgorithm5::Run(const CDiffBuf& first, const CDiffBuf& second,
                                 const std::atomic<bool>& stop, CProgressSink* sink) const
{
    CDiffResult result = Search(first, second, stop, sink);
    result.Finish();
    return result;
}

CDiffResult CDiffAlgorithm5::Search(const CDiffBuf& first, const CDiffBuf& second,
                                    const std::atomic<bool>& stop, CProgressSink* sink) const
{
    const int count1 = first.GetCount();
    const int count2 = second.GetCount();
    const long long elements = static_cast<long long>(count1) + count2;
    auto lastReport = std::chrono::steady_clock::now();
    const auto onAccepted = [&](long long acceptedTotal) {
        const auto now = std::chrono::steady_clock::now();
        if (now - lastReport >= kProgressInterval) {
            Notify(sink, static_cast<int>(1000 * acceptedTotal / elements));
            lastReport = now;
        }
    };
    CDiffResult result;
    const auto runOn = [&](const auto* elements1, const auto* elements2) {
        using Element = std::remove_cv_t<std::remove_pointer_t<decltype(elements1)>>;
        CGreedyMatcher<Element> matcher(elements1, count1, elements2, count2, minLength_, limit_,
                                        stop);
        matcher.Run(result, onAccepted);
        AppendUnmatched(matcher.Ranges1(), 0, result);
        AppendUnmatched(matcher.Ranges2(), 1, result);
    };

    const auto* text1 = dynamic_cast<const CTextBuf*>(&first);
    const auto* text2 = dynamic_cast<const CTextBuf*>(&second);
    if (text1 && text2) {
        const CLineIds ids(*text1, *text2);
        runOn(ids.First().data(), ids.Second().data());
    } else {
        // Anything that is not a pair of texts is compared byte by byte.
        runOn(reinterpret_cast<const std::uint8_t*>(first.data()),
              reinterpret_cast<const std::uint8_t*>(second.data()));
    }

    Notify(sink, 1000);
    return result;
}
