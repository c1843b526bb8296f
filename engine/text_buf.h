#pragma once

#include "engine/diff_buf.h"

#include <cstdint>
#include <vector>

// A text file compared line by line. Line n is the text after the n-th LF up to
// the next LF or the end of the content, without the CR bytes at its start and
// the CR bytes directly before its end.
class CTextBuf : public CDiffBuf
{
public:
    CTextBuf(std::string path, bool ignoreCase, bool ignoreBlanks);

    // Takes the file's bytes. Returns false, keeping no content, when the
    // content is too large for 32-bit counts of bytes or lines.
    bool SetData(std::vector<char> bytes);

    int GetCount() const override { return lineCount_; }
    bool IsEqual(int i, const CDiffBuf* other, int j) const override;
    int MatchLength(const CDiffBuf* other, int i, int j, int max) const override;

    // Start of line n (0 <= n < lineCount); its length is stored in *length.
    const char* GetLine(int n, int* length) const;
    // Width of the widest line in columns, a tab counting tabSize columns.
    int GetMaxWidth(int tabSize) const;
    // Whether the bytes are well-formed UTF-8: no stray or missing
    // continuation bytes, no overlong forms, no surrogates and nothing above
    // U+10FFFF.
    static bool IsValidUtf8(const char* bytes, std::size_t length);
    // How many bytes the well-formed UTF-8 sequence at the start of bytes
    // takes (1 for ASCII), or 0 when they start with none. The one rule of
    // validity for the views and for every report that writes UTF-8.
    static std::size_t Utf8SequenceLength(const char* bytes, std::size_t length);
    // Columns of one line as the views show it: a tab is tabSize blanks, a
    // line of valid UTF-8 one column per code point, any other line one
    // column per byte.
    static long long DisplayColumns(const char* bytes, std::size_t length, int tabSize);
    int lineCount() const { return lineCount_; }

    // The comparison options; the document changes them between comparisons.
    bool ignoreBlanks;
    bool ignoreCase;

    // Two line texts compared under the given options: with ignoreBlanks their
    // sequences of non-blank bytes must be equal, otherwise all their bytes;
    // ignoreCase folds the ASCII letters only.
    static bool LinesEqual(const char* p, int la, const char* q, int lb, bool ignoreCase,
                           bool ignoreBlanks);

    // A blank byte is any byte up to 0x20: space, tab and the control bytes.
    static bool IsBlank(unsigned char c) { return c <= 0x20; }
    static unsigned char FoldCase(unsigned char c)
    {
        return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
    }

private:
    struct LineSpan
    {
        std::int32_t start;
        std::int32_t length;
    };

    void IndexLines();

    std::vector<char> content_;
    std::vector<LineSpan> lines_;
    int lineCount_ = 0;
};
