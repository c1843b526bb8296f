#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>

// One entry of a test tree, described declaratively: a file with its bytes, a
// folder, a symbolic link, or a FIFO.
struct TreeEntry
{
    enum class Kind
    {
        File,
        Folder,
        Link,
        Fifo
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
};

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
            }
        }
        return base.string();
    }

    std::string Path(const std::string& name) const { return (root_ / name).string(); }

private:
    std::filesystem::path root_;
};
