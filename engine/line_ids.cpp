#include "engine/line_ids.h"

#include <bit>

namespace {

struct LineRef
{
    const char* text;
    int length;
};

// FNV-1a over the bytes that take part in the comparison: with ignoreBlanks
// the non-blank bytes only, with ignoreCase after folding. Lines that compare
// equal therefore always hash equal.
std::uint64_t HashLine(const LineRef& line, bool ignoreCase, bool ignoreBlanks)
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
    return h ^ (h >> 29);
}

// An open-addressing table from a line's hash to the id of the first line seen
// with that content; equal hashes are confirmed by comparing the lines.
class IdTable
{
public:
    IdTable(std::size_t expected, bool ignoreCase, bool ignoreBlanks)
        : ignoreCase_(ignoreCase), ignoreBlanks_(ignoreBlanks)
    {
        const std::size_t capacity = std::bit_ceil(expected * 2 + 16);
        slots_.assign(capacity, Slot{0, 0, kEmpty});
        mask_ = capacity - 1;
    }

    std::uint32_t IdOf(const LineRef& line)
    {
        const std::uint64_t h = HashLine(line, ignoreCase_, ignoreBlanks_);
        for (std::size_t i = h & mask_;; i = (i + 1) & mask_) {
            Slot& slot = slots_[i];
            if (slot.id == kEmpty) {
                slot = Slot{h, static_cast<std::uint32_t>(representatives_.size()),
                            static_cast<std::uint32_t>(representatives_.size())};
                representatives_.push_back(line);
                return slot.id;
            }
            if (slot.hash == h) {
                const LineRef& rep = representatives_[slot.rep];
                if (CTextBuf::LinesEqual(rep.text, rep.length, line.text, line.length, ignoreCase_,
                                         ignoreBlanks_))
                    return slot.id;
            }
        }
    }

private:
    static constexpr std::uint32_t kEmpty = 0xffffffffu;
    struct Slot
    {
        std::uint64_t hash;
        std::uint32_t rep;
        std::uint32_t id;
    };

    bool ignoreCase_;
    bool ignoreBlanks_;
    std::vector<Slot> slots_;
    std::size_t mask_ = 0;
    std::vector<LineRef> representatives_;
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
    IdTable table(static_cast<std::size_t>(first.lineCount()) + second.lineCount(),
                  first.ignoreCase, first.ignoreBlanks);
    AssignIds(first, table, first_);
    AssignIds(second, table, second_);
}
