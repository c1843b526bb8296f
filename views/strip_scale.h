#pragma once

struct DIFF_BLOCK;

// The blocks of a list scaled to pixels one after another, as the overview
// stacks them in a strip. The fraction of a pixel a block leaves over is
// carried into the next, so that rounding never piles up down the strip; a
// difference too short for a pixel of its own still gets one, so that no
// difference disappears from the strip.
class CStripScale
{
public:
    explicit CStripScale(double pixelsPerUnit) : scale_(pixelsPerUnit) {}

    // The pixel height of the next block, 0 when it is not drawn.
    int Next(const DIFF_BLOCK& block);
    // The top of the block last scaled, and where the next one starts.
    int top() const { return top_; }
    int y() const { return y_; }
    double carry() const { return carry_; }

private:
    double scale_;
    double carry_ = 0.0;
    int y_ = 0;
    int top_ = 0;
};
