// Beside its header: this library adds no include folder of its own.
#include "views/appearance.h"

#include "document/settings_store.h"

#include <QPalette>
#include <QSettings>

#include <algorithm>
#include <cmath>

namespace {

// No screen needs a text row taller than this; a font size from an edited
// store is brought into reach of what the font system can draw.
constexpr long long kLargestPixelSize = 1024;
constexpr int kPointsPerInch = 72;

struct PALETTE_ENTRY
{
    const char* name;
    int red;
    int green;
    int blue;
};

// Entry 0 stands for the system's colour; its value here is the one used until
// the window hands over its palette.
constexpr std::array<PALETTE_ENTRY, CAppearance::kColorCount> kPalette = {{
    {"System Default", 0, 0, 0},
    {"White", 255, 255, 255},
    {"Black", 0, 0, 0},
    {"Grey", 96, 96, 96},
    {"Light Grey", 160, 160, 160},
    {"Red", 224, 80, 80},
    {"Light Red", 224, 144, 144},
    {"Green", 96, 208, 96},
    {"Light Green", 160, 208, 160},
    {"Blue", 64, 64, 240},
    {"Light Blue", 144, 144, 240},
    {"Yellow", 224, 224, 96},
    {"Light Yellow", 224, 224, 160},
    {"Magenta", 224, 64, 224},
    {"Light Magenta", 224, 160, 224},
    {"Cyan", 64, 224, 224},
    {"Light Cyan", 160, 224, 224},
}};

constexpr std::array<const char*, CAppearance::kIconColorCount> kIconColorNames = {
    "White", "Black", "Grey", "Red", "Green", "Blue", "Yellow", "Magenta", "Cyan"};

// The settings of one content kind, in the order of ContentKind. Normal
// content has no emphasis.
struct KIND_SETTINGS
{
    const char* txtKey;
    int CAppearance::*txt;
    const char* bgKey;
    int CAppearance::*bg;
    const char* emphasisKey;
    QString CAppearance::*emphasis;
};

constexpr std::array<KIND_SETTINGS, 5> kKinds = {{
    {"NormalTxtCol", &CAppearance::normalTxtCol, "NormalBgCol", &CAppearance::normalBgCol, nullptr,
     nullptr},
    {"NewTxtCol", &CAppearance::newTxtCol, "NewBgCol", &CAppearance::newBgCol, "NewEmphasis",
     &CAppearance::newEmphasis},
    {"OldTxtCol", &CAppearance::oldTxtCol, "OldBgCol", &CAppearance::oldBgCol, "OldEmphasis",
     &CAppearance::oldEmphasis},
    {"MovedToTxtCol", &CAppearance::movedToTxtCol, "MovedToBgCol", &CAppearance::movedToBgCol,
     "MovedToEmphasis", &CAppearance::movedToEmphasis},
    {"MovedFromTxtCol", &CAppearance::movedFromTxtCol, "MovedFromBgCol",
     &CAppearance::movedFromBgCol, "MovedFromEmphasis", &CAppearance::movedFromEmphasis},
}};

using INT_KEY = CSettingsStore::Key<CAppearance, int>;

constexpr std::array<INT_KEY, 3> kSizeKeys = {{
    {"FontSize", &CAppearance::fontSize},
    {"TabSize", &CAppearance::tabSize},
    {"BytesPerRow", &CAppearance::bytesPerRow},
}};

using BOOL_KEY = CSettingsStore::Key<CAppearance, bool>;

constexpr std::array<BOOL_KEY, 2> kBoolKeys = {{
    {"ShowAscii", &CAppearance::showAscii},
    {"ShowIndex", &CAppearance::showIndex},
}};

using STRING_KEY = CSettingsStore::Key<CAppearance, QString>;

constexpr std::array<STRING_KEY, 5> kNameKeys = {{
    {"FontName", &CAppearance::fontName},
    {"NormalIconColor", &CAppearance::normalIconColor},
    {"NewIconColor", &CAppearance::newIconColor},
    {"OldIconColor", &CAppearance::oldIconColor},
    {"ModifiedIconColor", &CAppearance::modifiedIconColor},
}};

const KIND_SETTINGS& SettingsOf(ContentKind kind)
{
    return kKinds[static_cast<std::size_t>(kind)];
}

// The values a fresh object starts with, which are also the defaults of the
// keys.
const CAppearance& Defaults()
{
    static const CAppearance defaults;
    return defaults;
}

bool IsColorIndex(int index)
{
    return index >= 0 && index < CAppearance::kColorCount;
}

} // namespace

std::array<QColor, CAppearance::kColorCount> CAppearance::FixedPalette()
{
    std::array<QColor, kColorCount> colors;
    for (std::size_t i = 0; i < colors.size(); ++i)
        colors[i] = QColor(kPalette[i].red, kPalette[i].green, kPalette[i].blue);
    return colors;
}

// Text and Base are the colours of a text area, which is what a comparison
// pane is; Window is the face of dialogs and tool bars.
void CAppearance::TakeSystemColors(const QPalette& palette)
{
    txtPalette_[0] = palette.color(QPalette::Active, QPalette::Text);
    bgPalette_[0] = palette.color(QPalette::Active, QPalette::Base);
}

