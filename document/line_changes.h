#pragma once

#include <string_view>
#include <vector>

// Where two lines that stand at the same place of a comparison differ, as
// byte spans of each line. Word tokens are compared first; inside a word
// that changed into one other word, its characters. Used by the views and
// the reports alike, so it depends only on the two lines and the options.
struct LineChanges
{
    struct Span
    {
        int start;
        int length;

        friend bool operator==(const Span&, const Span&) = default;
    };
    std::vector<Span> first;
    std::vector<Span> second;

    bool empty() const { return first.empty() && second.empty(); }
};

// Lines longer than this are not marked: a token diff of minified or
// generated lines costs more than the marks help anyone read.
inline constexpr int kLongestMarkedLine = 4000;

// The byte spans of each line that differ from the other line. Nothing is
// marked for differences the options ignore (letter case, blanks), nor when
// either line is longer than kLongestMarkedLine bytes.
LineChanges FindLineChanges(std::string_view first, std::string_view second, bool ignoreCase,
                            bool ignoreBlanks);
