#pragma once

#include "engine/block_list.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <sys/stat.h>

// A temporary folder that the test fills with a few small files.
class CDocumentFixture : public ::testing::Test
{
protected:
    std::string PathOf(const std::string& name) const
    {
        return folder_.filePath(QString::fromStdString(name)).toStdString();
    }

    std::string Write(const std::string& name, const std::string& bytes) const
    {
        const std::string path = PathOf(name);
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        return path;
    }

    std::string MakeFifo(const std::string& name) const
    {
        const std::string path = PathOf(name);
        EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
        return path;
    }

    QTemporaryDir folder_;
};

// A result in a form that reads well in a failure message: each block of the
// list in order, "=" for Common, "-" and "+" for Unmatched in the first and
// second file, "<" and ">" for the halves of a Moved pair, then its length.
inline std::string DescribeBlocks(const CBlockList& list)
{
    std::string text;
    for (const DIFF_BLOCK* block : list.Blocks()) {
        if (!text.empty())
            text += ' ';
        if (block->IsCommon())
            text += '=';
        else if (block->kind == BlockKind::Unmatched)
            text += block->side() == 0 ? '-' : '+';
        else
            text += block->side() == 0 ? '<' : '>';
        text += std::to_string(block->length);
    }
    return text;
}
