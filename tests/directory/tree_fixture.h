#pragma once

#include "directory/dir_node_list.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

// One entry of a test tree, described declaratively: a file with its bytes, a
// folder, a symbolic link, a FIFO or a socket.
struct TreeEntry
{
    enum class Kind
    {
        File,
        Folder,
        Link,
        Fifo,
        Socket
    };
    Kind kind;
    std::string path;
    std::string content; // a file's bytes, or a link's target

    static TreeEntry File(std::string path, std::string content = "")
    {
        return {Kind::File, std::move(path), std::move(content)};
    }
    static TreeEntry Folder(std::string path) { return {Kind::Folder, std::move(path), ""}; }
    static TreeEntry Link(std::string path, std::string target)
    {
        return {Kind::Link, std::move(path), std::move(target)};
    }
    static TreeEntry Fifo(std::string path) { return {Kind::Fifo, std::move(path), ""}; }
    static TreeEntry Socket(std::string path) { return {Kind::Socket, std::move(path), ""}; }
};

inline char StatusLetter(DirNodeStatus status)
{
    switch (status) {
    case DirNodeStatus::Old:
        return 'O';
    case DirNodeStatus::New:
        return 'N';
    case DirNodeStatus::Modified:
        return 'M';
    case DirNodeStatus::Normal:
        return '=';
    }
    return '?';
}

// A list in scan order as "name:status" words, folders marked with a "/".
inline std::string DescribeTree(const CDirNodeList& list)
{
    std::string text;
    for (const auto& node : list.Nodes()) {
        if (!text.empty())
            text += ' ';
        text += node->name + (node->isFile ? "" : "/") + ':' + StatusLetter(node->status);
    }
    return text;
}

// A temporary folder that the test fills with trees and that is removed at
// the end.
class TreeFolder
{
public:
    TreeFolder()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "varnel-dirs-XXXXXX").string();
        root_ = ::mkdtemp(pattern.data());
    }
    ~TreeFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    TreeFolder(const TreeFolder&) = delete;
    TreeFolder& operator=(const TreeFolder&) = delete;

    // Builds a tree under root/name and returns its path.
    std::string Build(const std::string& name, const std::vector<TreeEntry>& entries) const
    {
        const std::filesystem::path base = root_ / name;
        std::filesystem::create_directories(base);
        for (const TreeEntry& e : entries) {
            const std::filesystem::path path = base / e.path;
            std::filesystem::create_directories(path.parent_path());
            switch (e.kind) {
            case TreeEntry::Kind::File:
                std::ofstream(path, std::ios::binary) << e.content;
                break;
            case TreeEntry::Kind::Folder:
                std::filesystem::create_directories(path);
                break;
            case TreeEntry::Kind::Link:
                std::filesystem::create_symlink(e.content, path);
                break;
            case TreeEntry::Kind::Fifo:
                EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
                break;
            case TreeEntry::Kind::Socket:
                MakeSocket(path.string());
                break;
            }
        }
        return base.string();
    }

    std::string Path(const std::string& name) const { return (root_ / name).string(); }

private:
    // A socket stays in its folder after the descriptor that made it is
    // closed, as one a server left behind.
    static void MakeSocket(const std::string& path)
    {
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        ASSERT_LT(path.size(), sizeof address.sun_path) << path;
        std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        ASSERT_GE(fd, 0);
        EXPECT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        ::close(fd);
    }

    std::filesystem::path root_;
};
