#pragma once

#include <string>

// Where the parts of the program lie: the launcher "varnel", the window
// program it hands over to, and the manual. In a build tree they lie side by
// side; in an installed tree each lies in its own folder (bin, libexec,
// share/doc) and is found from the running program's own place through the
// relative paths the build recorded, so that a tree installed under any
// prefix, or unpacked from a package, finds its parts.
class CProgramFiles
{
public:
    // The folder of the running program, as the kernel has it.
    static std::string OwnFolder();

    // The window program, for the launcher in launcherFolder.
    static std::string WindowProgram(const std::string& launcherFolder);
    // The launcher, for the window program in windowFolder.
    static std::string Launcher(const std::string& windowFolder);
    // The manual, for the window program in windowFolder.
    static std::string Manual(const std::string& windowFolder);

private:
    // folder/besideName when that exists (a build tree), else
    // folder/installed/installedName; lexically normal either way.
    static std::string Find(const std::string& folder, const std::string& besideName,
                            const std::string& installed, const std::string& installedName);
};
