#include "engine/text_buf.h"

#include <algorithm>
#include <climits>
#include <cstring>

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
    long long widest = 0;
    long long width = 0;
    for (char c : content_) {
        if (c == '\t') {
            width += tabSize;
        } else if (c == '\n') {
            widest = std::max(widest, width);
            width = 0;
        } else {
            ++width;
        }
    }
    widest = std::max(widest, width);
    return static_cast<int>(std::min<long long>(widest, INT_MAX));
}
