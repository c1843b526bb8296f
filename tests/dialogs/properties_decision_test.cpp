#include "dialogs/properties_decision.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <utility>
#include <vector>

// A failing row names the outcomes in words.
void PrintTo(CPropertiesDecision::Outcome outcome, std::ostream* out)
{
    switch (outcome) {
    case CPropertiesDecision::Outcome::Nothing:
        *out << "nothing";
        return;
    case CPropertiesDecision::Outcome::Redraw:
        *out << "redraw";
        return;
    case CPropertiesDecision::Outcome::Recompare:
        *out << "recompare";
        return;
    }
}

namespace {

using Outcome = CPropertiesDecision::Outcome;

// One accepted dialog: what it changed against the defaults, what was shown
// and what the window must do.
struct DECISION_CASE
{
    const char* name;
    std::function<void(ComparisonSettings&)> changeSettings;
    std::function<void(DisplayValues&)> changeDisplay;
    bool binaryShown;
    bool filesLoaded;
    Outcome outcome;
};

void KeepSettings(ComparisonSettings&) {}
void KeepDisplay(DisplayValues&) {}

} // namespace

TEST(PropertiesDecision, FollowsTheFieldsOfWhatIsShown)
{
    using S = ComparisonSettings;
    using D = DisplayValues;
    // clang-format off
    const std::vector<DECISION_CASE> cases = {
        {"nothing changed, text", KeepSettings, KeepDisplay, false, true, Outcome::Nothing},
        {"nothing changed, binary", KeepSettings, KeepDisplay, true, true, Outcome::Nothing},
        {"text block size", [](S& s) { s.txtBlockSize = 3; }, KeepDisplay, false, true, Outcome::Recompare},
        {"text limit", [](S& s) { s.txtLimit = 10; }, KeepDisplay, false, true, Outcome::Recompare},
        {"ignore case", [](S& s) { s.ignoreCase = true; }, KeepDisplay, false, true, Outcome::Recompare},
        {"ignore blanks", [](S& s) { s.ignoreBlanks = true; }, KeepDisplay, false, true, Outcome::Recompare},
        {"binary block size while text shown", [](S& s) { s.binBlockSize = 4; }, KeepDisplay, false, true,
         Outcome::Nothing},
        {"binary limit while text shown", [](S& s) { s.binLimit = 4; }, KeepDisplay, false, true,
         Outcome::Nothing},
        {"binary block size", [](S& s) { s.binBlockSize = 4; }, KeepDisplay, true, true, Outcome::Recompare},
        {"binary limit", [](S& s) { s.binLimit = 4; }, KeepDisplay, true, true, Outcome::Recompare},
        {"text fields while binary shown",
         [](S& s) { s.txtBlockSize = 5; s.txtLimit = 1; s.ignoreCase = true; s.ignoreBlanks = true; },
         KeepDisplay, true, true, Outcome::Nothing},
        {"tab size, text", KeepSettings, [](D& d) { d.tabSize = 8; }, false, true, Outcome::Redraw},
        {"tab size while binary shown", KeepSettings, [](D& d) { d.tabSize = 8; }, true, true,
         Outcome::Nothing},
        {"bytes per row, binary", KeepSettings, [](D& d) { d.bytesPerRow = 16; }, true, true,
         Outcome::Redraw},
        {"show index, binary", KeepSettings, [](D& d) { d.showIndex = false; }, true, true,
         Outcome::Redraw},
        {"show ascii, binary", KeepSettings, [](D& d) { d.showAscii = false; }, true, true,
         Outcome::Redraw},
        {"hex fields while text shown", KeepSettings,
         [](D& d) { d.bytesPerRow = 16; d.showIndex = false; d.showAscii = false; }, false, true,
         Outcome::Nothing},
        {"comparison field, no files loaded", [](S& s) { s.txtBlockSize = 3; }, KeepDisplay, false, false,
         Outcome::Nothing},
        {"tab size, no files loaded", KeepSettings, [](D& d) { d.tabSize = 2; }, false, false,
         Outcome::Redraw},
        {"both changed, recompare wins, text", [](S& s) { s.ignoreCase = true; },
         [](D& d) { d.tabSize = 8; }, false, true, Outcome::Recompare},
        {"both changed, recompare wins, binary", [](S& s) { s.binLimit = 0; },
         [](D& d) { d.bytesPerRow = 4; }, true, true, Outcome::Recompare},
        {"both changed, no files loaded, redraw", [](S& s) { s.txtLimit = 0; },
         [](D& d) { d.tabSize = 8; }, false, false, Outcome::Redraw},
    };
    // clang-format on
    for (const DECISION_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        const ComparisonSettings oldSettings;
        const DisplayValues oldDisplay;
        ComparisonSettings newSettings = oldSettings;
        DisplayValues newDisplay = oldDisplay;
        c.changeSettings(newSettings);
        c.changeDisplay(newDisplay);
        EXPECT_EQ(CPropertiesDecision::Decide(oldSettings, newSettings, oldDisplay, newDisplay,
                                              c.binaryShown, c.filesLoaded),
                  c.outcome);
    }
}

// Only what decides which entries are compared and how their names pair
// scans two directories again.
TEST(PropertiesDecision, DirectoriesAreComparedAgainForTheirOwnOptions)
{
    const ComparisonSettings base;
    const std::vector<std::pair<const char*, std::function<void(ComparisonSettings&)>>> changes = {
        {"exclude", [](ComparisonSettings& s) { s.exclude = "*.o"; }},
        {"version control", [](ComparisonSettings& s) { s.skipVersionControl = true; }},
        {"name case", [](ComparisonSettings& s) { s.ignoreNameCase = true; }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        ComparisonSettings changed = base;
        change(changed);
        EXPECT_TRUE(CPropertiesDecision::DirectoryOptionsChanged(base, changed));
    }
    ComparisonSettings fileOnly = base;
    fileOnly.txtBlockSize = 7;
    fileOnly.ignoreCase = true;
    EXPECT_FALSE(CPropertiesDecision::DirectoryOptionsChanged(base, fileOnly));
}
