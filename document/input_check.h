#pragma once

#include <string>

// The look at the two paths of a comparison before anything is read, shared by
// the window and the report so that the same fault gives the same message:
// both must exist, and both must be folders or neither. A path that exists
// but cannot be read is left to the reading, which names it the same way.
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
    // keeps to its fixed words: for a file against a directory, which path is
    // which. Empty otherwise.
    const std::string& detail() const { return detail_; }

private:
    CInputCheck(Kind kind, std::string message, std::string detail = {})
        : kind_(kind), message_(std::move(message)), detail_(std::move(detail))
    {
    }

    Kind kind_;
    std::string message_;
    std::string detail_;
};
