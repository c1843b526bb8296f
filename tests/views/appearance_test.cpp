#include "views/appearance.h"

#include <QPalette>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace {

std::string Text(const QString& text)
{
    return text.toStdString();
}

std::string ColorText(const QColor& color)
{
    return Text(color.name());
}

std::string EmphasisText(const EmphasisFlags& flags)
{
    std::string text;
    for (const auto& [set, name] : {std::pair{flags.bold, "bold"},
                                    {flags.italic, "italic"},
                                    {flags.underline, "underline"},
                                    {flags.strikeOut, "strike-out"}}) {
        if (set)
            text += text.empty() ? name : std::string("+") + name;
    }
    return text.empty() ? "none" : text;
}

// Every setting in one line, so that two objects compare as a whole and a
// difference reads at a glance.
std::string Describe(const CAppearance& a)
{
    return Text(QStringLiteral("colours %1 %2 %3 %4 %5 %6 %7 %8 %9 %10")
                    .arg(a.normalTxtCol)
                    .arg(a.normalBgCol)
                    .arg(a.newTxtCol)
                    .arg(a.newBgCol)
                    .arg(a.oldTxtCol)
                    .arg(a.oldBgCol)
                    .arg(a.movedToTxtCol)
                    .arg(a.movedToBgCol)
                    .arg(a.movedFromTxtCol)
                    .arg(a.movedFromBgCol)) +
           Text(QStringLiteral(" emphasis %1/%2/%3/%4")
                    .arg(a.newEmphasis, a.oldEmphasis, a.movedToEmphasis, a.movedFromEmphasis)) +
           Text(QStringLiteral(" font %1 %2 tab %3 bytes %4 ascii %5 index %6")
                    .arg(a.fontName)
                    .arg(a.fontSize)
                    .arg(a.tabSize)
                    .arg(a.bytesPerRow)
                    .arg(a.showAscii)
                    .arg(a.showIndex)) +
           Text(QStringLiteral(" icons %1/%2/%3/%4")
                    .arg(a.normalIconColor, a.newIconColor, a.oldIconColor, a.modifiedIconColor));
}

// A settings file of the test's own in a temporary folder: the user's file is
// never read or written.
class Appearance : public ::testing::Test
{
protected:
    QSettings Store() const
    {
        return QSettings(folder_.filePath(QStringLiteral("Varnel.conf")), QSettings::IniFormat);
    }

    void Put(const QString& key, const QVariant& value) const
    {
        QSettings store = Store();
        store.setValue(QStringLiteral("Settings/") + key, value);
    }

    QVariant Stored(const QString& key) const
    {
        return Store().value(QStringLiteral("Settings/") + key);
    }

    CAppearance Loaded() const
    {
        CAppearance appearance;
        QSettings store = Store();
        appearance.Load(store);
        return appearance;
    }

    void Save(const CAppearance& appearance) const
    {
        QSettings store = Store();
        appearance.Save(store);
    }

    QTemporaryDir folder_;
};

// A palette whose text-area colours no palette entry has, so that entry 0 is
// recognisable.
QPalette SystemPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Text, QColor(1, 2, 3));
    palette.setColor(QPalette::Base, QColor(250, 251, 252));
    palette.setColor(QPalette::WindowText, QColor(10, 20, 30));
    palette.setColor(QPalette::Window, QColor(200, 201, 202));
    return palette;
}

struct KIND_LOOK
{
    ContentKind kind;
    const char* name;
    std::string txt;
    std::string bg;
    std::string emphasis;
};

} // namespace

