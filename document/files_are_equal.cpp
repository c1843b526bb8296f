#include "document/files_are_equal.h"

#include "document/regular_file.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// Both files are read in step in chunks of this size.
constexpr std::size_t kChunkSize = 65535;

// Two opened files: equal sizes, then equal bytes.
bool OpenedFilesAreEqual(CRegularFile& first, CRegularFile& second)
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
        const long long gotB = second.Read(b.data(), want);
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

bool ScannedFilesAreEqual(const std::string& path1, const std::string& path2)
{
    CRegularFile first;
    CRegularFile second;
    if (!first.OpenScanned(path1) || !second.OpenScanned(path2))
        return false;
    return OpenedFilesAreEqual(first, second);
}
