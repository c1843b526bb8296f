#include "views/strip_scale.h"

#include "engine/diff_block.h"

int CStripScale::Next(const DIFF_BLOCK& block)
{
    const double h = block.length * scale_ + carry_;
    int t = static_cast<int>(h);
    if (t <= 0 && !block.IsCommon())
        t = 1;
    carry_ = h - t;
    top_ = y_;
    if (t <= 0)
        return 0;
    y_ += t;
    return t;
}
