#include "report/html_page.h"

#include "document/appearance_settings.h"
#include "report/html_text.h"
#include "report/output_buffer.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

constexpr std::array<ContentKind, 5> kKinds = {ContentKind::Normal, ContentKind::New,
                                               ContentKind::Old, ContentKind::MovedTo,
                                               ContentKind::MovedFrom};

PALETTE_RGB FromHex(int rgb)
{
    return {(rgb >> 16) & 0xff, (rgb >> 8) & 0xff, rgb & 0xff};
}

std::string CssColor(PALETTE_RGB rgb)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", rgb.red & 0xff, rgb.green & 0xff,
                  rgb.blue & 0xff);
    return text;
}

// A palette entry as the page shows it: entry 0 is the page's own colour.
PALETTE_RGB Shown(int index, int pageColor)
{
    return index == 0 ? FromHex(pageColor) : CAppearanceSettings::PaletteRgb(index);
}

// The palette entry of an icon colour name; the nine icon colours are
// palette entries of the same names. An unknown name is grey, as the window
// shows its first image.
PALETTE_RGB IconColor(const CAppearanceSettings& look, const QString& name)
{
    for (int index = 1; index < CAppearanceSettings::kColorCount; ++index) {
        if (look.GetTxtColName(index) == name)
            return CAppearanceSettings::PaletteRgb(index);
    }
    return CAppearanceSettings::PaletteRgb(3);
}

// Black or white, whichever reads better on the colour.
std::string_view TextOn(PALETTE_RGB ground)
{
    const int light = ground.red * 299 + ground.green * 587 + ground.blue * 114;
    return light >= 128 * 1000 ? "#000000" : "#ffffff";
}

// The statuses in the order of their numbers (Old, New, Modified, Normal):
// the mark inside each icon, as the window's icons carry it.
struct STATUS_LOOK
{
    const char* mark;
    const QString CAppearanceSettings::*color;
};

const std::array<STATUS_LOOK, 4> kStatuses = {{
    {"\\2212", &CAppearanceSettings::oldIconColor},
    {"+", &CAppearanceSettings::newIconColor},
    {"M", &CAppearanceSettings::modifiedIconColor},
    {"=", &CAppearanceSettings::normalIconColor},
}};

void AppendDeclaration(std::string& css, std::string_view property, PALETTE_RGB color)
{
    css += ' ';
    css += property;
    css += ": ";
    css += CssColor(color);
    css += ';';
}

bool IsPlainFontName(const QString& name)
{
    if (name.isEmpty())
        return false;
    for (const QChar c : name) {
        if (!(c.isLetterOrNumber() || c == QLatin1Char(' ') || c == QLatin1Char('-') ||
              c == QLatin1Char('_')))
            return false;
    }
    return true;
}

} // namespace

CHtmlPage::CHtmlPage(COutputBuffer& out, const CAppearanceSettings& look) : out_(out), look_(look)
{
}

void CHtmlPage::Begin(std::string_view title)
{
    out_.Append("<!DOCTYPE html>\n"
                "<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\">\n<head>\n"
                "<meta charset=\"utf-8\" />\n"
                "<meta name=\"generator\" content=\"Varnel\" />\n<title>");
    out_.Append(CHtmlText::Escaped(title));
    out_.Append("</title>\n<style>\n");
    out_.Append(StyleSheet());
    out_.Append("</style>\n</head>\n<body>\n<h1>");
    out_.Append(CHtmlText::Escaped(title));
    out_.Append("</h1>\n");
}

void CHtmlPage::WritePaths(const std::string& first, const std::string& second)
{
    out_.Append("<table class=\"paths\">\n<tr><th>Old</th><td>");
    out_.Append(CHtmlText::Name(first));
    out_.Append("</td></tr>\n<tr><th>New</th><td>");
    out_.Append(CHtmlText::Name(second));
    out_.Append("</td></tr>\n</table>\n");
}

void CHtmlPage::WriteParagraph(std::string_view cssClass, std::string_view text)
{
    out_.Append("<p class=\"");
    out_.Append(cssClass);
    out_.Append("\">");
    out_.Append(CHtmlText::Escaped(CHtmlText::Decoded(text)));
    out_.Append("</p>\n");
}

void CHtmlPage::End()
{
    out_.Append("</body>\n</html>\n");
}

std::string CHtmlPage::FontFamily() const
{
    std::string family;
    if (IsPlainFontName(look_.GetFontName())) {
        family += '\'';
        family += look_.GetFontName().toStdString();
        family += "', ";
    }
    family += "monospace";
    return family;
}

