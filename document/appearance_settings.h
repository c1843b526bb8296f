#pragma once

#include <QString>

#include <array>

class QSettings;
struct DIFF_BLOCK;

// The five ways the comparisons show content: identical, added (only in the
// second input), removed (only in the first), and moved content at its new
// and at its old place.
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

// One colour of the fixed palettes as its three components.
struct PALETTE_RGB
{
    int red;
    int green;
    int blue;

    friend bool operator==(const PALETTE_RGB&, const PALETTE_RGB&) = default;
};

// The stored appearance as the user chose it: colour indices, emphasis names,
// font, text and hex display options, icon colours, with their keys and
// defaults. The window's panes draw from it (CAppearance adds the desktop's
// colours and fonts); the HTML report, which has neither, reads it directly.
class CAppearanceSettings
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

    // Section "Settings" of the store. A key the store lacks keeps the current
    // value. The two display booleans are true only when stored as exactly 1.
    // A colour index outside the palettes is replaced by that key's default,
    // so nothing ever reads outside a palette.
    void Load(QSettings& store);
    // Load on the user's own store; nothing is read when its files are not
    // regular files (CSettingsStore::FilesAreReadable).
    void Load();
    // Writes every key, whether or not it changed.
    void Save(QSettings& store) const;

    // Replaces every colour index outside 0 to 16 by its key's default.
    void CorrectColorIndices();

    // The palette indices a kind is drawn in. The members are public, so an
    // index set after loading is checked again here: one outside the palette
    // gives the key's default.
    int TxtIndex(ContentKind kind) const;
    int BgIndex(ContentKind kind) const;
    // How a block is shown: a Common block as Normal, an Unmatched block as
    // Old or New and a Moved block as MovedFrom or MovedTo, by its side.
    static ContentKind KindOf(const DIFF_BLOCK& block);
    // Normal content is drawn without emphasis.
    EmphasisFlags Emphasis(ContentKind kind) const;
    // The exact, case-sensitive reading of an emphasis name: "Bold", "Italic"
    // and "Strike Out" set their flag, anything else sets none.
    static EmphasisFlags ParseEmphasis(const QString& name);

    // The fixed colour of a palette entry. Entry 0, "System Default", stands
    // for the desktop's colour; its value here is black.
    static PALETTE_RGB PaletteRgb(int index);
    // The stronger shade of a kind's background that changed characters
    // inside a line are drawn on: the background moved a part of the way to
    // the kind's text colour, so that it follows the user's colours, light
    // or dark.
    static PALETTE_RGB ChangedShade(PALETTE_RGB background, PALETTE_RGB text);

    int GetTabSize() const { return tabSize; }
    int GetBytesPerRow() const { return bytesPerRow; }
    // The bytes of a hex row as drawn: the stored number, brought into the
    // range a row can show.
    static constexpr int kMinBytesPerRow = 1;
    static constexpr int kMaxBytesPerRow = 100;
    int ShownBytesPerRow() const;
    bool GetShowAscii() const { return showAscii; }
    bool GetShowIndex() const { return showIndex; }

    const QString& GetFontName() const { return fontName; }
    int GetFontSize() const { return fontSize; }

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
    static bool IsColorIndex(int index) { return index >= 0 && index < kColorCount; }
};
