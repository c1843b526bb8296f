#include "directory/name_filter.h"

#include <fnmatch.h>

CNameFilter::CNameFilter(const std::vector<std::string>& patterns)
{
    for (std::string pattern : patterns) {
        RULE rule;
        if (!pattern.empty() && pattern.front() == '!') {
            rule.keeps = true;
            pattern.erase(0, 1);
        }
        while (!pattern.empty() && pattern.back() == '/') {
            rule.foldersOnly = true;
            pattern.pop_back();
        }
        // "!" or "/" alone names nothing.
        if (pattern.empty())
            continue;
        rule.glob = std::move(pattern);
        rules_.push_back(std::move(rule));
    }
}

const std::vector<std::string>& CNameFilter::VersionControlPatterns()
{
    static const std::vector<std::string> patterns = {".git/", ".hg/", ".svn/", "CVS/"};
    return patterns;
}

std::vector<std::string> CNameFilter::Split(std::string_view text)
{
    std::vector<std::string> patterns;
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (!text.empty()) {
        const std::size_t end = text.find(';');
        std::string_view piece = text.substr(0, end);
        while (!piece.empty() && isBlank(piece.front()))
            piece.remove_prefix(1);
        while (!piece.empty() && isBlank(piece.back()))
            piece.remove_suffix(1);
        if (!piece.empty())
            patterns.emplace_back(piece);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return patterns;
}

std::string CNameFilter::Join(const std::vector<std::string>& patterns)
{
    std::string text;
    for (const std::string& pattern : patterns) {
        if (!text.empty())
            text += "; ";
        text += pattern;
    }
    return text;
}

bool CNameFilter::Excludes(const char* name, bool isFolder) const
{
    // Later patterns override earlier ones, so the first match from the end
    // decides.
    for (auto rule = rules_.rbegin(); rule != rules_.rend(); ++rule) {
        if (rule->foldersOnly && !isFolder)
            continue;
        // Hidden names are matched like any other ("*" takes ".git" too), as
        // in a .gitignore file: a filter is about what to leave out.
        if (::fnmatch(rule->glob.c_str(), name, 0) == 0)
            return !rule->keeps;
    }
    return false;
}