std::string CHtmlPage::StyleSheet() const
{
    std::string css = "body {";
    AppendDeclaration(css, "color", FromHex(kPageText));
    AppendDeclaration(css, "background", FromHex(kPageGround));
    css += " font-family: sans-serif; margin: 1em; }\n"
           "h1 { font-size: 1.3em; }\n"
           "table.paths th { text-align: left; padding-right: 1em; }\n"
           "table.paths td, .name { font-family: monospace; }\n"
           ".summary { font-weight: bold; }\n"
           ".options, .note { color: #555555; }\n"
           "table.rows { border-collapse: collapse; font-family: ";
    css += FontFamily();
    css += "; font-size: ";
    css += std::to_string(std::clamp(look_.GetFontSize(), 4, 72));
    css += "pt; }\n"
           "table.rows td { padding: 0 0.3em; white-space: pre; vertical-align: top; }\n"
           "table.rows td.n { color: #808080; text-align: right; }\n"
           "table.rows td.t { width: 100%; }\n"
           // A character of another font (a box for a control byte) would
           // make its hex row taller than the others; fixed boxes keep every
           // row one line high and their colours edge to edge.
           "table.rows td.h span, table.rows td.a span { display: inline-block; "
           "height: 1.2em; line-height: 1.2em; vertical-align: top; }\n"
           "table.rows td.h, table.rows td.a { line-height: 1.2em; }\n"
           "td.cut { font-family: sans-serif; font-style: italic; color: #555555; }\n"
           "a.moved { color: inherit; }\n"
           ".sides { display: flex; gap: 1em; align-items: flex-start; }\n"
           ".side { flex: 1 1 0; min-width: 0; overflow-x: auto; }\n"
           ".pane-title { font-family: monospace; font-weight: bold; }\n"
           "table.tree { border-collapse: collapse; }\n"
           "table.tree td { padding: 0.05em 0.6em 0.05em 0; white-space: pre; }\n"
           "details { margin: 0.4em 0; }\n"
           "summary { cursor: pointer; font-family: monospace; }\n";
    AppendKindRules(css);
    AppendStatusRules(css);
    return css;
}

// Each content kind in the user's colours and emphasis; "System Default" is
// the page's own colour, so no rule is written for it. Changed characters
// inside a line stand on the kind's stronger shade, as in the window.
void CHtmlPage::AppendKindRules(std::string& css) const
{
    for (std::size_t k = 0; k < kKinds.size(); ++k) {
        const ContentKind kind = kKinds[k];
        std::string name = ".k";
        name += std::to_string(k);
        css += name;
        css += " {";
        if (look_.TxtIndex(kind) != 0)
            AppendDeclaration(css, "color", Shown(look_.TxtIndex(kind), kPageText));
        if (look_.BgIndex(kind) != 0)
            AppendDeclaration(css, "background", Shown(look_.BgIndex(kind), kPageGround));
        const EmphasisFlags emphasis = look_.Emphasis(kind);
        if (emphasis.bold)
            css += " font-weight: bold;";
        if (emphasis.italic)
            css += " font-style: italic;";
        if (emphasis.strikeOut || emphasis.underline) {
            css += " text-decoration: ";
            css += emphasis.strikeOut ? "line-through;" : "underline;";
        }
        css += " }\n";
        const PALETTE_RGB shade = CAppearanceSettings::ChangedShade(
            Shown(look_.BgIndex(kind), kPageGround), Shown(look_.TxtIndex(kind), kPageText));
        css += name;
        css += " .c {";
        AppendDeclaration(css, "background", shade);
        css += " }\n";
    }
}

// The directory icons: a small badge in the user's icon colour of the status,
// with the status's mark; a folder's badge has a folder's rounded tab.
void CHtmlPage::AppendStatusRules(std::string& css) const
{
    css += ".icon { display: inline-block; width: 1.3em; margin-right: 0.4em; "
           "text-align: center; font-family: sans-serif; font-size: 0.8em; "
           "font-weight: bold; border: 1px solid #606060; border-radius: 2px; }\n"
           ".icon.dir { border-radius: 0.5em 0.5em 2px 2px; }\n";
    for (std::size_t s = 0; s < kStatuses.size(); ++s) {
        const PALETTE_RGB color = IconColor(look_, look_.*kStatuses[s].color);
        std::string name = ".s";
        name += std::to_string(s);
        css += name;
        css += " {";
        AppendDeclaration(css, "background", color);
        css += " color: ";
        css += TextOn(color);
        css += "; }\n";
        css += name;
        css += "::after { content: \"";
        css += kStatuses[s].mark;
        css += "\"; }\n";
    }
}
