#include "engine/diff_algorithm5.h"

#include "engine/greedy_matcher.h"
#include "engine/line_ids.h"
#include "engine/text_buf.h"

#include <chrono>
#include <cstdint>

namespace {

// Progress is reported at most about once a second: more often would only
// flood the receiver.
constexpr std::chrono::milliseconds kProgressInterval{1000};

void AppendUnmatched(const CRangeList& ranges, int side, CBlockList& result)
{
    for (const RANGE& r : ranges.Ranges())
        result.AddTail(new DIFF_BLOCK(
            DIFF_BLOCK::MakeSided(NextBlockId(), BlockKind::Unmatched, r.length, side, r.start)));
}

} // namespace

void CDiffAlgorithm5::Init(CProgressSink* notify, CDiffBuf* buf1, CDiffBuf* buf2, int minLength,
                           CBlockList* result, int limit)
{
    CDiffAlgorithm::Init(notify, buf1, buf2, minLength, result);
    limit_ = limit < 0 ? 0 : limit;
}

void CDiffAlgorithm5::Run()
{
    const int count1 = buf1_->GetCount();
    const int count2 = buf2_->GetCount();
    const long long elements = static_cast<long long>(count1) + count2;
    auto lastReport = std::chrono::steady_clock::now();
    const auto onAccepted = [&](long long acceptedTotal) {
        const auto now = std::chrono::steady_clock::now();
        if (now - lastReport >= kProgressInterval) {
            Notify(static_cast<int>(1000 * acceptedTotal / elements));
            lastReport = now;
        }
    };
    const auto runOn = [&](const auto* first, const auto* second) {
        using Element = std::remove_cv_t<std::remove_pointer_t<decltype(first)>>;
        CGreedyMatcher<Element> matcher(first, count1, second, count2, minLength_, limit_,
                                        stopRequested);
        matcher.Run(*result_, onAccepted);
        AppendUnmatched(matcher.Ranges1(), 0, *result_);
        AppendUnmatched(matcher.Ranges2(), 1, *result_);
    };

    const auto* text1 = dynamic_cast<const CTextBuf*>(buf1_);
    const auto* text2 = dynamic_cast<const CTextBuf*>(buf2_);
    if (text1 && text2) {
        const CLineIds ids(*text1, *text2);
        runOn(ids.First().data(), ids.Second().data());
    } else {
        // Anything that is not a pair of texts is compared byte by byte.
        runOn(reinterpret_cast<const std::uint8_t*>(buf1_->data()),
              reinterpret_cast<const std::uint8_t*>(buf2_->data()));
    }

    running = false;
    Notify(1000);
}
