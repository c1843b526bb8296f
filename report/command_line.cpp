#include "report/command_line.h"

#include "directory/name_filter.h"
#include "document/comparison_settings.h"

#include <cerrno>
#include <charconv>
#include <fstream>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <unistd.h>

namespace {

// The options that take no value, each with what it sets.
struct FLAG_OPTION
{
    std::string_view name;
    void (*apply)(CCommandLine&);
};

constexpr FLAG_OPTION kFlagOptions[] = {
    {"--help", [](CCommandLine& line) { line.help = true; }},
    {"-h", [](CCommandLine& line) { line.help = true; }},
    {"--version", [](CCommandLine& line) { line.version = true; }},
    {"--brief", [](CCommandLine& line) { line.brief = true; }},
    {"--ignore-case", [](CCommandLine& line) { line.ignoreCase = true; }},
    {"--no-ignore-case", [](CCommandLine& line) { line.ignoreCase = false; }},
    {"--ignore-blanks", [](CCommandLine& line) { line.ignoreBlanks = true; }},
    {"--no-ignore-blanks", [](CCommandLine& line) { line.ignoreBlanks = false; }},
    {"--ignore-name-case", [](CCommandLine& line) { line.ignoreNameCase = true; }},
    {"--no-ignore-name-case", [](CCommandLine& line) { line.ignoreNameCase = false; }},
};

bool IsOption(const std::string& arg)
{
    return arg.size() > 1 && arg[0] == '-';
}

} // namespace

std::string CCommandLine::Usage()
{
    return "Usage: varnel [OPTION]... [OLD NEW]\n"
           "       varnel --report[=text|json|html] [OPTION]... OLD NEW\n"
           "\n"
           "Compares the file OLD with the file NEW, or the directory OLD with the\n"
           "directory NEW, and shows what was removed, what was added and what moved.\n"
           "\n"
           "In the window (the first form, when a display is available) the comparison\n"
           "shows as one composite listing or side by side; without OLD and NEW the\n"
           "window opens empty. It returns when the window closes, as git difftool\n"
           "expects. Without a display, the first form prints the report instead.\n"
           "\n"
           "The report (--report) prints every line (for binary files every byte, in\n"
           "hex rows) marked as identical, removed, added or moved, followed by a\n"
           "summary line; for two directories, every file and folder of either, marked\n"
           "as identical, modified, only in OLD or only in NEW, followed by a summary\n"
           "line.\n"
           "\n"
           "OLD and NEW may also be /dev/null, a pipe or process substitution\n"
           "(varnel a <(cmd)), or - for standard input (one of the two at most); each\n"
           "is read once, whole. A file and a directory compare the file with the file\n"
           "of the same name in the directory, as diff does.\n"
           "\n"
           "Options of both forms:\n"
           "  --ignore-case       compare text lines ignoring ASCII letter case\n"
           "  --no-ignore-case    compare letter case even when the settings ignore it\n"
           "  --ignore-blanks     compare text lines ignoring spaces, tabs and control bytes\n"
           "  --no-ignore-blanks  compare blanks even when the settings ignore them\n"
           "  --block-size N      shortest run of equal lines (or bytes) taken as common\n"
           "                      content, at least 1\n"
           "  --limit N           how far apart, in lines or bytes, equal content is\n"
           "                      searched, at least 0\n"
           "  --                  end of the options: what follows are paths\n"
           "  -h, --help          show this help and exit\n"
           "  --version           show the version and exit\n"
           "\n"
           "Options of the report:\n"
           "  --report[=FORMAT]   print the comparison as text (the default), json, or\n"
           "                      html: one self-contained page in the window's colours\n"
           "                      (varnel --report=html OLD NEW > page.html)\n"
           "  --layout=LAYOUT     the html page's listing: composite (the default) or\n"
           "                      side-by-side, the two files in two columns\n"
           "  --color[=WHEN]      colour the text report: auto (on a terminal; the\n"
           "                      default), always (the same as --color) or never\n"
           "  --brief             leave out what is identical: the identical rows of two\n"
           "                      files, the identical entries of two directories\n"
           "  --exclude=PATTERN   leave out of both trees the files and folders whose\n"
           "                      names match the shell pattern (\"*.o\", \"build/\" for\n"
           "                      folders only, \"!keep.o\" to keep what an earlier\n"
           "                      pattern left out); may be given more than once\n"
           "  --exclude-from=FILE the same for each line of FILE\n"
           "  --ignore-name-case  pair the entries of two directories by name with the\n"
           "                      letter case folded (Readme and README are one file)\n"
           "  --no-ignore-name-case  pair names byte for byte, whatever the settings say\n"
           "\n"
           "Without these options the comparison settings saved by the Varnel window\n"
           "apply. Options given here count for this run (or this window) only and are\n"
           "never saved. The files of two directories are always compared byte for\n"
           "byte, so the comparison settings and options do not apply to them.\n"
           "\n"
           "Text report rows: \"  \" identical, \"- \" removed, \"+ \" added,\n"
           "\"< \" moved away (its place in OLD), \"> \" moved in (its place in NEW).\n"
           "Directory entries, one a line with the path relative to OLD or NEW, folders\n"
           "first, each folder ending in \"/\" and followed by its content: \"  \" identical,\n"
           "\"M \" modified (a folder: something in it differs), \"- \" only in OLD,\n"
           "\"+ \" only in NEW.\n"
           "In json, paths and names are UTF-8; a byte of a name that is not part of valid\n"
           "UTF-8 is written as the escape \\udcXX (XX: the byte in hex), which Python\n"
           "reads back with os.fsencode. A file or folder that could not be read has\n"
           "the key \"error\" with the reason.\n"
           "\n"
           "Exit status: 0 when the files are equal or differ only in ignored ways, or\n"
           "the directories are identical; 1 when they differ; 2 on trouble (a file or\n"
           "directory that cannot be read, overlapping directories, a bad option, a\n"
           "missing argument). The window exits with 0 when it closes, or with 2 when\n"
           "an option or an input is refused before it opens.\n"
           "\n"
           "The manual: man varnel, or F1 in the window.\n";
}

