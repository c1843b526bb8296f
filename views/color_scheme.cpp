#include "views/color_scheme.h"

#include "views/appearance.h"

#include <array>

namespace {

// Palette indices, as CAppearance numbers them.
enum PaletteIndex : int
{
    System = 0,
    White = 1,
    Black = 2,
    Grey = 3,
    LightRed = 6,
    Green = 7,
    LightGreen = 8,
    LightBlue = 10,
    Yellow = 11,
    LightYellow = 12,
    LightMagenta = 14,
    LightCyan = 16,
};

struct SCHEME
{
    const char* name;
    // Text and background of Normal, New, Old, MovedTo and MovedFrom.
    std::array<int, 10> colors;
};

// Dark keeps the kinds apart by their text colours on one grey, since the
// palette has no other dark background; the overview then takes the text
// colours for its strips.
constexpr std::array<SCHEME, 3> kSchemes = {{
    {"Classic",
     {System, System, System, Yellow, System, Green, System, LightYellow, System, LightGreen}},
    {"Red and Green",
     {System, System, System, LightGreen, System, LightRed, System, LightBlue, System, LightCyan}},
    {"Dark", {White, Black, LightGreen, Grey, LightRed, Grey, LightBlue, Grey, LightMagenta, Grey}},
}};

constexpr std::array<int CAppearance::*, 10> kIndices = {
    &CAppearance::normalTxtCol,  &CAppearance::normalBgCol,    &CAppearance::newTxtCol,
    &CAppearance::newBgCol,      &CAppearance::oldTxtCol,      &CAppearance::oldBgCol,
    &CAppearance::movedToTxtCol, &CAppearance::movedToBgCol,   &CAppearance::movedFromTxtCol,
    &CAppearance::movedFromBgCol};

} // namespace

QStringList CColorScheme::Names()
{
    QStringList names;
    for (const SCHEME& scheme : kSchemes)
        names.append(QString::fromLatin1(scheme.name));
    return names;
}

bool CColorScheme::Apply(const QString& name, CAppearance& appearance)
{
    for (const SCHEME& scheme : kSchemes) {
        if (name != QLatin1String(scheme.name))
            continue;
        for (std::size_t i = 0; i < kIndices.size(); ++i)
            appearance.*kIndices[i] = scheme.colors[i];
        return true;
    }
    return false;
}

QString CColorScheme::Matching(const CAppearance& appearance)
{
    for (const SCHEME& scheme : kSchemes) {
        bool same = true;
        for (std::size_t i = 0; i < kIndices.size(); ++i)
            same = same && appearance.*kIndices[i] == scheme.colors[i];
        if (same)
            return QString::fromLatin1(scheme.name);
    }
    return QString();
}
