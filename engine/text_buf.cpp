#include "engine/text_buf.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

bool IsContinuationByte(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

} // namespace

// The well-formed sequences of the Unicode standard (its table 3-7): the lead
// byte sets the length and the range of the byte after it, which is what
// rules out overlong forms, surrogates and code points above U+10FFFF.
std::size_t CTextBuf::Utf8SequenceLength(const char* bytes, std::size_t length)
{
    if (length == 0)
        return 0;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes);
    const unsigned char c = p[0];
    if (c < 0x80)
        return 1;
    std::size_t extra = 0;
    unsigned char low = 0x80; // the range of the first continuation byte
    unsigned char high = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        extra = 1;
    } else if (c >= 0xE0 && c <= 0xEF) {
        extra = 2;
        low = c == 0xE0 ? 0xA0 : 0x80;
        high = c == 0xED ? 0x9F : 0xBF;
    } else if (c >= 0xF0 && c <= 0xF4) {
        extra = 3;
        low = c == 0xF0 ? 0x90 : 0x80;
        high = c == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (length <= extra || p[1] < low || p[1] > high)
        return 0;
    for (std::size_t k = 2; k <= extra; ++k) {
        if (!IsContinuationByte(p[k]))
            return 0;
    }
    return extra + 1;
}

bool CTextBuf::IsValidUtf8(const char* bytes, std::size_t n)
{
    std::size_t i = 0;
    while (i < n) {
        const std::size_t sequence = Utf8SequenceLength(bytes + i, n - i);
        if (sequence == 0)
            return false;
        i += sequence;
    }
    return true;
}

long long CTextBuf::DisplayColumns(const char* bytes, std::size_t length, int tabSize)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes);
    long long columns = 0;
    long long continuations = 0;
    bool beyondAscii = false;
    for (std::size_t i = 0; i < length; ++i) {
        if (p[i] == '\t') {
            columns += tabSize;
            continue;
        }
        ++columns;
        if (p[i] >= 0x80) {
            beyondAscii = true;
            continuations += IsContinuationByte(p[i]) ? 1 : 0;
        }
    }
    // A valid UTF-8 line is shown one character per code point; any other
    // line one character per byte.
    if (beyondAscii && IsValidUtf8(bytes, length))
        columns -= continuations;
    return columns;
}

CTextBuf::CTextBuf(std::string path, bool ignoreCase, bool ignoreBlanks)
    : CDiffBuf(Text, std::move(path)), ignoreBlanks(ignoreBlanks), ignoreCase(ignoreCase)
{
}

bool CTextBuf::SetData(std::vector<char> bytes)
{
    content_.clear();
    lines_.clear();
    size_ = 0;
    data_ = nullptr;
    lineCount_ = 0;
    if (bytes.size() > static_cast<std::size_t>(INT_MAX))
        return false;
    const auto lfCount = std::count(bytes.begin(), bytes.end(), '\n');
    // An empty text has no lines; otherwise one more than it has LF bytes.
    const long long lines = bytes.empty() ? 0 : 1 + static_cast<long long>(lfCount);
    if (lines > INT_MAX)
        return false;
    content_ = std::move(bytes);
    size_ = static_cast<int>(content_.size());
    data_ = content_.data();
    lineCount_ = static_cast<int>(lines);
    IndexLines();
    return true;
}

// One pass over the content records where each line's text starts and how long
// it is, so that any line is found at once, in any order: the comparison walks
// lines in both files far apart from each other, and the views jump around.
void CTextBuf::IndexLines()
{
    lines_.reserve(static_cast<std::size_t>(lineCount_));
    const char* text = content_.data();
    const int size = size_;
    int lineStart = 0;
    for (int n = 0; n < lineCount_; ++n) {
        const void* lf =
            std::memchr(text + lineStart, '\n', static_cast<std::size_t>(size - lineStart));
        const int lineEnd = lf ? static_cast<int>(static_cast<const char*>(lf) - text) : size;
        int start = lineStart;
        while (start < lineEnd && text[start] == '\r')
            ++start;
        int end = lineEnd;
        while (end > start && text[end - 1] == '\r')
            --end;
        lines_.push_back(LineSpan{start, end - start});
        lineStart = lineEnd + 1;
    }
}

const char* CTextBuf::GetLine(int n, int* length) const
{
    const LineSpan& line = lines_[static_cast<std::size_t>(n)];
    *length = line.length;
    return content_.data() + line.start;
}

bool CTextBuf::IsEqual(int i, const CDiffBuf* other, int j) const
{
    const auto* that = static_cast<const CTextBuf*>(other);
    int la = 0;
    int lb = 0;
    const char* p = GetLine(i, &la);
    const char* q = that->GetLine(j, &lb);
    return LinesEqual(p, la, q, lb, ignoreCase, ignoreBlanks);
}

bool CTextBuf::LinesEqual(const char* line1, int la, const char* line2, int lb, bool ignoreCase,
                          bool ignoreBlanks)
{
    const auto* p = reinterpret_cast<const unsigned char*>(line1);
    const auto* q = reinterpret_cast<const unsigned char*>(line2);
    if (!ignoreBlanks && la != lb)
        return false;
    int x = 0;
    int y = 0;
    while (x < la) {
        if (y >= lb) {
            // The other line is used up: what is left here may only be blank.
            while (x < la && IsBlank(p[x]))
                ++x;
            return x == la;
        }
        if (ignoreBlanks) {
            if (IsBlank(p[x])) {
                ++x;
                continue;
            }
            if (IsBlank(q[y])) {
                ++y;
                continue;
            }
        }
        unsigned char c = p[x];
        unsigned char d = q[y];
        if (ignoreCase) {
            c = FoldCase(c);
            d = FoldCase(d);
        }
        if (c != d)
            return false;
        ++x;
        ++y;
    }
    while (y < lb && IsBlank(q[y]))
        ++y;
    return y == lb;
}

int CTextBuf::MatchLength(const CDiffBuf* other, int i, int j, int max) const
{
    int n = 0;
    const int limit = std::min({max, GetCount() - i, other->GetCount() - j});
    while (n < limit && IsEqual(i + n, other, j + n))
        ++n;
    return n;
}

int CTextBuf::GetMaxWidth(int tabSize) const
{
    if (content_.empty())
        return 0;
    long long widest = 0;
    const char* text = content_.data();
    std::size_t lineStart = 0;
    while (lineStart <= content_.size()) {
        const void* lf = std::memchr(text + lineStart, '\n', content_.size() - lineStart);
        const std::size_t lineEnd =
            lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - text) : content_.size();
        widest = std::max(widest, DisplayColumns(text + lineStart, lineEnd - lineStart, tabSize));
        lineStart = lineEnd + 1;
    }
    return static_cast<int>(std::min<long long>(widest, INT_MAX));
}