void CAppearance::Load(QSettings& store)
{
    using Store = CSettingsStore;
    store.beginGroup(QLatin1String(Store::kSettingsSection));
    for (const KIND_SETTINGS& kind : kKinds) {
        this->*kind.txt = Store::ReadInt(store, kind.txtKey, this->*kind.txt);
        this->*kind.bg = Store::ReadInt(store, kind.bgKey, this->*kind.bg);
        if (kind.emphasis)
            this->*kind.emphasis = Store::ReadString(store, kind.emphasisKey, this->*kind.emphasis);
    }
    for (const INT_KEY& size : kSizeKeys)
        this->*size.member = Store::ReadInt(store, size.name, this->*size.member);
    for (const BOOL_KEY& flag : kBoolKeys)
        this->*flag.member = Store::ReadExactlyOne(store, flag.name, this->*flag.member);
    for (const STRING_KEY& text : kNameKeys)
        this->*text.member = Store::ReadString(store, text.name, this->*text.member);
    store.endGroup();
    CorrectColorIndices();
}

void CAppearance::Save(QSettings& store) const
{
    using Store = CSettingsStore;
    store.beginGroup(QLatin1String(Store::kSettingsSection));
    for (const KIND_SETTINGS& kind : kKinds) {
        Store::WriteInt(store, kind.txtKey, this->*kind.txt);
        Store::WriteInt(store, kind.bgKey, this->*kind.bg);
        if (kind.emphasis)
            Store::WriteString(store, kind.emphasisKey, this->*kind.emphasis);
    }
    for (const INT_KEY& size : kSizeKeys)
        Store::WriteInt(store, size.name, this->*size.member);
    for (const BOOL_KEY& flag : kBoolKeys)
        Store::WriteBool(store, flag.name, this->*flag.member);
    for (const STRING_KEY& text : kNameKeys)
        Store::WriteString(store, text.name, this->*text.member);
    store.endGroup();
}

void CAppearance::CorrectColorIndices()
{
    for (const KIND_SETTINGS& kind : kKinds) {
        if (!IsColorIndex(this->*kind.txt))
            this->*kind.txt = Defaults().*kind.txt;
        if (!IsColorIndex(this->*kind.bg))
            this->*kind.bg = Defaults().*kind.bg;
    }
}

// The members are public, so an index set after loading is checked again
// here rather than trusted.
QColor CAppearance::TxtColor(ContentKind kind) const
{
    const KIND_SETTINGS& settings = SettingsOf(kind);
    const int index = this->*settings.txt;
    return txtPalette_[IsColorIndex(index) ? index : Defaults().*settings.txt];
}

QColor CAppearance::ChangedBgColor(ContentKind kind) const
{
    // Far enough to tell apart at a glance, near enough that the text on it
    // stays as readable as on the plain background.
    constexpr double kShift = 0.3;
    const QColor bg = BgColor(kind);
    const QColor txt = TxtColor(kind);
    const auto mix = [](int from, int to) {
        return static_cast<int>(std::lround(from + (to - from) * kShift));
    };
    return QColor(mix(bg.red(), txt.red()), mix(bg.green(), txt.green()),
                  mix(bg.blue(), txt.blue()));
}

QColor CAppearance::BgColor(ContentKind kind) const
{
    const KIND_SETTINGS& settings = SettingsOf(kind);
    const int index = this->*settings.bg;
    return bgPalette_[IsColorIndex(index) ? index : Defaults().*settings.bg];
}

EmphasisFlags CAppearance::Emphasis(ContentKind kind) const
{
    const KIND_SETTINGS& settings = SettingsOf(kind);
    return settings.emphasis ? ParseEmphasis(this->*settings.emphasis) : EmphasisFlags{};
}

EmphasisFlags CAppearance::ParseEmphasis(const QString& name)
{
    EmphasisFlags flags;
    flags.bold = name == QLatin1String("Bold");
    flags.italic = name == QLatin1String("Italic");
    flags.strikeOut = name == QLatin1String("Strike Out");
    return flags;
}

QString CAppearance::GetTxtColName(int index) const
{
    return IsColorIndex(index) ? QString::fromLatin1(kPalette[index].name) : QString();
}

QString CAppearance::GetBgColName(int index) const
{
    return GetTxtColName(index);
}

QString CAppearance::GetIconColorName(int index)
{
    return index >= 0 && index < kIconColorCount ? QString::fromLatin1(kIconColorNames[index])
                                                 : QString();
}

QColor CAppearance::GetTxtPaletteColor(int index) const
{
    return IsColorIndex(index) ? txtPalette_[index] : QColor(Qt::black);
}

QColor CAppearance::GetBgPaletteColor(int index) const
{
    return IsColorIndex(index) ? bgPalette_[index] : QColor(Qt::black);
}

QFont CAppearance::MakeFont(ContentKind kind, int logicalDpiY) const
{
    const long long pixels = static_cast<long long>(logicalDpiY) * fontSize / kPointsPerInch;
    QFont font(fontName);
    // The stored face (by default "Courier New") is often not installed on a
    // Linux desktop; the hint makes whatever replaces it a monospace font.
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(static_cast<int>(std::clamp(pixels, 1LL, kLargestPixelSize)));
    const EmphasisFlags emphasis = Emphasis(kind);
    font.setWeight(emphasis.bold ? QFont::Bold : QFont::Normal);
    font.setItalic(emphasis.italic);
    font.setUnderline(emphasis.underline);
    font.setStrikeOut(emphasis.strikeOut);
    return font;
}
