#include "engine/line_ids.h"

#include <bit>
#include <cstring>

namespace {

struct LineRef
{
    const char* text;
    int length;
};

// FNV-1a over the bytes that take part in the comparison: with ignoreBlanks
// the non-blank bytes only, with ignoreCase after folding. Lines that compare
// equal therefore always hash equal.
std::uint64_t HashLineWithOptions(const LineRef& line, bool ignoreCase, bool ignoreBlanks)
{
    std::uint64_t h = 1469598103934665603ull;
    for (int i = 0; i < line.length; ++i) {
        unsigned char c = static_cast<unsigned char>(line.text[i]);
        if (ignoreBlanks && CTextBuf::IsBlank(c))
            continue;
        if (ignoreCase)
            c = CTextBuf::FoldCase(c);
        h = (h ^ c) * 1099511628211ull;
    }
    return h;
}

// Without options equal lines are equal bytes, which are hashed eight at a
// time: a byte-at-a-time hash costs more than the rest of the reading.
std::uint64_t HashLineBytes(const LineRef& line)
{
    constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
    std::uint64_t h = static_cast<std::uint64_t>(line.length) * kMultiplier;
    int i = 0;
    for (; i + 8 <= line.length; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, line.text + i, sizeof word);
        h = std::rotl((h ^ word) * kMultiplier, 29);
    }
    std::uint64_t tail = 0;
    if (i < line.length)
        std::memcpy(&tail, line.text + i, static_cast<std::size_t>(line.length - i));
    return (h ^ tail) * kMultiplier;
}

std::uint64_t HashLine(const LineRef& line, bool ignoreCase, bool ignoreBlanks)
{
    const std::uint64_t h = ignoreCase || ignoreBlanks
                                ? HashLineWithOptions(line, ignoreCase, ignoreBlanks)
                                : HashLineBytes(line);
    return h ^ (h >> 29);
}

// An open-addressing table from a line's hash to the id of the first line seen
// with that content; equal hashes are confirmed by comparing the lines. Its
// size follows the number of distinct lines, which real files have far fewer
// of than lines, and a slot is eight bytes (a part of the hash and the id), so
// that the table stays in the cache.
class IdTable
{
public:
    IdTable(bool ignoreCase, bool ignoreBlanks)
        : ignoreCase_(ignoreCase), ignoreBlanks_(ignoreBlanks)
    {
        Resize(kInitialSlots);
    }

    std::uint32_t IdOf(const LineRef& line)
    {
        const std::uint64_t h = HashLine(line, ignoreCase_, ignoreBlanks_);
        const auto tag = static_cast<std::uint32_t>(h >> 32);
        for (std::size_t i = h & mask_;; i = (i + 1) & mask_) {
            const std::uint64_t slot = slots_[i];
            if (slot == kEmpty)
                return Insert(i, h, line);
            if (static_cast<std::uint32_t>(slot >> 32) == tag) {
                const auto id = static_cast<std::uint32_t>(slot);
                const LineRef& rep = representatives_[id];
                if (CTextBuf::LinesEqual(rep.text, rep.length, line.text, line.length, ignoreCase_,
                                         ignoreBlanks_))
                    return id;
            }
        }
    }

private:
    static constexpr std::uint64_t kEmpty = ~std::uint64_t{0};
    static constexpr std::size_t kInitialSlots = 1024;

    static std::uint64_t SlotOf(std::uint64_t h, std::uint32_t id)
    {
        return (h >> 32 << 32) | id;
    }

    std::uint32_t Insert(std::size_t i, std::uint64_t h, const LineRef& line)
    {
        const auto id = static_cast<std::uint32_t>(representatives_.size());
        slots_[i] = SlotOf(h, id);
        representatives_.push_back(line);
        hashes_.push_back(h);
        // At most half full, so that probes stay short.
        if (representatives_.size() * 2 > slots_.size())
            Resize(slots_.size() * 2);
        return id;
    }

    void Resize(std::size_t capacity)
    {
        slots_.assign(capacity, kEmpty);
        mask_ = capacity - 1;
        for (std::uint32_t id = 0; id < hashes_.size(); ++id) {
            std::size_t i = hashes_[id] & mask_;
            while (slots_[i] != kEmpty)
                i = (i + 1) & mask_;
            slots_[i] = SlotOf(hashes_[id], id);
        }
    }

    bool ignoreCase_;
    bool ignoreBlanks_;
    std::vector<std::uint64_t> slots_;
    std::size_t mask_ = 0;
    std::vector<LineRef> representatives_;
    std::vector<std::uint64_t> hashes_;
};

void AssignIds(const CTextBuf& buf, IdTable& table, std::vector<std::uint32_t>& ids)
{
    ids.resize(static_cast<std::size_t>(buf.lineCount()));
    for (int n = 0; n < buf.lineCount(); ++n) {
        LineRef line{nullptr, 0};
        line.text = buf.GetLine(n, &line.length);
        ids[static_cast<std::size_t>(n)] = table.IdOf(line);
    }
}

} // namespace

CLineIds::CLineIds(const CTextBuf& first, const CTextBuf& second)
{
    // Equality is decided by the first buffer's options, as the comparison asks
    // the first buffer whether two lines are equal.
    IdTable table(first.ignoreCase, first.ignoreBlanks);
    AssignIds(first, table, first_);
    AssignIds(second, table, second_);
}