TEST_F(Appearance, EmptyStoreGivesTheDefaultLookOfEveryKind)
{
    CAppearance appearance = Loaded();
    appearance.TakeSystemColors(SystemPalette());

    const std::vector<KIND_LOOK> looks = {
        {ContentKind::Normal, "identical", "#010203", "#fafbfc", "none"},
        {ContentKind::New, "added on yellow", "#010203", "#e0e060", "none"},
        {ContentKind::Old, "removed on green", "#010203", "#60d060", "strike-out"},
        {ContentKind::MovedTo, "moved in on light yellow", "#010203", "#e0e0a0", "none"},
        {ContentKind::MovedFrom, "moved away on light green", "#010203", "#a0d0a0", "strike-out"},
    };
    for (const KIND_LOOK& look : looks) {
        SCOPED_TRACE(look.name);
        EXPECT_EQ(ColorText(appearance.TxtColor(look.kind)), look.txt);
        EXPECT_EQ(ColorText(appearance.BgColor(look.kind)), look.bg);
        EXPECT_EQ(EmphasisText(appearance.Emphasis(look.kind)), look.emphasis);
    }
    EXPECT_EQ(Describe(appearance),
              "colours 0 0 0 11 0 7 0 12 0 8 emphasis Normal/Strike Out/Normal/Strike Out "
              "font Courier New 12 tab 4 bytes 10 ascii 1 index 1 icons Grey/Yellow/Green/Red");
}

TEST_F(Appearance, NamedAccessorsMatchTheKinds)
{
    CAppearance appearance;
    appearance.TakeSystemColors(SystemPalette());
    appearance.normalTxtCol = 1;
    appearance.newTxtCol = 2;
    appearance.oldTxtCol = 3;
    appearance.movedToTxtCol = 4;
    appearance.movedFromTxtCol = 5;
    appearance.normalBgCol = 13;
    appearance.newEmphasis = QStringLiteral("Bold");
    appearance.movedToEmphasis = QStringLiteral("Italic");
    appearance.movedFromEmphasis = QStringLiteral("Normal");

    EXPECT_EQ(ColorText(appearance.GetNormalTxtCol()), "#ffffff");
    EXPECT_EQ(ColorText(appearance.GetNewTxtCol()), "#000000");
    EXPECT_EQ(ColorText(appearance.GetOldTxtCol()), "#606060");
    EXPECT_EQ(ColorText(appearance.GetMovedToTxtCol()), "#a0a0a0");
    EXPECT_EQ(ColorText(appearance.GetMovedFromTxtCol()), "#e05050");
    EXPECT_EQ(ColorText(appearance.GetNormalBgCol()), "#e040e0");
    EXPECT_EQ(ColorText(appearance.GetNewBgCol()), "#e0e060");
    EXPECT_EQ(ColorText(appearance.GetOldBgCol()), "#60d060");
    EXPECT_EQ(ColorText(appearance.GetMovedToBgCol()), "#e0e0a0");
    EXPECT_EQ(ColorText(appearance.GetMovedFromBgCol()), "#a0d0a0");
    EmphasisFlags flags;
    appearance.GetNewEmphasis(flags);
    EXPECT_EQ(EmphasisText(flags), "bold");
    appearance.GetOldEmphasis(flags);
    EXPECT_EQ(EmphasisText(flags), "strike-out");
    appearance.GetMovedToEmphasis(flags);
    EXPECT_EQ(EmphasisText(flags), "italic");
    appearance.GetMovedFromEmphasis(flags);
    EXPECT_EQ(EmphasisText(flags), "none");
}

TEST_F(Appearance, SystemDefaultIsBlackUntilThePaletteIsTaken)
{
    CAppearance appearance;
    EXPECT_EQ(ColorText(appearance.GetNormalTxtCol()), "#000000");
    EXPECT_EQ(ColorText(appearance.GetNormalBgCol()), "#000000");

    appearance.TakeSystemColors(SystemPalette());

    EXPECT_EQ(ColorText(appearance.GetTxtPaletteColor(0)), "#010203");
    EXPECT_EQ(ColorText(appearance.GetBgPaletteColor(0)), "#fafbfc");
    // The other entries are the same in both palettes and never change.
    for (int i = 1; i < CAppearance::GetColorCount(); ++i)
        EXPECT_EQ(appearance.GetTxtPaletteColor(i), appearance.GetBgPaletteColor(i)) << i;
    EXPECT_EQ(ColorText(appearance.GetTxtPaletteColor(16)), "#a0e0e0");
}

