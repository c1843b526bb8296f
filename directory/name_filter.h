#pragma once

#include <string>
#include <string_view>
#include <vector>

// Which entries of a tree take part in a directory comparison, by their
// names. Each pattern is a shell glob on an entry's own name ("*.o",
// "__pycache__"); one ending in "/" matches folders only; one starting with
// "!" keeps what an earlier pattern dropped. The last pattern that matches
// decides, as in a .gitignore file. An empty filter keeps everything.
class CNameFilter
{
public:
    CNameFilter() = default;
    explicit CNameFilter(const std::vector<std::string>& patterns);

    // The folders of the common version control systems.
    static const std::vector<std::string>& VersionControlPatterns();
    // Patterns as one line of text, separated by ";" (blanks around each
    // are dropped), and back.
    static std::vector<std::string> Split(std::string_view text);
    static std::string Join(const std::vector<std::string>& patterns);

    bool IsEmpty() const { return rules_.empty(); }
    // Whether an entry with this name is left out of the comparison.
    bool Excludes(const char* name, bool isFolder) const;

private:
    struct RULE
    {
        std::string glob;
        bool foldersOnly = false;
        bool keeps = false;
    };
    std::vector<RULE> rules_;
};
