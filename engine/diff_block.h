#pragma once

// One block of a file comparison result: a stretch of elements (lines or
// bytes) that is common to both files, present in one file only, or moved.
enum class BlockKind : int
{
    Common = 0,
    Unmatched = 1,
    Moved = 2,
};

struct DIFF_BLOCK
{
    int id = 0;
    int length = 0;
    BlockKind kind = BlockKind::Common;
    // A Common block keeps its position in the first and in the second file
    // here; any other block keeps its side (0 first file, 1 second file) and
    // its position in that side's file.
    int field[2] = {0, 0};

    int posA() const { return field[0]; }
    int posB() const { return field[1]; }
    int side() const { return field[0]; }
    int pos() const { return field[1]; }
    bool IsCommon() const { return kind == BlockKind::Common; }

    // Position of the block in file s. For a block that is not Common this is
    // only meaningful when s is its side.
    int PosIn(int s) const { return IsCommon() ? field[s] : field[1]; }

    static DIFF_BLOCK MakeCommon(int id, int length, int posA, int posB)
    {
        return DIFF_BLOCK{id, length, BlockKind::Common, {posA, posB}};
    }
    static DIFF_BLOCK MakeSided(int id, BlockKind kind, int length, int side, int pos)
    {
        return DIFF_BLOCK{id, length, kind, {side, pos}};
    }

    friend bool operator==(const DIFF_BLOCK&, const DIFF_BLOCK&) = default;
};

// Draws the next block id from the process-wide counter. The counter starts at
// 0 and is never reset, so blocks of different comparisons never share an id.
int NextBlockId();