TEST_F(Appearance, NamesFollowThePaletteAndIconOrder)
{
    const CAppearance appearance;
    QStringList txt;
    QStringList bg;
    for (int i = 0; i < CAppearance::GetColorCount(); ++i) {
        txt << appearance.GetTxtColName(i);
        bg << appearance.GetBgColName(i);
    }
    const QStringList expected = {
        "System Default", "White",   "Black",         "Grey", "Light Grey", "Red",
        "Light Red",      "Green",   "Light Green",   "Blue", "Light Blue", "Yellow",
        "Light Yellow",   "Magenta", "Light Magenta", "Cyan", "Light Cyan"};
    EXPECT_EQ(txt, expected);
    EXPECT_EQ(bg, expected);

    QStringList icons;
    for (int i = 0; i < CAppearance::GetIconColorCount(); ++i)
        icons << CAppearance::GetIconColorName(i);
    EXPECT_EQ(icons, QStringList({"White", "Black", "Grey", "Red", "Green", "Blue", "Yellow",
                                  "Magenta", "Cyan"}));

    for (int outside : {-1, 17}) {
        EXPECT_TRUE(appearance.GetTxtColName(outside).isEmpty()) << outside;
        EXPECT_TRUE(appearance.GetBgColName(outside).isEmpty()) << outside;
    }
    EXPECT_TRUE(CAppearance::GetIconColorName(9).isEmpty());
}

TEST_F(Appearance, SavedSettingsLoadIntoAnotherObject)
{
    CAppearance edited;
    edited.normalTxtCol = 1;
    edited.normalBgCol = 2;
    edited.newTxtCol = 3;
    edited.newBgCol = 4;
    edited.oldTxtCol = 5;
    edited.oldBgCol = 6;
    edited.movedToTxtCol = 9;
    edited.movedToBgCol = 10;
    edited.movedFromTxtCol = 15;
    edited.movedFromBgCol = 16;
    edited.newEmphasis = QStringLiteral("Bold");
    edited.oldEmphasis = QStringLiteral("Italic");
    edited.movedToEmphasis = QStringLiteral("Strike Out");
    edited.movedFromEmphasis = QStringLiteral("Normal");
    edited.fontName = QStringLiteral("DejaVu Sans Mono");
    edited.fontSize = 9;
    edited.tabSize = 8;
    edited.bytesPerRow = 16;
    edited.showAscii = false;
    edited.showIndex = false;
    edited.normalIconColor = QStringLiteral("White");
    edited.newIconColor = QStringLiteral("Blue");
    edited.oldIconColor = QStringLiteral("Magenta");
    edited.modifiedIconColor = QStringLiteral("Cyan");

    Save(edited);

    EXPECT_EQ(Describe(Loaded()), Describe(edited));
}

TEST_F(Appearance, EveryKeyIsWrittenUnderItsName)
{
    Save(CAppearance());

    const std::map<QString, QString> expected = {
        {"NormalTxtCol", "0"},
        {"NormalBgCol", "0"},
        {"NewTxtCol", "0"},
        {"NewBgCol", "11"},
        {"OldTxtCol", "0"},
        {"OldBgCol", "7"},
        {"MovedToTxtCol", "0"},
        {"MovedToBgCol", "12"},
        {"MovedFromTxtCol", "0"},
        {"MovedFromBgCol", "8"},
        {"NewEmphasis", "Normal"},
        {"OldEmphasis", "Strike Out"},
        {"MovedToEmphasis", "Normal"},
        {"MovedFromEmphasis", "Strike Out"},
        {"FontName", "Courier New"},
        {"FontSize", "12"},
        {"TabSize", "4"},
        {"BytesPerRow", "10"},
        {"ShowAscii", "1"},
        {"ShowIndex", "1"},
        {"NormalIconColor", "Grey"},
        {"NewIconColor", "Yellow"},
        {"OldIconColor", "Green"},
        {"ModifiedIconColor", "Red"},
    };
    QSettings store = Store();
    store.beginGroup(QStringLiteral("Settings"));
    EXPECT_EQ(store.childKeys().size(), static_cast<qsizetype>(expected.size()));
    for (const auto& [key, value] : expected)
        EXPECT_EQ(Text(store.value(key).toString()), Text(value)) << Text(key);
}

