#pragma once

#include <QString>

#include <string>
#include <vector>

class QSettings;

// The pairs of files or folders the user compared last, newest first, as the
// bytes the file system names them by.
class CRecentList
{
public:
    static constexpr std::size_t kMaxPairs = 10;

    struct PAIR
    {
        std::string first;
        std::string second;
        bool folders = false;
        bool operator==(const PAIR&) const = default;
    };

    // Puts the pair first; the same pair further down goes, and the oldest
    // beyond kMaxPairs.
    void Add(const PAIR& pair);
    void Clear() { pairs_.clear(); }
    const std::vector<PAIR>& Pairs() const { return pairs_; }

    // Section "Recent Comparisons": "Count", then "First1", "Second1" and
    // "Folders1" and so on. Entries without both paths are skipped.
    void Load(QSettings& store);
    void Save(QSettings& store) const;

private:
    std::vector<PAIR> pairs_;
};
