#pragma once

#include <string>

class CDirNodeList;
class COutputBuffer;
struct CDirNode;

// A directory comparison as text: one line per entry of both trees, a pair
// once, in the order of the composite tree (folders first at each level, each
// folder followed by its content). Each line holds a marker and the entry's
// whole path relative to its root, so that a line found by grep says where the
// entry is; folders end in "/". A summary line with the counts follows.
class CDirTextReport
{
public:
    // brief: list only the entries that are not identical. terminal: the
    // output is a terminal, where control bytes in names are escaped
    // (CVisibleText); elsewhere names are written byte for byte.
    CDirTextReport(COutputBuffer& out, bool color, bool brief, bool terminal);

    void Write(const CDirNodeList& first, const CDirNodeList& second);

private:
    void WriteEntry(const CDirNode& node);
    void WriteName(const std::string& name);
    void WriteSummary(const CDirNodeList& first, const CDirNodeList& second);

    COutputBuffer& out_;
    bool color_;
    bool brief_;
    bool terminal_;
};
