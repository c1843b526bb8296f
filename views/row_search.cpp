#include "views/row_search.h"

#include "views/row_text.h"

#include <QByteArray>

#include <algorithm>
#include <cctype>
#include <string>

namespace {

bool IsHexPairs(const QString& text)
{
    int digits = 0;
    for (const QChar c : text) {
        if (c.isSpace())
            continue;
        if (!isxdigit(c.unicode() < 128 ? static_cast<unsigned char>(c.unicode()) : 0))
            return false;
        ++digits;
    }
    return digits > 0 && digits % 2 == 0;
}

unsigned char Folded(unsigned char c, bool matchCase)
{
    return matchCase ? c : static_cast<unsigned char>(std::tolower(c));
}

} // namespace

QByteArray CRowSearch::HexNeedle(const QString& needle)
{
    if (!IsHexPairs(needle))
        return needle.toUtf8();
    QString packed;
    for (const QChar c : needle) {
        if (!c.isSpace())
            packed += c;
    }
    return QByteArray::fromHex(packed.toLatin1());
}

CRowSearch::MATCH CRowSearch::Find(const CRowText& rows, const QString& needle, long long from,
                                   bool forwards, bool matchCase)
{
    if (needle.isEmpty() || rows.RowCount() <= 0)
        return {};
    // A start past the last row searches back from the last row itself.
    if (from >= rows.RowCount())
        from = forwards ? rows.RowCount() - 1 : -1;
    return rows.IsHex() ? FindInBytes(rows, needle, from, forwards, matchCase)
                        : FindInText(rows, needle, from, forwards, matchCase);
}

CRowSearch::MATCH CRowSearch::FindInText(const CRowText& rows, const QString& needle,
                                         long long from, bool forwards, bool matchCase)
{
    const long long count = rows.RowCount();
    const Qt::CaseSensitivity sensitivity = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    // Every row once, starting next to from and going round.
    long long row = from < 0 ? (forwards ? -1 : count) : from;
    bool wrapped = false;
    for (long long step = 0; step < count; ++step) {
        row += forwards ? 1 : -1;
        if (row >= count || row < 0) {
            row = forwards ? 0 : count - 1;
            wrapped = from >= 0;
        }
        if (rows.RowString(row).contains(needle, sensitivity))
            return {row, row, wrapped};
    }
    return {};
}

CRowSearch::MATCH CRowSearch::FindInBytes(const CRowText& rows, const QString& needle,
                                          long long from, bool forwards, bool matchCase)
{
    const QByteArray wanted = HexNeedle(needle);
    // Hex pairs name bytes exactly; only text can match without case.
    const bool exact = matchCase || IsHexPairs(needle);
    const std::string content = rows.Bytes();
    const auto equal = [exact](char a, char b) {
        return Folded(static_cast<unsigned char>(a), exact) ==
               Folded(static_cast<unsigned char>(b), exact);
    };
    const auto matchAt = [&](std::size_t pos) {
        return pos + static_cast<std::size_t>(wanted.size()) <= content.size() &&
               std::equal(wanted.begin(), wanted.end(), content.begin() + static_cast<long>(pos),
                          equal);
    };
    const long long perRow = rows.BytesPerRow();
    const long long size = static_cast<long long>(content.size());
    if (size == 0 || wanted.isEmpty())
        return {};
    // Matches start in the rows after from (before it going back), then
    // round the end.
    long long pos =
        from < 0 ? (forwards ? -1 : size) : (forwards ? (from + 1) * perRow - 1 : from * perRow);
    bool wrapped = false;
    for (long long step = 0; step < size; ++step) {
        pos += forwards ? 1 : -1;
        if (pos >= size || pos < 0) {
            pos = forwards ? 0 : size - 1;
            wrapped = from >= 0;
        }
        if (matchAt(static_cast<std::size_t>(pos))) {
            const long long last = pos + wanted.size() - 1;
            return {pos / perRow, last / perRow, wrapped};
        }
    }
    return {};
}
