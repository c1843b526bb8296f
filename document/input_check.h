#pragma once

#include <string>

// The look at the two paths of a comparison before anything is read, shared by
// the window and the report so that the same fault gives the same message:
// both must exist, and both must be folders or neither. A file named with a
// folder stands for the file of the same name in that folder, as diff has it.
// A path that exists but cannot be read is left to the reading, which names
// it the same way.
class CInputCheck
{
public:
    enum Kind
    {
        Files,
        Directories,
        Unusable,
    };

    static CInputCheck Check(const std::string& firstPath, const std::string& secondPath);

    // The message for a path that is missing or cannot be read: "Failed to
    // read PATH!", the path as the file system holds it.
    static std::string FailedToRead(const std::string& path);

    Kind kind() const { return kind_; }
    // The one line that tells the user what is wrong; empty unless Unusable.
    const std::string& message() const { return message_; }
    // What the report adds to the message, where the window's message box
    // keeps to its fixed words: why a path cannot be used, in the system's
    // words ("No such file or directory"). Empty when there is nothing to add.
    const std::string& detail() const { return detail_; }
    // The two paths to compare: those given, except that for a file and a
    // folder the folder's path becomes that of the file of the same name in
    // it. Empty when Unusable.
    const std::string& first() const { return first_; }
    const std::string& second() const { return second_; }

private:
    CInputCheck() = default;
    static CInputCheck Refused(std::string message, std::string detail = {});
    static CInputCheck Usable(Kind kind, std::string first, std::string second);

    Kind kind_ = Unusable;
    std::string message_;
    std::string detail_;
    std::string first_;
    std::string second_;
};
