#pragma once

class CBlockList;

// Where Next Difference (F7) and Previous Difference (F8) go, in content
// units (lines or bytes), from the position p at a pane's reading line.
// In the composite list a difference is any block that is not common; on one
// side's list the stops are the ends of common and moved blocks, the places
// where that file's own removed or added content begins.
class CDiffNavigation
{
public:
    // The start of the first difference after p; else the start of the last
    // difference; else 0.
    static long long NextInComposite(const CBlockList& all, long long p);
    // The start of the nearest difference before p; else the start of the
    // first difference; else the total.
    static long long PreviousInComposite(const CBlockList& all, long long p);
    // The end of the first common or moved block of a side's list that ends
    // after p; else p. count is the side's length.
    static long long NextInSide(const CBlockList& side, long long count, long long p);
    // The end of the last common or moved block that ends before p; else p.
    static long long PreviousInSide(const CBlockList& side, long long p);
};
