#pragma once

#include <string>

// Two files that a scan of their folders has just found to be regular files
// are equal byte for byte. Used for files that are compared without being
// loaded; anything that turns out not to be a regular file once it is open (a
// folder, a FIFO, a device) or is gone is never equal.
bool ScannedFilesAreEqual(const std::string& path1, const std::string& path2);
