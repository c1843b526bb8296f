#pragma once

#include <string>

class CDirNodeList;

// How many entries of a directory comparison are identical, modified, only in
// the first tree (removed) and only in the second (added). A pair counts once.
class CDirCounts
{
public:
    CDirCounts(const CDirNodeList& first, const CDirNodeList& second);

    // The summary as the reports print it: "3 identical, 1 modified, 0
    // removed, 2 added entries".
    std::string Sentence() const;

    long long identical = 0;
    long long modified = 0;
    long long removed = 0;
    long long added = 0;
};
