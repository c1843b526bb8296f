#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <array>

class QPalette;
class QSettings;

// The five ways the comparison views colour content: identical, added (only
// in the second input), removed (only in the first), and moved content at its
// new and at its old place.
enum class ContentKind
{
    Normal,
    New,
    Old,
    MovedTo,
    MovedFrom,
};

// The font emphasis of one content kind; at most one flag is ever set, and
// underline never is.
struct EmphasisFlags
{
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    friend bool operator==(const EmphasisFlags&, const EmphasisFlags&) = default;
};

// Every colour, font and emphasis the comparison views draw with, the text and
// hex display options and the icon colours of the directory views. The views
// keep no copies: they ask for the current values each time they lay out or
// paint, so the accessors are cheap reads.
class CAppearance
{
public:
    // Colour indices into the palettes, 0 to 16; 0 is the system's colour.
    int normalTxtCol = 0;
    int normalBgCol = 0;
    int newTxtCol = 0;
    int newBgCol = 11;
    int oldTxtCol = 0;
    int oldBgCol = 7;
    int movedToTxtCol = 0;
    int movedToBgCol = 12;
    int movedFromTxtCol = 0;
    int movedFromBgCol = 8;

    // One of the emphasis names "Normal", "Bold", "Italic", "Strike Out".
    QString newEmphasis = QStringLiteral("Normal");
    QString oldEmphasis = QStringLiteral("Strike Out");
    QString movedToEmphasis = QStringLiteral("Normal");
    QString movedFromEmphasis = QStringLiteral("Strike Out");

    QString fontName = QStringLiteral("Courier New");
    int fontSize = 12; // points
    int tabSize = 4;
    int bytesPerRow = 10;
    bool showAscii = true;
    bool showIndex = true;

    // Names from the icon colour list, not indices.
    QString normalIconColor = QStringLiteral("Grey");
    QString newIconColor = QStringLiteral("Yellow");
    QString oldIconColor = QStringLiteral("Green");
    QString modifiedIconColor = QStringLiteral("Red");

    static constexpr int kColorCount = 17;
    static constexpr int kIconColorCount = 9;

    // Entry 0 of both palettes, "System Default", is black until the window
    // hands over its palette: text colour for the text palette, the colour
    // text is drawn on for the background palette. It is taken once and does
    // not follow later changes of the desktop's colours.
    void TakeSystemColors(const QPalette& palette);

    // Section "Settings" of the store. A key the store lacks keeps the current
    // value. The two display booleans are true only when stored as exactly 1.
    // A colour index outside the palettes is replaced by that key's default,
    // so no view ever reads outside a palette.
    void Load(QSettings& store);
    // Writes every key, whether or not it changed.
    void Save(QSettings& store) const;

    // Replaces every colour index outside 0 to 16 by its key's default.
    void CorrectColorIndices();

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
    // Normal content is drawn without emphasis.
    EmphasisFlags Emphasis(ContentKind kind) const;
    // The exact, case-sensitive reading of an emphasis name: "Bold", "Italic"
    // and "Strike Out" set their flag, anything else sets none.
    static EmphasisFlags ParseEmphasis(const QString& name);

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

    const QString& GetFontName() const { return fontName; }
    int GetFontSize() const { return fontSize; }
    int GetTabSize() const { return tabSize; }
    int GetBytesPerRow() const { return bytesPerRow; }
    bool GetShowAscii() const { return showAscii; }
    bool GetShowIndex() const { return showIndex; }

    const QString& GetNormalIconColor() const { return normalIconColor; }
    const QString& GetNewIconColor() const { return newIconColor; }
    const QString& GetOldIconColor() const { return oldIconColor; }
    const QString& GetModifiedIconColor() const { return modifiedIconColor; }

    static int GetColorCount() { return kColorCount; }
    static int GetIconColorCount() { return kIconColorCount; }
    // Display names of palette entries and icon colours; empty outside the
    // lists.
    QString GetTxtColName(int index) const;
    QString GetBgColName(int index) const;
    static QString GetIconColorName(int index);
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