TEST_F(Appearance, DisplayFlagsAreTrueOnlyWhenStoredAsOne)
{
    struct CASE
    {
        QVariant stored;
        bool read;
        int written;
    };
    const std::vector<CASE> cases = {
        {1, true, 1},
        {0, false, 0},
        {2, false, 0},
        {-1, false, 0},
        {QStringLiteral("yes"), false, 0},
    };
    for (const CASE& c : cases) {
        SCOPED_TRACE(Text(c.stored.toString()));
        Put(QStringLiteral("ShowAscii"), c.stored);
        Put(QStringLiteral("ShowIndex"), c.stored);

        const CAppearance appearance = Loaded();
        EXPECT_EQ(appearance.GetShowAscii(), c.read);
        EXPECT_EQ(appearance.GetShowIndex(), c.read);

        Save(appearance);
        EXPECT_EQ(Stored(QStringLiteral("ShowAscii")).toInt(), c.written);
        EXPECT_EQ(Stored(QStringLiteral("ShowIndex")).toInt(), c.written);
    }
}

TEST_F(Appearance, EmphasisNamesAreMatchedExactly)
{
    struct CASE
    {
        const char* stored;
        std::string flags;
    };
    const std::vector<CASE> cases = {
        {"Normal", "none"},     {"Bold", "bold"},
        {"Italic", "italic"},   {"Strike Out", "strike-out"},
        {"bold", "none"},       {"BOLD", "none"},
        {"Strike out", "none"}, {"StrikeOut", "none"},
        {"Underline", "none"},  {" Bold", "none"},
        {"", "none"},
    };
    for (const CASE& c : cases) {
        SCOPED_TRACE(c.stored);
        Put(QStringLiteral("NewEmphasis"), QString::fromLatin1(c.stored));

        const CAppearance appearance = Loaded();
        EXPECT_EQ(EmphasisText(appearance.Emphasis(ContentKind::New)), c.flags);
        // The name itself is kept as it was stored.
        EXPECT_EQ(Text(appearance.newEmphasis), c.stored);
    }
}

TEST_F(Appearance, ColourIndexOutsideThePalettesIsTheKeysDefault)
{
    struct CASE
    {
        const char* key;
        QVariant stored;
        ContentKind kind;
        bool background;
        int index;
        std::string color;
    };
    const std::vector<CASE> cases = {
        {"NewBgCol", -1, ContentKind::New, true, 11, "#e0e060"},
        {"NewBgCol", 17, ContentKind::New, true, 11, "#e0e060"},
        {"OldBgCol", 1000000, ContentKind::Old, true, 7, "#60d060"},
        {"MovedFromTxtCol", 17, ContentKind::MovedFrom, false, 0, "#000000"},
        {"NormalBgCol", -2147483647, ContentKind::Normal, true, 0, "#000000"},
        // The edges of the palette are colours like any other.
        {"MovedToBgCol", 16, ContentKind::MovedTo, true, 16, "#a0e0e0"},
        {"NormalTxtCol", 0, ContentKind::Normal, false, 0, "#000000"},
    };
    const std::map<QString, int CAppearance::*> members = {
        {"NewBgCol", &CAppearance::newBgCol},
        {"OldBgCol", &CAppearance::oldBgCol},
        {"MovedFromTxtCol", &CAppearance::movedFromTxtCol},
        {"NormalBgCol", &CAppearance::normalBgCol},
        {"MovedToBgCol", &CAppearance::movedToBgCol},
        {"NormalTxtCol", &CAppearance::normalTxtCol},
    };
    for (const CASE& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " = " + Text(c.stored.toString()));
        Put(QLatin1String(c.key), c.stored);

        const CAppearance appearance = Loaded();
        EXPECT_EQ(appearance.*members.at(QLatin1String(c.key)), c.index);
        const QColor color =
            c.background ? appearance.BgColor(c.kind) : appearance.TxtColor(c.kind);
        EXPECT_EQ(ColorText(color), c.color);

        Save(appearance);
        EXPECT_EQ(Stored(QLatin1String(c.key)).toInt(), c.index);
    }
}

