#pragma once

class CDirNodeList;

// How many entries of a directory comparison are identical, modified, only in
// the first tree (removed) and only in the second (added). A pair counts once.
class CDirCounts
{
public:
    CDirCounts(const CDirNodeList& first, const CDirNodeList& second);

    long long identical = 0;
    long long modified = 0;
    long long removed = 0;
    long long added = 0;
};
