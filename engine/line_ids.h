#pragma once

#include "engine/text_buf.h"

#include <cstdint>
#include <vector>

// Gives every line of two text buffers an equality id: two lines get the same id
// exactly when the first buffer's options make them equal. Comparing two lines
// then costs one integer comparison, however long the lines are.
class CLineIds
{
public:
    CLineIds(const CTextBuf& first, const CTextBuf& second);

    const std::vector<std::uint32_t>& First() const { return first_; }
    const std::vector<std::uint32_t>& Second() const { return second_; }

private:
    std::vector<std::uint32_t> first_;
    std::vector<std::uint32_t> second_;
};
