#include "document/files_are_equal.h"

#include "document/regular_file.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>

namespace {

// Both files are read in step in chunks of this size.
constexpr std::size_t kChunkSize = 65535;

// The errno of a failed open, read or look. What is no longer a regular file
// when it is opened fails without an errno of its own.
int ErrorOfFailure()
{
    return errno != 0 ? errno : EINVAL;
}

// Two opened files: equal sizes, then equal bytes.
bool OpenedFilesAreEqual(CRegularFile& first, CRegularFile& second, FILE_PAIR_ERRORS& errors)
{
    if (first.Size() != second.Size())
        return false;
    // Left uninitialised: only what was read is compared, and clearing 128 KiB
    // per pair costs more than comparing most files.
    std::array<char, kChunkSize> a;
    std::array<char, kChunkSize> b;
    long long left = first.Size();
    while (left > 0) {
        const auto want = static_cast<std::size_t>(std::min<long long>(left, kChunkSize));
        const long long gotA = first.Read(a.data(), want);
        if (gotA < 0)
            errors.first = ErrorOfFailure();
        const long long gotB = second.Read(b.data(), want);
        if (gotB < 0)
            errors.second = ErrorOfFailure();
        // A failed read or a file that shrank since it was opened cannot be
        // shown equal.
        if (gotA <= 0 || gotA != gotB)
            return false;
        if (std::memcmp(a.data(), b.data(), static_cast<std::size_t>(gotA)) != 0)
            return false;
        left -= gotA;
    }
    return true;
}

} // namespace

bool ScannedFilesAreEqual(const std::string& path1, const std::string& path2,
                          FILE_PAIR_ERRORS* errors)
{
    return ScannedFilesAreEqualAt(AT_FDCWD, path1.c_str(), AT_FDCWD, path2.c_str(), errors);
}

// Both sides are opened even when the first fails, so that each unreadable
// file is named.
bool ScannedFilesAreEqualAt(int folder1, const char* name1, int folder2, const char* name2,
                            FILE_PAIR_ERRORS* errors)
{
    FILE_PAIR_ERRORS found;
    CRegularFile first;
    CRegularFile second;
    errno = 0;
    if (!first.OpenScannedAt(folder1, name1))
        found.first = ErrorOfFailure();
    errno = 0;
    if (!second.OpenScannedAt(folder2, name2))
        found.second = ErrorOfFailure();
    bool equal = false;
    if (found.first == 0 && found.second == 0) {
        errno = 0;
        equal = OpenedFilesAreEqual(first, second, found);
    }
    if (errors)
        *errors = found;
    return equal;
}
