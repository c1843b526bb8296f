#include "views/row_text.h"

#include "document/diff_doc.h"
#include "engine/text_buf.h"

#include <algorithm>

CRowText::CRowText(const CDiffDoc& doc, const CBlockList& list, int sideIndex, int bytesPerRow)
    : doc_(doc), list_(list), sideIndex_(sideIndex), perRow_(std::max(bytesPerRow, 1)),
      hex_(doc.firstBuf() && doc.firstBuf()->type() == CDiffBuf::Binary)
{
    starts_.Refresh(list_);
}

long long CRowText::RowCount() const
{
    const long long total = list_.total();
    return hex_ ? (total + perRow_ - 1) / perRow_ : total;
}

const CDiffBuf* CRowText::SourceOf(const DIFF_BLOCK& block, long long* start) const
{
    const int side = block.IsCommon() ? sideIndex_ : block.side();
    *start = block.PosIn(side);
    return side == 0 ? doc_.firstBuf() : doc_.secondBuf();
}

int CRowText::ByteAt(long long pos) const
{
    const std::size_t b = starts_.BlockAt(pos);
    if (b >= list_.Blocks().size())
        return -1;
    long long start = 0;
    const CDiffBuf* source = SourceOf(*list_.Blocks()[b], &start);
    const long long at = start + (pos - starts_.StartOf(b));
    // A block that points past its buffer's end shows nothing of it.
    if (!source || at < 0 || at >= source->GetCount())
        return -1;
    return static_cast<unsigned char>(source->data()[at]);
}

QString CRowText::RowString(long long row) const
{
    if (row < 0 || row >= RowCount())
        return {};
    if (hex_) {
        QString text;
        for (long long pos = row * perRow_; pos < (row + 1) * perRow_; ++pos) {
            const int byte = ByteAt(pos);
            if (byte < 0)
                break;
            if (!text.isEmpty())
                text += QLatin1Char(' ');
            text += QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
        }
        return text;
    }
    const std::size_t b = starts_.BlockAt(row);
    if (b >= list_.Blocks().size())
        return {};
    long long start = 0;
    const CDiffBuf* source = SourceOf(*list_.Blocks()[b], &start);
    const long long line = start + (row - starts_.StartOf(b));
    if (!source || source->type() != CDiffBuf::Text || line < 0 || line >= source->GetCount())
        return {};
    int length = 0;
    const char* bytes =
        static_cast<const CTextBuf*>(source)->GetLine(static_cast<int>(line), &length);
    return CTextBuf::IsValidUtf8(bytes, static_cast<std::size_t>(length))
               ? QString::fromUtf8(bytes, length)
               : QString::fromLatin1(bytes, length);
}

QString CRowText::Text(long long first, long long last) const
{
    QString text;
    // A file that ends in a line break shows an empty row after it; copied,
    // that row would add a line the file does not have.
    if (!hex_ && last >= RowCount() - 1 && last > first && RowString(RowCount() - 1).isEmpty())
        last = RowCount() - 2;
    for (long long row = std::max(first, 0LL); row <= std::min(last, RowCount() - 1); ++row) {
        text += RowString(row);
        text += QLatin1Char('\n');
    }
    return text;
}

std::string CRowText::Bytes() const
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(std::max(list_.total(), 0LL)));
    for (const auto& block : list_.Blocks()) {
        long long start = 0;
        const CDiffBuf* source = SourceOf(*block, &start);
        const long long end = start + block->length;
        if (!source || start < 0 || end > source->GetCount()) {
            // Kept in step with the rows, as the pane draws nothing there.
            bytes.append(static_cast<std::size_t>(std::max<long long>(block->length, 0)), '\0');
            continue;
        }
        bytes.append(source->data() + start, static_cast<std::size_t>(block->length));
    }
    return bytes;
}
