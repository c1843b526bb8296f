#include "document/appearance_settings.h"

#include "document/settings_store.h"
#include "engine/diff_block.h"

#include <QSettings>

#include <algorithm>
#include <cmath>

namespace {

struct PALETTE_ENTRY
{
    const char* name;
    PALETTE_RGB rgb;
};

// Entry 0 stands for the system's colour; its value here is the one used
// where no desktop hands over its own.
constexpr std::array<PALETTE_ENTRY, CAppearanceSettings::kColorCount> kPalette = {{
    {"System Default", {0, 0, 0}},
    {"White", {255, 255, 255}},
    {"Black", {0, 0, 0}},
    {"Grey", {96, 96, 96}},
    {"Light Grey", {160, 160, 160}},
    {"Red", {224, 80, 80}},
    {"Light Red", {224, 144, 144}},
    {"Green", {96, 208, 96}},
    {"Light Green", {160, 208, 160}},
    {"Blue", {64, 64, 240}},
    {"Light Blue", {144, 144, 240}},
    {"Yellow", {224, 224, 96}},
    {"Light Yellow", {224, 224, 160}},
    {"Magenta", {224, 64, 224}},
    {"Light Magenta", {224, 160, 224}},
    {"Cyan", {64, 224, 224}},
    {"Light Cyan", {160, 224, 224}},
}};

constexpr std::array<const char*, CAppearanceSettings::kIconColorCount> kIconColorNames = {
    "White", "Black", "Grey", "Red", "Green", "Blue", "Yellow", "Magenta", "Cyan"};

using Self = CAppearanceSettings;

// The settings of one content kind, in the order of ContentKind. Normal
// content has no emphasis.
struct KIND_SETTINGS
{
    const char* txtKey;
    int Self::*txt;
    const char* bgKey;
    int Self::*bg;
    const char* emphasisKey;
    QString Self::*emphasis;
};

constexpr std::array<KIND_SETTINGS, 5> kKinds = {{
    {"NormalTxtCol", &Self::normalTxtCol, "NormalBgCol", &Self::normalBgCol, nullptr, nullptr},
    {"NewTxtCol", &Self::newTxtCol, "NewBgCol", &Self::newBgCol, "NewEmphasis", &Self::newEmphasis},
    {"OldTxtCol", &Self::oldTxtCol, "OldBgCol", &Self::oldBgCol, "OldEmphasis", &Self::oldEmphasis},
    {"MovedToTxtCol", &Self::movedToTxtCol, "MovedToBgCol", &Self::movedToBgCol, "MovedToEmphasis",
     &Self::movedToEmphasis},
    {"MovedFromTxtCol", &Self::movedFromTxtCol, "MovedFromBgCol", &Self::movedFromBgCol,
     "MovedFromEmphasis", &Self::movedFromEmphasis},
}};

using INT_KEY = CSettingsStore::Key<Self, int>;

constexpr std::array<INT_KEY, 3> kSizeKeys = {{
    {"FontSize", &Self::fontSize},
    {"TabSize", &Self::tabSize},
    {"BytesPerRow", &Self::bytesPerRow},
}};

using BOOL_KEY = CSettingsStore::Key<Self, bool>;

constexpr std::array<BOOL_KEY, 2> kBoolKeys = {{
    {"ShowAscii", &Self::showAscii},
    {"ShowIndex", &Self::showIndex},
}};

using STRING_KEY = CSettingsStore::Key<Self, QString>;

constexpr std::array<STRING_KEY, 5> kNameKeys = {{
    {"FontName", &Self::fontName},
    {"NormalIconColor", &Self::normalIconColor},
    {"NewIconColor", &Self::newIconColor},
    {"OldIconColor", &Self::oldIconColor},
    {"ModifiedIconColor", &Self::modifiedIconColor},
}};

const KIND_SETTINGS& SettingsOf(ContentKind kind)
{
    return kKinds[static_cast<std::size_t>(kind)];
}

// The values a fresh object starts with, which are also the defaults of the
// keys.
const CAppearanceSettings& Defaults()
{
    static const CAppearanceSettings defaults;
    return defaults;
}

} // namespace

