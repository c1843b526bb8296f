#pragma once

#include <optional>
#include <string>
#include <vector>

// The inputs a user names on the command line, read as diff reads them: a
// regular file, and also a pipe or a process substitution (varnel a <(cmd)),
// a device such as /dev/null (git difftool's stand-in for the missing side of
// an added or deleted file), or "-" for standard input. Each is read once and
// whole, with the size limit of a regular file. Files met in a directory tree
// never come here: those are read only when they are regular files.
class CInputReader
{
public:
    // The name that stands for standard input.
    static constexpr const char* kStandardInput = "-";

    // Whether path names an input that gives its bytes only once: standard
    // input, or anything that exists and is neither a regular file nor a
    // folder.
    static bool IsStream(const std::string& path);
    // Whether path names a device, such as /dev/null.
    static bool IsDevice(const std::string& path);
    // The whole content of the input, or none with reason, if given, saying
    // why in the system's words ("No such file or directory").
    static std::optional<std::vector<char>> Read(const std::string& path,
                                                 std::string* reason = nullptr);
};
