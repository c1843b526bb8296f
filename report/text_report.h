#pragma once

#include <QStringList>

#include <string_view>

class CDiffBuf;
class CDiffDoc;
class COutputBuffer;
class CTextBuf;
struct DIFF_BLOCK;

// The composite listing of a result, as the window's composite view shows it:
// one row per line of a text file, or per 16 bytes of a binary file, each
// marked with how it differs; then a summary line and the document's messages.
class CTextReport
{
public:
    // brief: leave out the identical rows. terminal: the output is a
    // terminal, where control bytes in lines are escaped (CVisibleText);
    // elsewhere lines are written byte for byte.
    CTextReport(COutputBuffer& out, bool color, bool brief, bool terminal);

    void Write(const CDiffDoc& doc, const QStringList& messages);

private:
    enum RowKind
    {
        Same,
        Removed,
        Added,
        MovedAway,
        MovedIn
    };

    static RowKind KindOf(const DIFF_BLOCK& block);
    void WriteBlock(const CDiffDoc& doc, const DIFF_BLOCK& block);
    void WriteLines(const CTextBuf& buf, int first, int count, RowKind kind);
    void WriteLineText(std::string_view line);
    void WriteHexRows(const CDiffBuf& buf, int first, int count, RowKind kind);
    void WriteHexRow(const unsigned char* bytes, int offset, int count);
    void BeginRow(RowKind kind);
    void EndRow();
    void WriteSummary(const CDiffDoc& doc);
    void WriteMessages(const QStringList& messages);

    COutputBuffer& out_;
    bool color_;
    bool brief_;
    bool terminal_;
    // The row being written started a colour that its end must reset.
    bool rowColored_ = false;
};
