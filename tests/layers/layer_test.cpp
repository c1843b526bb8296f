// The folders are the program's layers. A file may include its own layer and
// the layers below it, never one above: the engine knows nothing of the
// document, the headless report nothing of the window. The build's link lists
// catch a new library edge; this catches an include that would make one.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Bottom up. tests/ and bench/ may include anything, so they are not listed.
const std::vector<std::string> kLayers = {
    "engine", "document", "directory", "report", "views", "dir_views", "dialogs", "shell",
};

int RankOf(const std::string& folder)
{
    for (std::size_t i = 0; i < kLayers.size(); ++i) {
        if (kLayers[i] == folder)
            return static_cast<int>(i);
    }
    return -1;
}

struct UPWARD_INCLUDE
{
    std::string file;     // relative to the source root
    std::string included; // as the include line writes it
};

// The project includes of one file, as "folder/name.h".
std::vector<std::string> ProjectIncludes(const fs::path& file)
{
    static const std::regex include(R"(^\s*#\s*include\s+"([^"]+)\")");
    std::vector<std::string> found;
    std::ifstream in(file);
    std::string line;
    std::smatch match;
    while (std::getline(in, line)) {
        if (std::regex_search(line, match, include))
            found.push_back(match[1]);
    }
    return found;
}

std::vector<UPWARD_INCLUDE> UpwardIncludes(const fs::path& root)
{
    std::vector<UPWARD_INCLUDE> upward;
    for (const std::string& layer : kLayers) {
        const fs::path folder = root / layer;
        if (!fs::is_directory(folder))
            continue;
        for (const auto& entry : fs::recursive_directory_iterator(folder)) {
            const std::string extension = entry.path().extension().string();
            if (extension != ".h" && extension != ".cpp")
                continue;
            for (const std::string& included : ProjectIncludes(entry.path())) {
                const std::string target = included.substr(0, included.find('/'));
                if (RankOf(target) > RankOf(layer)) {
                    upward.push_back({fs::relative(entry.path(), root).generic_string(), included});
                }
            }
        }
    }
    return upward;
}

std::string Describe(const std::vector<UPWARD_INCLUDE>& upward)
{
    std::string text;
    for (const UPWARD_INCLUDE& u : upward)
        text += u.file + " includes " + u.included + "\n";
    return text;
}

class LayerCheckTest : public testing::Test
{
protected:
    void SetUp() override
    {
        root_ =
            fs::temp_directory_path() /
            ("varnel-layers-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
    }
    void TearDown() override { fs::remove_all(root_); }

    void Write(const std::string& relative, const std::string& text)
    {
        const fs::path path = root_ / relative;
        fs::create_directories(path.parent_path());
        std::ofstream(path) << text;
    }

    fs::path root_;
};

TEST_F(LayerCheckTest, FindsEveryIncludeOfAHigherLayerAndNothingElse)
{
    Write("engine/a.h", "#pragma once\n#include \"engine/b.h\"\n#include <vector>\n");
    Write("engine/b.cpp", "#include \"document/doc.h\"\n");
    Write("report/r.cpp", "#include \"directory/d.h\"\n  #  include \"views/v.h\"\n");
    Write("shell/s.cpp", "#include \"engine/a.h\"\n#include \"shell/other.h\"\n");
    Write("tests/t.cpp", "#include \"shell/s.h\"\n");

    const std::map<std::string, std::string> expected = {
        {"engine/b.cpp", "document/doc.h"},
        {"report/r.cpp", "views/v.h"},
    };
    std::map<std::string, std::string> found;
    for (const UPWARD_INCLUDE& u : UpwardIncludes(root_))
        found.emplace(u.file, u.included);
    EXPECT_EQ(found, expected);
}

TEST(LayerTest, NoSourceIncludesALayerAboveItsOwn)
{
    const fs::path root = VARNEL_SOURCE_DIR;
    ASSERT_TRUE(fs::is_directory(root / "engine")) << root;
    const std::vector<UPWARD_INCLUDE> upward = UpwardIncludes(root);
    EXPECT_TRUE(upward.empty()) << Describe(upward);
}

TEST(LayerTest, EveryLayerFolderExists)
{
    // A renamed folder would silently drop out of the check above.
    const fs::path root = VARNEL_SOURCE_DIR;
    for (const std::string& layer : kLayers)
        EXPECT_TRUE(fs::is_directory(root / layer)) << layer;
}

} // namespace
