#pragma once

#include "document/appearance_settings.h"

#include <QColor>
#include <QFont>

#include <array>

class QPalette;

// The stored appearance (CAppearanceSettings) as the comparison views draw
// it: colours as the desktop shows them, with its own text and background
// for "System Default", and fonts. The views keep no copies: they ask for the
// current values each time they lay out or paint, so the accessors are cheap
// reads.
class CAppearance : public CAppearanceSettings
{
public:
    // Entry 0 of both palettes, "System Default", is black until the window
    // hands over its palette: text colour for the text palette, the colour
    // text is drawn on for the background palette. It is taken once and does
    // not follow later changes of the desktop's colours.
    void TakeSystemColors(const QPalette& palette);

    QColor TxtColor(ContentKind kind) const;
    QColor BgColor(ContentKind kind) const;
    // The stronger shade of a kind's background that changed characters
    // inside a line are drawn on: the background moved a part of the way to
    // the kind's text colour, so that it follows the user's colours, light
    // or dark.
    QColor ChangedBgColor(ContentKind kind) const;
    // Whether identical content is drawn on a dark background of the
    // user's choosing, which the panes then extend to their whole ground;
    // the system's own background is their ground already.
    bool IsDark() const { return normalBgCol != 0 && GetNormalBgCol().lightness() < 128; }
    QColor GetNormalTxtCol() const { return TxtColor(ContentKind::Normal); }
    QColor GetNewTxtCol() const { return TxtColor(ContentKind::New); }
    QColor GetOldTxtCol() const { return TxtColor(ContentKind::Old); }
    QColor GetMovedToTxtCol() const { return TxtColor(ContentKind::MovedTo); }
    QColor GetMovedFromTxtCol() const { return TxtColor(ContentKind::MovedFrom); }
    QColor GetNormalBgCol() const { return BgColor(ContentKind::Normal); }
    QColor GetNewBgCol() const { return BgColor(ContentKind::New); }
    QColor GetOldBgCol() const { return BgColor(ContentKind::Old); }
    QColor GetMovedToBgCol() const { return BgColor(ContentKind::MovedTo); }
    QColor GetMovedFromBgCol() const { return BgColor(ContentKind::MovedFrom); }

    void GetNewEmphasis(EmphasisFlags& flags) const { flags = Emphasis(ContentKind::New); }
    void GetOldEmphasis(EmphasisFlags& flags) const { flags = Emphasis(ContentKind::Old); }
    void GetMovedToEmphasis(EmphasisFlags& flags) const { flags = Emphasis(ContentKind::MovedTo); }
    void GetMovedFromEmphasis(EmphasisFlags& flags) const
    {
        flags = Emphasis(ContentKind::MovedFrom);
    }

    // The colour of a palette entry; black outside the palette.
    QColor GetTxtPaletteColor(int index) const;
    QColor GetBgPaletteColor(int index) const;

    // The font a comparison view draws content of a kind with, for a screen
    // of logicalDpiY dots per inch: the size in points turned into pixels
    // with integer division, weight and style from the kind's emphasis. A
    // face the system lacks falls back to a fixed-pitch font.
    QFont MakeFont(ContentKind kind, int logicalDpiY) const;

private:
    std::array<QColor, kColorCount> txtPalette_ = FixedPalette();
    std::array<QColor, kColorCount> bgPalette_ = FixedPalette();

    static std::array<QColor, kColorCount> FixedPalette();
};
