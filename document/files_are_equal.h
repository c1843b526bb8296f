#pragma once

#include <string>

// The two files are equal byte for byte. Only regular files are read; anything
// else (missing, a folder, a FIFO, a device) is never equal.
bool FilesAreEqual(const std::string& path1, const std::string& path2);
// The same for two paths that a scan has just found to be regular files.
bool ScannedFilesAreEqual(const std::string& path1, const std::string& path2);
