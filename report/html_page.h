#pragma once

#include <string>
#include <string_view>

class CAppearanceSettings;
class COutputBuffer;

// The frame of a report page: one self-contained document with its style
// sheet inline (the user's colours and emphasis for the five content kinds,
// the icon colours of the directory statuses), no script and nothing fetched
// from anywhere. Written as polyglot HTML: every element closed and every
// attribute quoted, so that an XML parser reads the page as well as a
// browser does.
class CHtmlPage
{
public:
    CHtmlPage(COutputBuffer& out, const CAppearanceSettings& look);

    // title: plain text, escaped here.
    void Begin(std::string_view title);
    // The two inputs, as given.
    void WritePaths(const std::string& first, const std::string& second);
    // A paragraph of the given class holding text, escaped here.
    void WriteParagraph(std::string_view cssClass, std::string_view text);
    void End();

    // The colours of "System Default" on the page: the page's own text and
    // ground, black on white, as a browser shows a page that sets none.
    static constexpr int kPageText = 0x000000;
    static constexpr int kPageGround = 0xffffff;

private:
    std::string StyleSheet() const;
    void AppendKindRules(std::string& css) const;
    void AppendStatusRules(std::string& css) const;
    // The font family list: the user's face, when its name is plain enough
    // to stand in a style sheet, then the browser's monospace font.
    std::string FontFamily() const;

    COutputBuffer& out_;
    const CAppearanceSettings& look_;
};
