#include "dialogs/properties_decision.h"

CPropertiesDecision::Outcome CPropertiesDecision::Decide(const ComparisonSettings& oldSettings,
                                                         const ComparisonSettings& newSettings,
                                                         const DisplayValues& oldDisplay,
                                                         const DisplayValues& newDisplay,
                                                         bool binaryShown, bool filesLoaded)
{
    if (filesLoaded && ComparisonChanged(oldSettings, newSettings, binaryShown))
        return Outcome::Recompare;
    if (DisplayChanged(oldDisplay, newDisplay, binaryShown))
        return Outcome::Redraw;
    return Outcome::Nothing;
}

// Letter case and blanks steer only the comparison of lines.
bool CPropertiesDecision::ComparisonChanged(const ComparisonSettings& a,
                                            const ComparisonSettings& b, bool binary)
{
    if (binary)
        return a.binBlockSize != b.binBlockSize || a.binLimit != b.binLimit;
    return a.txtBlockSize != b.txtBlockSize || a.txtLimit != b.txtLimit ||
           a.ignoreCase != b.ignoreCase || a.ignoreBlanks != b.ignoreBlanks;
}

bool CPropertiesDecision::DirectoryOptionsChanged(const ComparisonSettings& a,
                                                  const ComparisonSettings& b)
{
    return a.exclude != b.exclude || a.skipVersionControl != b.skipVersionControl ||
           a.ignoreNameCase != b.ignoreNameCase;
}

// The tab size lays out text rows; the other three shape hex rows.
bool CPropertiesDecision::DisplayChanged(const DisplayValues& a, const DisplayValues& b,
                                         bool binary)
{
    if (binary)
        return a.showIndex != b.showIndex || a.showAscii != b.showAscii ||
               a.bytesPerRow != b.bytesPerRow;
    return a.tabSize != b.tabSize;
}
