// Beside its header: this library adds no include folder of its own.
#include "views/appearance.h"

#include <QPalette>

#include <algorithm>

namespace {

// No screen needs a text row taller than this; a font size from an edited
// store is brought into reach of what the font system can draw.
constexpr long long kLargestPixelSize = 1024;
constexpr int kPointsPerInch = 72;

} // namespace

std::array<QColor, CAppearance::kColorCount> CAppearance::FixedPalette()
{
    std::array<QColor, kColorCount> colors;
    for (int i = 0; i < kColorCount; ++i) {
        const PALETTE_RGB rgb = PaletteRgb(i);
        colors[static_cast<std::size_t>(i)] = QColor(rgb.red, rgb.green, rgb.blue);
    }
    return colors;
}

// Text and Base are the colours of a text area, which is what a comparison
// pane is; Window is the face of dialogs and tool bars.
void CAppearance::TakeSystemColors(const QPalette& palette)
{
    txtPalette_[0] = palette.color(QPalette::Active, QPalette::Text);
    bgPalette_[0] = palette.color(QPalette::Active, QPalette::Base);
}

QColor CAppearance::TxtColor(ContentKind kind) const
{
    return txtPalette_[static_cast<std::size_t>(TxtIndex(kind))];
}

QColor CAppearance::BgColor(ContentKind kind) const
{
    return bgPalette_[static_cast<std::size_t>(BgIndex(kind))];
}

QColor CAppearance::ChangedBgColor(ContentKind kind) const
{
    const QColor bg = BgColor(kind);
    const QColor txt = TxtColor(kind);
    const PALETTE_RGB shade = ChangedShade({bg.red(), bg.green(), bg.blue()},
                                           {txt.red(), txt.green(), txt.blue()});
    return QColor(shade.red, shade.green, shade.blue);
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
