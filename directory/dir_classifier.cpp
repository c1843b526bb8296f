#include "directory/dir_classifier.h"

#include "document/files_are_equal.h"
#include "engine/progress_sink.h"

#include <chrono>
#include <string_view>
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
        if (!node->isFile) {
            node->status = partner->status = DirNodeStatus::Normal;
            progress.AddUnit();
        } else if (node->isRegular && partner->isRegular &&
                   ScannedFilesAreEqual(first_.FullPath(*node), second_.FullPath(*partner))) {
            node->status = partner->status = DirNodeStatus::Normal;
        } else {
            node->status = partner->status = DirNodeStatus::Modified;
            allIdentical = false;
        }
    }
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