TEST_F(Appearance, ColourIndexSetOutsideThePalettesDrawsTheDefault)
{
    CAppearance appearance;
    appearance.oldBgCol = 99;
    appearance.newTxtCol = -5;

    EXPECT_EQ(ColorText(appearance.GetOldBgCol()), "#60d060");
    EXPECT_EQ(ColorText(appearance.GetNewTxtCol()), "#000000");

    appearance.CorrectColorIndices();
    EXPECT_EQ(appearance.oldBgCol, 7);
    EXPECT_EQ(appearance.newTxtCol, 0);
}

TEST_F(Appearance, StoredValuesThatAreNoNumbersKeepTheDefaults)
{
    Put(QStringLiteral("FontSize"), QStringLiteral("large"));
    Put(QStringLiteral("NewBgCol"), QStringLiteral("yellow"));
    Put(QStringLiteral("TabSize"), 0);

    const CAppearance appearance = Loaded();

    EXPECT_EQ(appearance.GetFontSize(), 12);
    EXPECT_EQ(appearance.newBgCol, 11);
    // Sizes are taken as stored; the dialogs that edit them check them.
    EXPECT_EQ(appearance.GetTabSize(), 0);
}

TEST_F(Appearance, FontsFollowTheSettingsAndTheKindsEmphasis)
{
    struct CASE
    {
        const char* name;
        ContentKind kind;
        const char* emphasis;
        int fontSize;
        int dpi;
        int pixelSize;
        bool bold;
        bool italic;
        bool strikeOut;
    };
    const std::vector<CASE> cases = {
        {"normal content never has emphasis", ContentKind::Normal, "Bold", 12, 96, 16, false, false,
         false},
        {"bold", ContentKind::New, "Bold", 12, 96, 16, true, false, false},
        {"italic", ContentKind::Old, "Italic", 10, 72, 10, false, true, false},
        {"strike-out", ContentKind::MovedTo, "Strike Out", 9, 120, 15, false, false, true},
        {"pixels round down", ContentKind::MovedFrom, "Normal", 11, 96, 14, false, false, false},
        {"lower-case bold is plain", ContentKind::New, "bold", 32, 96, 42, false, false, false},
        {"a size of 0 still draws", ContentKind::Old, "Normal", 0, 96, 1, false, false, false},
        {"a huge size is bounded", ContentKind::Old, "Normal", 2000000000, 96, 1024, false, false,
         false},
    };
    for (const CASE& c : cases) {
        SCOPED_TRACE(c.name);
        CAppearance appearance;
        appearance.fontName = QStringLiteral("Courier New");
        appearance.fontSize = c.fontSize;
        appearance.newEmphasis = appearance.oldEmphasis = appearance.movedToEmphasis =
            appearance.movedFromEmphasis = QString::fromLatin1(c.emphasis);

        const QFont font = appearance.MakeFont(c.kind, c.dpi);

        EXPECT_EQ(font.pixelSize(), c.pixelSize);
        EXPECT_EQ(font.weight(), c.bold ? QFont::Bold : QFont::Normal);
        EXPECT_EQ(font.italic(), c.italic);
        EXPECT_EQ(font.strikeOut(), c.strikeOut);
        EXPECT_FALSE(font.underline());
        EXPECT_EQ(Text(font.family()), "Courier New");
        EXPECT_EQ(font.styleHint(), QFont::TypeWriter);
    }
}
