#pragma once

#include "dialogs/display_values.h"
#include "document/comparison_settings.h"

// What the window does once the Properties dialog was accepted: compare the
// loaded files again, draw them again, or nothing. Only the fields that
// matter for what is shown count: the binary ones while binary files are
// shown, the text ones otherwise (also when nothing is loaded).
class CPropertiesDecision
{
public:
    enum class Outcome
    {
        Nothing,
        Redraw,
        Recompare,
    };

    // A comparison is repeated only when files are loaded; a new comparison
    // updates every view, so it wins over a redraw.
    static Outcome Decide(const ComparisonSettings& oldSettings,
                          const ComparisonSettings& newSettings, const DisplayValues& oldDisplay,
                          const DisplayValues& newDisplay, bool binaryShown, bool filesLoaded);

    // Whether two directories must be compared again: the filter or the
    // pairing of names changed.
    static bool DirectoryOptionsChanged(const ComparisonSettings& oldSettings,
                                        const ComparisonSettings& newSettings);

private:
    static bool ComparisonChanged(const ComparisonSettings& a, const ComparisonSettings& b,
                                  bool binary);
    static bool DisplayChanged(const DisplayValues& a, const DisplayValues& b, bool binary);
};
