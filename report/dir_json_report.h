#pragma once

#include <string_view>

class CDirNodeList;
class COutputBuffer;
struct CDirNode;

// A directory comparison as one JSON object: the mode, whether the trees are
// identical, the counts of the summary, and each tree with its root path and
// its nodes in scan order. A node carries its relative name, whether it is a
// file, its status and the name of its counterpart (null when unpaired).
// Written node by node, so that a large tree costs no document in memory.
class CDirJsonReport
{
public:
    explicit CDirJsonReport(COutputBuffer& out);

    void Write(const CDirNodeList& first, const CDirNodeList& second, bool identical);

private:
    void WriteSummary(const CDirNodeList& first, const CDirNodeList& second);
    void WriteTree(std::string_view key, const CDirNodeList& list, bool last);
    void WriteNode(const CDirNode& node);

    COutputBuffer& out_;
};