void CAppearanceSettings::Load(QSettings& store)
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

void CAppearanceSettings::Load()
{
    if (!CSettingsStore::FilesAreReadable())
        return;
    QSettings store{QLatin1String(CSettingsStore::kCompany),
                    QLatin1String(CSettingsStore::kApplication)};
    Load(store);
}

void CAppearanceSettings::Save(QSettings& store) const
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

void CAppearanceSettings::CorrectColorIndices()
{
    for (const KIND_SETTINGS& kind : kKinds) {
        if (!IsColorIndex(this->*kind.txt))
            this->*kind.txt = Defaults().*kind.txt;
        if (!IsColorIndex(this->*kind.bg))
            this->*kind.bg = Defaults().*kind.bg;
    }
}

int CAppearanceSettings::TxtIndex(ContentKind kind) const
{
    const KIND_SETTINGS& settings = SettingsOf(kind);
    const int index = this->*settings.txt;
    return IsColorIndex(index) ? index : Defaults().*settings.txt;
}

int CAppearanceSettings::BgIndex(ContentKind kind) const
{
    const KIND_SETTINGS& settings = SettingsOf(kind);
    const int index = this->*settings.bg;
    return IsColorIndex(index) ? index : Defaults().*settings.bg;
}

ContentKind CAppearanceSettings::KindOf(const DIFF_BLOCK& block)
{
    switch (block.kind) {
    case BlockKind::Unmatched:
        return block.side() == 0 ? ContentKind::Old : ContentKind::New;
    case BlockKind::Moved:
        return block.side() == 0 ? ContentKind::MovedFrom : ContentKind::MovedTo;
    case BlockKind::Common:
        break;
    }
    return ContentKind::Normal;
}

EmphasisFlags CAppearanceSettings::Emphasis(ContentKind kind) const
{
    const KIND_SETTINGS& settings = SettingsOf(kind);
    return settings.emphasis ? ParseEmphasis(this->*settings.emphasis) : EmphasisFlags{};
}

EmphasisFlags CAppearanceSettings::ParseEmphasis(const QString& name)
{
    EmphasisFlags flags;
    flags.bold = name == QLatin1String("Bold");
    flags.italic = name == QLatin1String("Italic");
    flags.strikeOut = name == QLatin1String("Strike Out");
    return flags;
}

int CAppearanceSettings::ShownBytesPerRow() const
{
    return std::clamp(bytesPerRow, kMinBytesPerRow, kMaxBytesPerRow);
}

PALETTE_RGB CAppearanceSettings::PaletteRgb(int index)
{
    return IsColorIndex(index) ? kPalette[static_cast<std::size_t>(index)].rgb
                               : PALETTE_RGB{0, 0, 0};
}

PALETTE_RGB CAppearanceSettings::ChangedShade(PALETTE_RGB background, PALETTE_RGB text)
{
    // Far enough to tell apart at a glance, near enough that the text on it
    // stays as readable as on the plain background.
    constexpr double kShift = 0.3;
    const auto mix = [](int from, int to) {
        return static_cast<int>(std::lround(from + (to - from) * kShift));
    };
    return {mix(background.red, text.red), mix(background.green, text.green),
            mix(background.blue, text.blue)};
}

QString CAppearanceSettings::GetTxtColName(int index) const
{
    return IsColorIndex(index) ? QString::fromLatin1(kPalette[static_cast<std::size_t>(index)].name)
                               : QString();
}

QString CAppearanceSettings::GetBgColName(int index) const
{
    return GetTxtColName(index);
}

QString CAppearanceSettings::GetIconColorName(int index)
{
    return index >= 0 && index < kIconColorCount
               ? QString::fromLatin1(kIconColorNames[static_cast<std::size_t>(index)])
               : QString();
}
