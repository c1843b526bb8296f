#pragma once

#include <QStringList>

#include <string>

class CAppearanceSettings;
class CDiffDoc;
class CDirNodeList;
struct ComparisonSettings;

// An HTML report page saved to a file, as the window's Save Report writes it:
// the same page as the report mode prints. Each returns the reason it failed,
// or nothing when the page was written whole.
class CHtmlReportFile
{
public:
    static std::string SaveFiles(const std::string& path, const CDiffDoc& doc,
                                 const CAppearanceSettings& look, bool sideBySide);
    static std::string SaveDirectories(const std::string& path, const CDirNodeList& first,
                                       const CDirNodeList& second,
                                       const CAppearanceSettings& look,
                                       const ComparisonSettings& settings, bool sideBySide);
};
