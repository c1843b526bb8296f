#include "document/path_names.h"

std::string CPathNames::JoinPath(const std::string& folder, const std::string& name)
{
    if (!folder.empty() && folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

std::string_view CPathNames::Leaf(const std::string& name)
{
    const std::size_t slash = name.rfind('/');
    return slash == std::string::npos ? std::string_view(name)
                                      : std::string_view(name).substr(slash + 1);
}

std::vector<std::string> CPathNames::SplitAtSeparators(const std::string& path)
{
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t slash = path.find('/'); slash != std::string::npos;
         slash = path.find('/', start)) {
        pieces.push_back(path.substr(start, slash - start));
        start = slash + 1;
    }
    pieces.push_back(path.substr(start));
    return pieces;
}

std::string CPathNames::ShortenPath(const std::string& path, const std::string& otherPath)
{
    std::vector<std::string> folders = SplitAtSeparators(path);
    const std::string fileName = folders.back();
    folders.pop_back();
    std::vector<std::string> otherFolders = SplitAtSeparators(otherPath);
    otherFolders.pop_back();

    auto first = folders.cbegin();
    auto last = folders.cend();
    auto otherFirst = otherFolders.cbegin();
    auto otherLast = otherFolders.cend();
    bool leadingCut = false;
    while (first != last && otherFirst != otherLast && *first == *otherFirst) {
        ++first;
        ++otherFirst;
        leadingCut = true;
    }
    bool trailingCut = false;
    while (first != last && otherFirst != otherLast && *(last - 1) == *(otherLast - 1)) {
        --last;
        --otherLast;
        trailingCut = true;
    }

    std::string shortened = leadingCut ? ".../" : "";
    for (auto folder = first; folder != last; ++folder)
        shortened += *folder + '/';
    if (trailingCut)
        shortened += ".../";
    return shortened + fileName;
}
