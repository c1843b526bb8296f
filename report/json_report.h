#pragma once

#include <QStringList>

#include <string_view>

class CDiffBuf;
class CDiffDoc;
class COutputBuffer;
struct DIFF_BLOCK;

// The result as one JSON object: the mode, both files with their element
// counts, whether they are equal byte for byte, the counts of a summary, the
// document's messages, and every block of the composite list in order. Written
// by hand, block by block, so that a result of many blocks costs no document
// tree in memory.
class CJsonReport
{
public:
    explicit CJsonReport(COutputBuffer& out);

    void Write(const CDiffDoc& doc, const QStringList& messages, bool identical);

private:
    void WriteFile(std::string_view key, const CDiffBuf& buf);
    void WriteSummary(const CDiffDoc& doc);
    void WriteMessages(const QStringList& messages);
    void WriteBlocks(const CDiffDoc& doc);
    void WriteBlock(const DIFF_BLOCK& block);
    void WriteNumberField(std::string_view key, long long value);
    void WriteString(std::string_view utf8);

    COutputBuffer& out_;
};
