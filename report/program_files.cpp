#include "report/program_files.h"

#include <climits>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

std::string CProgramFiles::OwnFolder()
{
    char self[PATH_MAX + 1] = {};
    const ssize_t length = ::readlink("/proc/self/exe", self, PATH_MAX);
    if (length <= 0)
        return {};
    return fs::path(std::string(self, static_cast<std::size_t>(length))).parent_path().string();
}

std::string CProgramFiles::WindowProgram(const std::string& launcherFolder)
{
    return Find(launcherFolder, "varnel-window", VARNEL_WINDOW_FROM_BIN, "varnel-window");
}

std::string CProgramFiles::Launcher(const std::string& windowFolder)
{
    return Find(windowFolder, "varnel", VARNEL_BIN_FROM_WINDOW, "varnel");
}

std::string CProgramFiles::Manual(const std::string& windowFolder)
{
    return Find(windowFolder, "manual/manual.html", VARNEL_DOC_FROM_WINDOW, "manual.html");
}

std::string CProgramFiles::Find(const std::string& folder, const std::string& besideName,
                                const std::string& installed, const std::string& installedName)
{
    const fs::path base(folder);
    const fs::path beside = base / besideName;
    std::error_code error;
    if (fs::exists(beside, error))
        return beside.lexically_normal().string();
    return (base / installed / installedName).lexically_normal().string();
}
