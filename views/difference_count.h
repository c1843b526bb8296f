#pragma once

class CBlockList;

// Which of the differences Next and Previous Difference stop at stands at a
// position, counted as the status bar tells it ("Difference 3 of 41"). The
// stops are those of CDiffNavigation: in the composite list the start of
// every block that is not common; on a side's list the end of every common
// or moved block that ends inside the file.
class CDifferenceCount
{
public:
    struct ORDINAL
    {
        int index = 0; // 1 for the first stop; 0 when p lies before it
        int count = 0;
    };

    static ORDINAL InComposite(const CBlockList& all, long long p);
    static ORDINAL InSide(const CBlockList& side, long long count, long long p);
};
