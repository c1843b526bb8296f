#include "directory/dir_classifier.h"

#include "document/files_are_equal.h"
#include "document/path_names.h"
#include "engine/progress_sink.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <string_view>
#include <unistd.h>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

// Progress is reported at most about once a second: more often would only
// flood the receiver.
constexpr std::chrono::milliseconds kProgressInterval{1000};

// Decides each first-tree node's partner in the second tree, by name with the
// letter case folded; the partner of the i-th node of the first list, or none,
// stands at i. One folder of a Linux tree may hold names that differ only in
// case, so exact matches are paired first, and no node of the second tree is
// given to two nodes of the first.
std::vector<CDirNode*> ChoosePartners(const CDirNodeList& first, const CDirNodeList& second)
{
    const auto& firstNodes = first.Nodes();
    const auto& secondNodes = second.Nodes();
    std::unordered_map<std::string_view, CDirNode*> exact;
    exact.reserve(secondNodes.size());
    for (const auto& node : secondNodes)
        exact.emplace(node->name, node.get());
    std::vector<CDirNode*> partners(firstNodes.size(), nullptr);
    std::unordered_set<const CDirNode*> taken;
    taken.reserve(firstNodes.size());
    bool allPaired = true;
    for (std::size_t i = 0; i < firstNodes.size(); ++i) {
        const auto it = exact.find(firstNodes[i]->name);
        if (it == exact.end()) {
            allPaired = false;
            continue;
        }
        partners[i] = it->second;
        taken.insert(it->second);
    }
    if (allPaired)
        return partners;
    // A node paired exactly is never offered again, so only the others are
    // indexed by their folded names, in list order.
    std::unordered_map<std::string, std::vector<CDirNode*>> folded;
    for (const auto& node : secondNodes) {
        if (!taken.count(node.get()))
            folded[CDirNodeList::Folded(node->name)].push_back(node.get());
    }
    for (std::size_t i = 0; i < firstNodes.size(); ++i) {
        if (partners[i])
            continue;
        const auto it = folded.find(CDirNodeList::Folded(firstNodes[i]->name));
        if (it == folded.end())
            continue;
        for (CDirNode* candidate : it->second) {
            if (taken.insert(candidate).second) {
                partners[i] = candidate;
                break;
            }
        }
    }
    return partners;
}

// Every folder that holds, at any depth, a node that is not Normal.
void MarkFoldersAboveChanges(const CDirNodeList& list, std::unordered_set<const CDirNode*>& marked)
{
    for (const auto& node : list.Nodes()) {
        if (node->status == DirNodeStatus::Normal)
            continue;
        // Walking up stops at the first folder already marked: everything
        // above it is marked too, so each folder is visited once.
        for (const CDirNode* folder = node->parent; folder && marked.insert(folder).second;
             folder = folder->parent) {
        }
    }
}

} // namespace

// The progress arithmetic of the worker: a unit of 1000 per node of the first
// tree and per pair of folders, reported in per mille of the units known so
// far, at most about once a second.
class CDirClassifier::Progress
{
public:
    Progress(CDirClassifier& owner, int total)
        : owner_(owner), total_(total), last_(std::chrono::steady_clock::now())
    {
    }

    void AddUnit() { ++total_; }
    void Step()
    {
        work_ += 1000;
        const auto now = std::chrono::steady_clock::now();
        if (now - last_ < kProgressInterval)
            return;
        if (owner_.progressSink_)
            owner_.progressSink_->PostProgress(static_cast<int>(work_ / total_));
        last_ = std::chrono::steady_clock::now();
    }
    void SetWork(long long work) { work_ = work; }

private:
    CDirClassifier& owner_;
    long long total_;
    long long work_ = 0;
    std::chrono::steady_clock::time_point last_;
};

CDirClassifier::CDirClassifier(CDirNodeList& first, CDirNodeList& second, CProgressSink* progress)
    : first_(first), second_(second), progressSink_(progress)
{
}

void CDirClassifier::Run(std::stop_token stop)
{
    allIdentical = true;
    Progress progress(*this, first_.GetCount());
    PairNodes(progress, stop);
    MarkChangedFolders(progress, stop);
    ClearIdenticalUnlessAllNormal();
    if (progressSink_)
        progressSink_->PostProgress(1000);
}

