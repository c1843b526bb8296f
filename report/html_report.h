#pragma once

#include <QStringList>

#include <string>

class CAppearanceSettings;
class CDiffDoc;
class COutputBuffer;

// A file comparison as one HTML page: the two paths, the options it ran
// with, the summary counts, the listing in composite order or side by side
// (CHtmlListing) and the document's messages.
class CHtmlReport
{
public:
    CHtmlReport(COutputBuffer& out, const CAppearanceSettings& look, bool sideBySide);

    void Write(const CDiffDoc& doc, const std::string& firstPath, const std::string& secondPath,
               const QStringList& messages);

    // The options of a comparison as one line, for the page and for each
    // file of a directory page.
    static std::string OptionsLine(const CDiffDoc& doc);

private:
    COutputBuffer& out_;
    const CAppearanceSettings& look_;
    bool sideBySide_;
};
