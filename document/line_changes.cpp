#include "document/line_changes.h"

#include "engine/text_buf.h"

#include <dtl/dtl.hpp>

#include <algorithm>
#include <cstddef>

namespace {

// A word is a run of letters, digits, underscores and non-ASCII bytes (so
// that a UTF-8 word stays one token); blanks form runs; any other byte is a
// token of its own.
enum class TokenKind { Word, Blank, Other };

struct Token
{
    std::string_view text;
    int start;
    TokenKind kind;

    // The diff library's default comparison; the one in use is TokenCompare.
    friend bool operator==(const Token& a, const Token& b) { return a.text == b.text; }
};

TokenKind KindOf(unsigned char c)
{
    if (CTextBuf::IsBlank(c))
        return TokenKind::Blank;
    if (c >= 0x80 || c == '_' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') ||
        (c >= 'A' && c <= 'Z'))
        return TokenKind::Word;
    return TokenKind::Other;
}

// Blanks are left out of the sequence when the comparison ignores them, so
// that they are neither compared nor marked.
std::vector<Token> Tokenize(std::string_view line, bool ignoreBlanks)
{
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < line.size()) {
        const TokenKind kind = KindOf(static_cast<unsigned char>(line[i]));
        std::size_t end = i + 1;
        if (kind != TokenKind::Other) {
            while (end < line.size() && KindOf(static_cast<unsigned char>(line[end])) == kind)
                ++end;
        }
        if (!(ignoreBlanks && kind == TokenKind::Blank))
            tokens.push_back({line.substr(i, end - i), static_cast<int>(i), kind});
        i = end;
    }
    return tokens;
}

// The characters of a word: one element per UTF-8 sequence, one per byte
// where the bytes are no UTF-8.
std::vector<Token> Characters(const Token& word)
{
    std::vector<Token> characters;
    std::size_t i = 0;
    while (i < word.text.size()) {
        std::size_t length =
            CTextBuf::Utf8SequenceLength(word.text.data() + i, word.text.size() - i);
        if (length == 0)
            length = 1;
        characters.push_back(
            {word.text.substr(i, length), word.start + static_cast<int>(i), TokenKind::Word});
        i += length;
    }
    return characters;
}

bool TextsEqual(std::string_view a, std::string_view b, bool ignoreCase)
{
    if (a.size() != b.size())
        return false;
    if (!ignoreCase)
        return a == b;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (CTextBuf::FoldCase(static_cast<unsigned char>(a[i])) !=
            CTextBuf::FoldCase(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

class TokenCompare : public dtl::Compare<Token>
{
public:
    TokenCompare() = default;
    explicit TokenCompare(bool ignoreCase) : ignoreCase_(ignoreCase) {}
    bool impl(const Token& a, const Token& b) const override
    {
        return TextsEqual(a.text, b.text, ignoreCase_);
    }

private:
    bool ignoreCase_ = false;
};

// One stretch of the edit script between two common tokens: what the first
// line lost there and what the second gained.
struct Hunk
{
    std::vector<Token> removed;
    std::vector<Token> added;
};

std::vector<Hunk> HunksOf(const std::vector<Token>& first, const std::vector<Token>& second,
                          bool ignoreCase)
{
    dtl::Diff<Token, std::vector<Token>, TokenCompare> diff(first, second,
                                                            TokenCompare(ignoreCase));
    diff.compose();
    std::vector<Hunk> hunks;
    bool open = false;
    for (const auto& [token, info] : diff.getSes().getSequence()) {
        if (info.type == dtl::SES_COMMON) {
            open = false;
            continue;
        }
        if (!open)
            hunks.emplace_back();
        open = true;
        // The script's own element may come from either line; the indices
        // say which one it is.
        if (info.type == dtl::SES_DELETE)
            hunks.back().removed.push_back(first[static_cast<std::size_t>(info.beforeIdx - 1)]);
        else
            hunks.back().added.push_back(second[static_cast<std::size_t>(info.afterIdx - 1)]);
    }
    return hunks;
}

void Mark(std::vector<LineChanges::Span>& spans, const Token& token)
{
    const int end = token.start + static_cast<int>(token.text.size());
    if (!spans.empty() && spans.back().start + spans.back().length == token.start) {
        spans.back().length = end - spans.back().start;
        return;
    }
    spans.push_back({token.start, end - token.start});
}

// A word that became one other word is marked by its characters, unless the
// two share too little for the marks to say more than "this word changed".
bool MarkChangedWord(const Token& removed, const Token& added, bool ignoreCase,
                     LineChanges& changes)
{
    const std::vector<Token> before = Characters(removed);
    const std::vector<Token> after = Characters(added);
    const std::vector<Hunk> hunks = HunksOf(before, after, ignoreCase);
    int common = static_cast<int>(removed.text.size());
    for (const Hunk& hunk : hunks)
        for (const Token& c : hunk.removed)
            common -= static_cast<int>(c.text.size());
    const int shorter = static_cast<int>(std::min(removed.text.size(), added.text.size()));
    if (2 * common < shorter)
        return false;
    for (const Hunk& hunk : hunks) {
        for (const Token& c : hunk.removed)
            Mark(changes.first, c);
        for (const Token& c : hunk.added)
            Mark(changes.second, c);
    }
    return true;
}

} // namespace

LineChanges FindLineChanges(std::string_view first, std::string_view second, bool ignoreCase,
                            bool ignoreBlanks)
{
    LineChanges changes;
    if (first.size() > static_cast<std::size_t>(kLongestMarkedLine) ||
        second.size() > static_cast<std::size_t>(kLongestMarkedLine))
        return changes;
    if (CTextBuf::LinesEqual(first.data(), static_cast<int>(first.size()), second.data(),
                             static_cast<int>(second.size()), ignoreCase, ignoreBlanks))
        return changes;
    const std::vector<Token> before = Tokenize(first, ignoreBlanks);
    const std::vector<Token> after = Tokenize(second, ignoreBlanks);
    for (const Hunk& hunk : HunksOf(before, after, ignoreCase)) {
        const bool oneWordForAnother = hunk.removed.size() == 1 && hunk.added.size() == 1 &&
                                       hunk.removed[0].kind == TokenKind::Word &&
                                       hunk.added[0].kind == TokenKind::Word;
        if (oneWordForAnother &&
            MarkChangedWord(hunk.removed[0], hunk.added[0], ignoreCase, changes))
            continue;
        for (const Token& token : hunk.removed)
            Mark(changes.first, token);
        for (const Token& token : hunk.added)
            Mark(changes.second, token);
    }
    return changes;
}
