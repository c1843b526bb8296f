#pragma once

#include <string>
#include <string_view>
#include <vector>

// Paths and relative names as the file system holds them: byte strings with
// '/' between their pieces. Every layer that builds or takes apart a path does
// it through here.
class CPathNames
{
public:
    // name inside folder, with exactly one separator between them when the
    // folder does not end in one already.
    static std::string JoinPath(const std::string& folder, const std::string& name);
    // The last piece of a path or relative name: what follows its last
    // separator, or all of it.
    static std::string_view Leaf(const std::string& name);
    // The pieces of path between its separators; the last one is the file
    // name.
    static std::vector<std::string> SplitAtSeparators(const std::string& path);
    // The display form of path with the folders it shares with otherPath at
    // its start and at its end replaced by ".../".
    static std::string ShortenPath(const std::string& path, const std::string& otherPath);
};