bool CCommandLine::Parse(const std::vector<std::string>& args)
{
    bool optionsEnded = false;
    for (std::size_t index = 0; index < args.size(); ++index) {
        const std::string& arg = args[index];
        if (optionsEnded || !IsOption(arg)) {
            paths.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (!ParseOption(args, index)) {
            return false;
        }
    }
    return true;
}

// Reads the option at args[index]; an option whose value is the next argument
// moves index on to it.
bool CCommandLine::ParseOption(const std::vector<std::string>& args, std::size_t& index)
{
    const std::string& arg = args[index];
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    const bool hasValue = equals != std::string::npos;
    const std::string value = hasValue ? arg.substr(equals + 1) : std::string();

    if (name == "--report") {
        reportRequested = true;
        return SetFormat(hasValue ? value : "text");
    }
    if (name == "--layout") {
        if (!hasValue && index + 1 >= args.size())
            return Refuse("option '" + name + "' needs a value");
        return SetLayout(hasValue ? value : args[++index]);
    }
    if (name == "--color" || name == "--colour")
        return SetColor(hasValue ? value : "always");
    if (name == "--exclude" || name == "--exclude-from") {
        if (!hasValue && index + 1 >= args.size())
            return Refuse("option '" + name + "' needs a value");
        const std::string& text = hasValue ? value : args[++index];
        if (name == "--exclude-from")
            return ReadExcludeFile(text);
        exclude.push_back(text);
        return true;
    }
    if (name == "--block-size" || name == "--limit") {
        if (!hasValue && index + 1 >= args.size())
            return Refuse("option '" + name + "' needs a value");
        const std::string& text = hasValue ? value : args[++index];
        return name == "--block-size" ? SetNumber(name, text, 1, blockSize)
                                      : SetNumber(name, text, 0, limit);
    }
    if (hasValue)
        return Refuse("option '" + name + "' takes no value");
    return ParseFlag(name);
}

bool CCommandLine::ParseFlag(const std::string& name)
{
    for (const FLAG_OPTION& flag : kFlagOptions) {
        if (flag.name == name) {
            flag.apply(*this);
            return true;
        }
    }
    return Refuse("unknown option '" + name + "' (see varnel --help)");
}

bool CCommandLine::SetFormat(const std::string& value)
{
    if (value == "text")
        format = Format::Text;
    else if (value == "json")
        format = Format::Json;
    else if (value == "html")
        format = Format::Html;
    else
        return Refuse("unknown report format '" + value + "' (text, json or html)");
    return true;
}

bool CCommandLine::SetLayout(const std::string& value)
{
    if (value == "composite")
        layout = Layout::Composite;
    else if (value == "side-by-side")
        layout = Layout::SideBySide;
    else
        return Refuse("unknown --layout value '" + value + "' (composite or side-by-side)");
    return true;
}

bool CCommandLine::SetColor(const std::string& value)
{
    if (value == "auto")
        color = Color::Auto;
    else if (value == "always")
        color = Color::Always;
    else if (value == "never")
        color = Color::Never;
    else
        return Refuse("unknown --color value '" + value + "' (auto, always or never)");
    return true;
}

bool CCommandLine::SetNumber(const std::string& name, const std::string& text, int least,
                             std::optional<int>& target)
{
    int number = 0;
    const char* end = text.data() + text.size();
    const auto [stop, fault] = std::from_chars(text.data(), end, number);
    if (text.empty() || fault != std::errc() || stop != end || number < least)
        return Refuse("invalid value '" + text + "' for " + name + " (a whole number of at least " +
                      std::to_string(least) + ")");
    target = number;
    return true;
}

// One pattern a line; blank lines and lines starting with "#" are left out, so
// that a file in the manner of .gitignore can be given.
bool CCommandLine::ReadExcludeFile(const std::string& path)
{
    std::ifstream file(path);
    if (!file)
        return Refuse("cannot read the patterns of --exclude-from '" + path +
                      "': " + std::strerror(errno));
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line.front() == '#')
            continue;
        exclude.push_back(line);
    }
    if (file.bad())
        return Refuse("cannot read the patterns of --exclude-from '" + path +
                      "': " + std::strerror(errno));
    return true;
}

