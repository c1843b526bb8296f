#pragma once

#include "document/comparison_settings.h"

#include <string>

class CAppearanceSettings;
class CDiffDoc;
class CDirNodeList;
class COutputBuffer;
struct CDirNode;

// A directory comparison as one HTML page: the composite tree with the
// status icon of every entry, then each modified file pair compared line by
// line (or byte by byte) in a section of its own that opens on a click. The
// sections are bounded, per file and for the whole page, so that a tree of
// large generated files still gives a page a browser can open; a note says
// where a bound cut a section short or left it out.
class CDirHtmlReport
{
public:
    // Input bytes a file pair may have (the larger of the two) to be compared
    // on the page: beyond it the comparison alone is the better tool.
    static constexpr long long kMostFileBytes = 4LL << 20;
    // Rows of one file's listing, and of all listings of the page together:
    // a browser lays out a hundred thousand table rows in a few seconds.
    static constexpr long long kMostFileRows = 20000;
    static constexpr long long kMostPageRows = 100000;

    // settings: how the file pairs are compared.
    CDirHtmlReport(COutputBuffer& out, const CAppearanceSettings& look,
                   const ComparisonSettings& settings, bool sideBySide);

    void Write(const CDirNodeList& first, const CDirNodeList& second);

private:
    void WriteTree(const CDirNodeList& first, const CDirNodeList& second);
    void WriteEntry(const CDirNode& node, int section);
    void WriteSection(const CDirNodeList& first, const CDirNodeList& second, const CDirNode& node,
                      int section);
    void WriteListing(const CDiffDoc& doc, int section);
    void WriteNote(const std::string& text);
    // Whether the page shows the comparison of a file pair: a modified pair
    // of regular files.
    static bool HasSection(const CDirNode& node);
    static std::string SectionId(int section);

    COutputBuffer& out_;
    const CAppearanceSettings& look_;
    ComparisonSettings settings_;
    bool sideBySide_;
    long long pageRows_ = 0;
};
