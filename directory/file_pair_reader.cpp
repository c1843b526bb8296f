#include "directory/file_pair_reader.h"

#include "directory/dir_node_list.h"
#include "document/files_are_equal.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <string>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace {

// Pairs handed to a reader at a time: enough that the files of a folder
// mostly go to one reader, few enough that the readers end together.
constexpr std::size_t kRun = 32;
// Readers beyond this many only queue up in the file system.
constexpr unsigned kMostReaders = 4;

const char* LeafOf(const CDirNode& node)
{
    // The leaf is the end of the name, so it is terminated like the name.
    const std::size_t slash = node.name.rfind('/');
    return node.name.c_str() + (slash == std::string::npos ? 0 : slash + 1);
}

} // namespace

// The open folder of the file last asked for in one tree: the files of a
// folder come one after the other, so each folder is opened once, and every
// file is opened inside it without a walk along its whole path.
class CFilePairReader::CFolderCache
{
public:
    explicit CFolderCache(const CDirNodeList& list) : list_(list) {}
    ~CFolderCache() { Close(); }
    CFolderCache(const CFolderCache&) = delete;
    CFolderCache& operator=(const CFolderCache&) = delete;

    // The folder that holds node, or -1 with the reason in error.
    int FolderOf(const CDirNode& node, int& error)
    {
        if (!opened_ || parent_ != node.parent) {
            Close();
            Open(node);
        }
        error = error_;
        return fd_;
    }

private:
    // A path too long for the system is walked one folder at a time.
    void Open(const CDirNode& node)
    {
        opened_ = true;
        parent_ = node.parent;
        const std::string path = parent_ ? list_.FullPath(*parent_) : list_.rootPath;
        fd_ = path.size() < PATH_MAX
                  ? ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOCTTY)
                  : list_.OpenFolderOf(node);
        error_ = fd_ < 0 ? errno : 0;
    }
    void Close()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
        opened_ = false;
    }

    const CDirNodeList& list_;
    bool opened_ = false;
    const CDirNode* parent_ = nullptr;
    int fd_ = -1;
    int error_ = 0;
};

CFilePairReader::CFilePairReader(const CDirNodeList& firstList, const CDirNodeList& secondList)
    : firstList_(firstList), secondList_(secondList)
{
}

void CFilePairReader::Compare(const std::vector<PAIR>& pairs, std::vector<char>& equal,
                              const std::function<void(std::size_t)>& progress,
                              const std::stop_token& stop)
{
    next_ = 0;
    done_ = 0;
    equal.assign(pairs.size(), 0);
    const unsigned wanted = std::clamp(std::thread::hardware_concurrency(), 1U, kMostReaders);
    const auto helpers =
        static_cast<unsigned>(std::min<std::size_t>(wanted - 1, pairs.size() / kRun));
    std::vector<std::jthread> readers;
    for (unsigned i = 0; i < helpers; ++i) {
        // Without another thread the calling one reads every pair itself.
        try {
            readers.emplace_back([&] { Work(pairs, equal, stop, nullptr); });
        } catch (const std::system_error&) {
            break;
        }
    }
    Work(pairs, equal, stop, &progress);
    // The readers are joined here, so what they wrote is seen from now on.
}

void CFilePairReader::Work(const std::vector<PAIR>& pairs, std::vector<char>& equal,
                           const std::stop_token& stop,
                           const std::function<void(std::size_t)>* progress)
{
    CFolderCache firstFolders(firstList_);
    CFolderCache secondFolders(secondList_);
    while (!stop.stop_requested()) {
        const std::size_t start = next_.fetch_add(kRun);
        if (start >= pairs.size())
            break;
        const std::size_t end = std::min(start + kRun, pairs.size());
        for (std::size_t i = start; i < end; ++i) {
            CDirNode& first = *pairs[i].first;
            CDirNode& second = *pairs[i].second;
            FILE_PAIR_ERRORS errors;
            const int folder1 = firstFolders.FolderOf(first, errors.first);
            const int folder2 = secondFolders.FolderOf(second, errors.second);
            if (folder1 >= 0 && folder2 >= 0)
                equal[i] = ScannedFilesAreEqualAt(folder1, LeafOf(first), folder2, LeafOf(second),
                                                  &errors);
            first.error = errors.first;
            second.error = errors.second;
        }
        const std::size_t done = done_.fetch_add(end - start) + (end - start);
        if (progress && *progress)
            (*progress)(done);
    }
}