void CDirClassifier::PairNodes(Progress& progress, const std::stop_token& stop)
{
    const std::vector<CDirNode*> partners = ChoosePartners(first_, second_);
    const auto& nodes = first_.Nodes();
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        if (stop.stop_requested())
            return;
        progress.Step();
        ++processed_;
        CDirNode* node = nodes[i].get();
        CDirNode* partner = partners[i];
        if (!partner) {
            allIdentical = false;
            continue;
        }
        if (node->isFile != partner->isFile) {
            allIdentical = false;
            continue;
        }
        node->counterpart = partner;
        partner->counterpart = node;
        // A folder that could not be listed may hide any difference, so its
        // pair is never taken as identical.
        if (!node->isFile && !node->error && !partner->error) {
            node->status = partner->status = DirNodeStatus::Normal;
            progress.AddUnit();
        } else if (node->isFile && FilesMatch(*node, *partner)) {
            node->status = partner->status = DirNodeStatus::Normal;
        } else {
            node->status = partner->status = DirNodeStatus::Modified;
            allIdentical = false;
        }
    }
}

// Special files are compared by what the scan saw, without opening them: two
// FIFOs or two sockets are alike, devices by their numbers, dangling links by
// their targets. A file that could not be read matches nothing.
bool CDirClassifier::FilesMatch(CDirNode& first, CDirNode& second) const
{
    if (first.error || second.error || first.kind != second.kind)
        return false;
    switch (first.kind) {
    case DirFileKind::Regular:
        return RegularFilesMatch(first, second);
    case DirFileKind::Fifo:
    case DirFileKind::Socket:
        return true;
    case DirFileKind::CharDevice:
    case DirFileKind::BlockDevice:
        return first.device == second.device;
    case DirFileKind::DanglingLink:
        return first.linkTarget == second.linkTarget;
    }
    return false;
}

// Files are opened by their paths; one whose path is too long for the system
// is opened inside its folder, reached one folder at a time. A file that
// cannot be opened or read keeps the reason.
bool CDirClassifier::RegularFilesMatch(CDirNode& first, CDirNode& second) const
{
    const std::string path1 = first_.FullPath(first);
    const std::string path2 = second_.FullPath(second);
    FILE_PAIR_ERRORS errors;
    bool equal = false;
    if (path1.size() < PATH_MAX && path2.size() < PATH_MAX) {
        equal = ScannedFilesAreEqual(path1, path2, &errors);
    } else {
        const int folder1 = first_.OpenFolderOf(first);
        errors.first = folder1 < 0 ? errno : 0;
        const int folder2 = second_.OpenFolderOf(second);
        errors.second = folder2 < 0 ? errno : 0;
        if (folder1 >= 0 && folder2 >= 0) {
            equal =
                ScannedFilesAreEqualAt(folder1, std::string(CPathNames::Leaf(first.name)), folder2,
                                       std::string(CPathNames::Leaf(second.name)), &errors);
        }
        for (const int folder : {folder1, folder2}) {
            if (folder >= 0)
                ::close(folder);
        }
    }
    first.error = errors.first;
    second.error = errors.second;
    return equal;
}

void CDirClassifier::MarkChangedFolders(Progress& progress, const std::stop_token& stop)
{
    std::unordered_set<const CDirNode*> changedFirst;
    std::unordered_set<const CDirNode*> changedSecond;
    MarkFoldersAboveChanges(first_, changedFirst);
    MarkFoldersAboveChanges(second_, changedSecond);
    progress.SetWork(processed_ * 1000LL);
    for (const auto& owned : first_.Nodes()) {
        if (stop.stop_requested())
            return;
        CDirNode* folder = owned.get();
        if (folder->isFile || folder->status != DirNodeStatus::Normal)
            continue;
        progress.Step();
        if (changedFirst.count(folder) || changedSecond.count(folder->counterpart)) {
            folder->status = folder->counterpart->status = DirNodeStatus::Modified;
            allIdentical = false;
        }
    }
}

void CDirClassifier::ClearIdenticalUnlessAllNormal()
{
    for (const CDirNodeList* list : {&first_, &second_}) {
        for (const auto& node : list->Nodes()) {
            if (node->status != DirNodeStatus::Normal)
                allIdentical = false;
        }
    }
}