bool CCommandLine::Refuse(std::string error)
{
    error_ = std::move(error);
    return false;
}

// As git and diff decide: automatic colour only on a terminal that can show
// it, and not when the user has asked for none through NO_COLOR.
bool CCommandLine::UseColor() const
{
    if (color != Color::Auto)
        return color == Color::Always;
    const char* term = std::getenv("TERM");
    const char* noColor = std::getenv("NO_COLOR");
    return ::isatty(STDOUT_FILENO) != 0 && !(term && std::strcmp(term, "dumb") == 0) &&
           !(noColor && *noColor);
}

void CCommandLine::ApplyOverrides(ComparisonSettings& settings) const
{
    if (ignoreCase)
        settings.ignoreCase = *ignoreCase;
    if (ignoreBlanks)
        settings.ignoreBlanks = *ignoreBlanks;
    if (blockSize) {
        settings.txtBlockSize = *blockSize;
        settings.binBlockSize = *blockSize;
    }
    if (limit) {
        settings.txtLimit = *limit;
        settings.binLimit = *limit;
    }
    if (ignoreNameCase)
        settings.ignoreNameCase = *ignoreNameCase;
    // Patterns given here come after the stored ones, so that "!" here can
    // keep what the stored filter leaves out.
    if (!exclude.empty()) {
        std::vector<std::string> patterns = CNameFilter::Split(settings.exclude);
        patterns.insert(patterns.end(), exclude.begin(), exclude.end());
        settings.exclude = CNameFilter::Join(patterns);
    }
}
