// The class registry against real folders: where class files are looked
// for, which one wins, and how a command is put together.
#include "class_registry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace tarvelax {
namespace {

namespace fs = std::filesystem;

class ClassRegistryTest : public ::testing::Test {
protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("tarvelax_classes_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  void TearDown() override { fs::remove_all(root_); }

  fs::path Folder(const std::string& name) {
    const fs::path dir = root_ / name;
    fs::create_directories(dir);
    return dir;
  }
  static void Put(const fs::path& file, const std::string& progId, const std::string& exec) {
    std::ofstream out(file, std::ios::binary);
    out << "; a class\r\n[Embeddable Object]\r\nProgID=" << progId << "\r\nExec=" << exec << "\r\n";
  }

  fs::path root_;
};

TEST_F(ClassRegistryTest, FoldersFollowTheXdgOrderThenBesideTheProgram) {
  setenv("XDG_DATA_HOME", "/home/u/data", 1);
  setenv("XDG_DATA_DIRS", "/a/share:relative:/b/share", 1);
  EXPECT_EQ(ClassFolders("/opt/tarvelax/bin"),
            (std::vector<std::string>{"/home/u/data/tarvelax/classes", "/a/share/tarvelax/classes",
                                      "/b/share/tarvelax/classes", "/opt/tarvelax/bin/classes"}));
  unsetenv("XDG_DATA_HOME");
  unsetenv("XDG_DATA_DIRS");
  setenv("HOME", "/home/v", 1);
  EXPECT_EQ(ClassFolders("/p"),
            (std::vector<std::string>{"/home/v/.local/share/tarvelax/classes", "/usr/local/share/tarvelax/classes",
                                      "/usr/share/tarvelax/classes", "/p/classes"}));
}

TEST_F(ClassRegistryTest, FirstMatchWinsLetterCaseIgnored) {
  const fs::path first = Folder("first"), second = Folder("second");
  Put(second / "a.class", "TarvelAX.Sample", "second");
  Put(first / "z.class", "tarvelax.sample", "first-z");
  Put(first / "b.class", "Other.Thing", "other");
  Put(first / "y.class", "TARVELAX.SAMPLE", "first-y");
  Put(first / "a.txt", "TarvelAX.Sample", "not a class file");
  const auto found = FindClass({(root_ / "missing").string(), first.string(), second.string()}, "TarvelAX.Sample");
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(found->exec, "first-y");  // name order within a folder
  EXPECT_EQ(found->progId, "TARVELAX.SAMPLE");
  EXPECT_EQ(found->file, (first / "y.class").string());
}

TEST_F(ClassRegistryTest, UnknownAndEmptyNamesResolveToNothing) {
  const fs::path dir = Folder("dir");
  Put(dir / "a.class", "TarvelAX.Sample", "x");
  EXPECT_FALSE(FindClass({dir.string()}, "No.Such.Class").has_value());
  EXPECT_FALSE(FindClass({dir.string()}, "").has_value());
  EXPECT_FALSE(FindClass({dir.string()}, "TarvelAX.Sampl").has_value());
}

struct CommandCase {
  const char* name;
  const char* exec;
  std::vector<std::string> words;
};

class ExpandCommandTest : public ::testing::TestWithParam<CommandCase> {};

TEST_P(ExpandCommandTest, SplitsAndReplaces) {
  const HostNames names{"4194313", "Tarvelaxcontainer", "OleContainerTarvelAX"};
  EXPECT_EQ(ExpandCommand(GetParam().exec, names), GetParam().words);
}

const CommandCase kCommands[] = {
    {"WindowId", "xterm -into %w", {"xterm", "-into", "4194313"}},
    {"HostNames", "obj --app %a --in %c", {"obj", "--app", "Tarvelaxcontainer", "--in", "OleContainerTarvelAX"}},
    {"InsideAWord", "obj --wid=%w", {"obj", "--wid=4194313"}},
    {"Percent", "printf 100%%", {"printf", "100%"}},
    {"UnknownPlaceholderKept", "obj %x", {"obj", "%x"}},
    {"QuotesGroup", "sh -c \"exec obj %w\"", {"sh", "-c", "exec obj 4194313"}},
    {"EmptyQuotesAWord", "obj \"\" x", {"obj", "", "x"}},
    {"BlanksCollapse", "  obj \t  x  ", {"obj", "x"}},
    {"UnclosedQuote", "obj \"x", {}},
    {"Nothing", "   ", {}},
};

INSTANTIATE_TEST_SUITE_P(Cases, ExpandCommandTest, ::testing::ValuesIn(kCommands),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarvelax
