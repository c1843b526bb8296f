#include "directory/dir_classifier.h"

#include "directory/file_pair_reader.h"
#include "engine/progress_sink.h"

#include <algorithm>
#include <chrono>
#include <compare>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

// Progress is reported at most about once a second: more often would only
// flood the receiver.
constexpr std::chrono::milliseconds kProgressInterval{1000};
// A node whose content is not compared as a pair of regular files.
constexpr std::size_t kNoPair = static_cast<std::size_t>(-1);

// The nodes of a list by the hash of their names, exact or with the letter
// case folded: a sorted table of plain numbers, where a map of strings would
// cost an allocation per name.
class NameIndex
{
public:
    NameIndex(const CDirNodeList& list, bool folded, const std::vector<char>& skipped)
        : folded_(folded)
    {
        const auto& nodes = list.Nodes();
        keys_.reserve(nodes.size());
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            if (!skipped[i])
                keys_.push_back({Hash(nodes[i]->name), i});
        }
        // Equal hashes keep list order, so the first candidate is the first in
        // the list.
        std::sort(keys_.begin(), keys_.end());
    }

    // Calls take(index) for every node whose name may be name, in list order,
    // until it returns true.
    template<class Take> void ForEachCandidate(const std::string& name, Take take) const
    {
        const std::size_t hash = Hash(name);
        auto it = std::lower_bound(keys_.begin(), keys_.end(), KEY{hash, 0});
        for (; it != keys_.end() && it->hash == hash; ++it) {
            if (take(it->index))
                return;
        }
    }

private:
    struct KEY
    {
        std::size_t hash;
        std::size_t index;
        auto operator<=>(const KEY&) const = default;
    };

    // FNV-1a, over the bytes or over the bytes with the letters folded.
    std::size_t Hash(const std::string& name) const
    {
        std::uint64_t hash = 14695981039346656037ULL;
        for (const char c : name) {
            auto byte = static_cast<unsigned char>(c);
            if (folded_ && byte >= 'A' && byte <= 'Z')
                byte = static_cast<unsigned char>(byte - 'A' + 'a');
            hash = (hash ^ byte) * 1099511628211ULL;
        }
        return static_cast<std::size_t>(hash);
    }

    bool folded_;
    std::vector<KEY> keys_;
};

// Decides each first-tree node's partner in the second tree, by name; the
// partner of the i-th node of the first list, or none, stands at i. Linux
// tells "Makefile" and "MAKEFILE" apart, so names pair byte for byte. With
// foldCase, for trees copied from file systems that fold letter case, the
// nodes left over pair by name with the case folded; one folder may still
// hold names that differ only in case, so exact matches are paired first,
// and no node of the second tree is given to two nodes of the first.
std::vector<CDirNode*> ChoosePartners(const CDirNodeList& first, const CDirNodeList& second,
                                      bool foldCase)
{
    const auto& firstNodes = first.Nodes();
    const auto& secondNodes = second.Nodes();
    std::vector<char> taken(secondNodes.size(), 0);
    std::vector<CDirNode*> partners(firstNodes.size(), nullptr);
    bool allPaired = true;
    {
        const NameIndex exact(second, false, taken);
        for (std::size_t i = 0; i < firstNodes.size(); ++i) {
            const std::string& name = firstNodes[i]->name;
            exact.ForEachCandidate(name, [&](std::size_t j) {
                if (secondNodes[j]->name != name)
                    return false;
                partners[i] = secondNodes[j].get();
                taken[j] = 1;
                return true;
            });
            allPaired = allPaired && partners[i];
        }
    }
    if (allPaired || !foldCase)
        return partners;
    // A node paired exactly is never offered again, so only the others are
    // indexed by their folded names.
    const NameIndex folded(second, true, taken);
    for (std::size_t i = 0; i < firstNodes.size(); ++i) {
        if (partners[i])
            continue;
        const std::string& name = firstNodes[i]->name;
        folded.ForEachCandidate(name, [&](std::size_t j) {
            if (taken[j] || CDirNodeList::CompareFolded(secondNodes[j]->name, name) != 0)
                return false;
            partners[i] = secondNodes[j].get();
            taken[j] = 1;
            return true;
        });
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
// tree, per pair of files whose content is compared and per pair of folders,
// reported in per mille of the units known so
// far, at most about once a second.
class CDirClassifier::Progress
{
public:
    Progress(CDirClassifier& owner, int total)
        : owner_(owner), total_(total), last_(std::chrono::steady_clock::now())
    {
    }

    void AddUnit() { ++total_; }
    void AddUnits(long long units) { total_ += units; }
    void Step() { Reach(work_ / 1000 + 1); }
    // The work done so far is this many units.
    void Reach(long long units)
    {
        work_ = units * 1000;
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

CDirClassifier::CDirClassifier(CDirNodeList& first, CDirNodeList& second, CProgressSink* progress,
                               bool ignoreNameCase)
    : first_(first), second_(second), progressSink_(progress), ignoreNameCase_(ignoreNameCase)
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
    const std::vector<CDirNode*> partners = ChoosePartners(first_, second_, ignoreNameCase_);
    const auto& nodes = first_.Nodes();
    // The contents of the pairs of regular files are compared first, on
    // several threads; the walk below then only reads the outcome.
    std::vector<CFilePairReader::PAIR> filePairs;
    std::vector<std::size_t> pairOf(nodes.size(), kNoPair);
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const CDirNode* node = nodes[i].get();
        const CDirNode* partner = partners[i];
        if (partner && node->isFile && partner->isFile && !node->error && !partner->error &&
            node->kind == DirFileKind::Regular && partner->kind == DirFileKind::Regular) {
            pairOf[i] = filePairs.size();
            filePairs.push_back({nodes[i].get(), partners[i]});
        }
    }
    std::vector<char> equal;
    progress.AddUnits(static_cast<long long>(filePairs.size()));
    CFilePairReader(first_, second_)
        .Compare(
            filePairs, equal,
            [&progress](std::size_t done) { progress.Reach(static_cast<long long>(done)); }, stop);
    if (stop.stop_requested())
        return;
    processed_ += static_cast<int>(filePairs.size());
    progress.SetWork(processed_ * 1000LL);

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
        } else if (node->isFile &&
                   (pairOf[i] != kNoPair ? equal[pairOf[i]] != 0 : FilesMatch(*node, *partner))) {
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
bool CDirClassifier::FilesMatch(const CDirNode& first, const CDirNode& second)
{
    if (first.error || second.error || first.kind != second.kind)
        return false;
    switch (first.kind) {
    case DirFileKind::Regular:
        // Regular pairs were compared by their content before.
        return false;
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
