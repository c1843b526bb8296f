#pragma once

#include <string>

// Why a pair of files could not be compared: the errno of the failed open or
// read on each side, 0 for a side that was read.
struct FILE_PAIR_ERRORS
{
    int first = 0;
    int second = 0;
};

// Two files that a scan of their folders has just found to be regular files
// are equal byte for byte. Used for files that are compared without being
// loaded; anything that turns out not to be a regular file once it is open (a
// folder, a FIFO, a device) or is gone is never equal. errors, if given, says
// which side could not be opened or read, and why.
bool ScannedFilesAreEqual(const std::string& path1, const std::string& path2,
                          FILE_PAIR_ERRORS* errors = nullptr);
// The same for two entry names, each in its open folder (or AT_FDCWD), so
// that files deep in a tree are compared whatever the length of their paths.
bool ScannedFilesAreEqualAt(int folder1, const char* name1, int folder2, const char* name2,
                            FILE_PAIR_ERRORS* errors = nullptr);
