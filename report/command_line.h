#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

struct ComparisonSettings;

// The command line of the report mode: options in any order before "--",
// paths anywhere. Comparison options left out stay unset, so the stored
// settings apply to them.
class CCommandLine
{
public:
    enum class Format
    {
        Text,
        Json,
        Html
    };
    // How the HTML report lays out a file comparison: one composite listing,
    // as the window's composite view, or the two files beside each other.
    enum class Layout
    {
        Composite,
        SideBySide
    };
    enum class Color
    {
        Auto,
        Always,
        Never
    };

    // Reads the arguments that follow the program name. False on an unknown
    // option or a bad value; Error() then says which.
    bool Parse(const std::vector<std::string>& args);
    const std::string& Error() const { return error_; }
    static std::string Usage();
    // Whether the text report is coloured: as asked, or, left to the program,
    // only on a terminal that can show colour and without NO_COLOR.
    bool UseColor() const;
    // Replaces the fields of settings that this command line sets: a block
    // size or a limit given once applies to text and to binary files alike.
    void ApplyOverrides(ComparisonSettings& settings) const;

    bool reportRequested = false;
    bool help = false;
    bool version = false;
    Format format = Format::Text;
    Color color = Color::Auto;
    Layout layout = Layout::Composite;
    // Leave out what is identical: rows of a file comparison, entries of a
    // directory comparison.
    bool brief = false;
    std::optional<bool> ignoreCase;
    std::optional<bool> ignoreBlanks;
    std::optional<int> blockSize;
    std::optional<int> limit;
    std::optional<bool> ignoreNameCase;
    // Name patterns of --exclude and of the lines of --exclude-from files.
    std::vector<std::string> exclude;
    std::vector<std::string> paths;

private:
    bool ParseOption(const std::vector<std::string>& args, std::size_t& index);
    bool ParseFlag(const std::string& name);
    bool SetFormat(const std::string& value);
    bool SetColor(const std::string& value);
    bool SetLayout(const std::string& value);
    bool SetNumber(const std::string& name, const std::string& text, int least,
                   std::optional<int>& target);
    bool ReadExcludeFile(const std::string& path);
    bool Refuse(std::string error);

    std::string error_;
};
