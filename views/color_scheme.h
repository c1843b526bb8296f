#pragma once

#include <QStringList>

class CAppearance;

// Named sets of the ten colour indices, chosen at once in the Customize
// dialog. A scheme writes only the colour indices every stored file already
// has; fonts, emphasis and the user's later changes are left alone.
class CColorScheme
{
public:
    // "Classic" (the colours of a fresh start), "Red and Green" (removed red,
    // added green, moved blue) and "Dark" (dark backgrounds, light text).
    static QStringList Names();
    // Sets every colour index of appearance from the named scheme; false,
    // and nothing changed, for a name that is no scheme.
    static bool Apply(const QString& name, CAppearance& appearance);
    // The name of the scheme whose colours appearance has now, or an empty
    // string when the colours are the user's own mix.
    static QString Matching(const CAppearance& appearance);
};
