// The settings file engine against real files: what it reads, what it lists
// and the exact bytes it leaves after a write.
#include "profile_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tarvelax {
namespace {

namespace fs = std::filesystem;

// Links and permission bits are what a POSIX system offers; Wine maps them
// only in part.
#ifdef _WIN32
#define SKIP_WITHOUT_POSIX_FILES() GTEST_SKIP() << "POSIX files only"
#else
#define SKIP_WITHOUT_POSIX_FILES() (void)0
#endif

class ProfileFileTest : public ::testing::Test {
protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "_" + info->name();
    for (char& c : name) {
      if (c == '/') c = '_';
    }
    dir_ = fs::temp_directory_path() / ("tarvelax_profile_" + name);
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    path_ = (dir_ / "Settings.ini").string();
  }
  void TearDown() override { fs::remove_all(dir_); }

  void Put(const std::string& bytes) {
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out << bytes;
  }
  std::string Bytes() const {
    std::ifstream in(path_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  fs::path dir_;
  std::string path_;
};

// ---------------------------------------------------------------- reading

struct ReadCase {
  const char* name;
  const char* text;
  const char* section;
  const char* key;
  const char* def;
  std::size_t size;
  const char* expected;
};

class ProfileRead : public ProfileFileTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ProfileRead, ReturnsWhatTheProfileFunctionsReturn) {
  const ReadCase& c = GetParam();
  Put(c.text);
  ProfileFile profile(path_);
  EXPECT_EQ(profile.ReadString(c.section, c.key, c.def, c.size), c.expected);
}

const ReadCase kReadCases[] = {
    {"Plain", "[s]\r\nk=v\r\n", "s", "k", "d", 2048, "v"},
    {"MissingKeyGivesDefault", "[s]\r\nk=v\r\n", "s", "x", "d", 2048, "d"},
    {"MissingSectionGivesDefault", "[s]\r\nk=v\r\n", "t", "k", "d", 2048, "d"},
    {"DefaultLosesTrailingSpaces", "", "s", "k", "d  ", 2048, "d"},
    {"DefaultKeepsLeadingSpaces", "", "s", "k", "  d", 2048, "  d"},
    {"SectionCaseIgnored", "[WindowPosition]\r\nLeft=5\r\n", "windowposition", "left", "", 2048, "5"},
    {"NamesTrimmed", "  [ s ]  \r\n  k  =  v w  \r\n", "s", "k", "", 2048, "v w"},
    {"CallerNamesTrimmed", "[s]\r\nk=v\r\n", " s ", "\tk ", "", 2048, "v"},
    {"FirstSectionOfANameCounts", "[s]\r\nk=1\r\n[S]\r\nk=2\r\nj=3\r\n", "s", "j", "d", 2048, "d"},
    {"FirstKeyOfANameCounts", "[s]\r\nk=1\r\nK=2\r\n", "s", "k", "", 2048, "1"},
    {"LineFeedOnly", "[s]\nk=v\n", "s", "k", "", 2048, "v"},
    {"CarriageReturnOnly", "[s]\rk=v\r", "s", "k", "", 2048, "v"},
    {"NoLineEndAtTheEnd", "[s]\r\nk=v", "s", "k", "", 2048, "v"},
    {"DoubleQuotesRemoved", "[s]\r\nk=\"a b\"\r\n", "s", "k", "", 2048, "a b"},
    {"SingleQuotesRemoved", "[s]\r\nk='a b'\r\n", "s", "k", "", 2048, "a b"},
    {"OnlyOnePairRemoved", "[s]\r\nk=\"\"a\"\"\r\n", "s", "k", "", 2048, "\"a\""},
    {"UnmatchedQuoteKept", "[s]\r\nk=\"a'\r\n", "s", "k", "", 2048, "\"a'"},
    {"LoneQuoteKept", "[s]\r\nk=\"\r\n", "s", "k", "", 2048, "\""},
    {"EmptyQuotes", "[s]\r\nk=\"\"\r\n", "s", "k", "d", 2048, ""},
    {"EmptyValueIsNotTheDefault", "[s]\r\nk=\r\n", "s", "k", "d", 2048, ""},
    {"LineWithoutEqualsHasNoValue", "[s]\r\nk\r\n", "s", "k", "d", 2048, "d"},
    {"ValueKeepsFurtherEquals", "[s]\r\nk=a=b\r\n", "s", "k", "", 2048, "a=b"},
    {"CutToTheBuffer", "[s]\r\nk=abcdef\r\n", "s", "k", "", 4, "abc"},
    {"QuotedCutKeepsItsQuote", "[s]\r\nk=\"abcdef\"\r\n", "s", "k", "", 4, "abc"},
    {"ZeroBufferGivesNothing", "[s]\r\nk=v\r\n", "s", "k", "d", 0, ""},
    {"HeaderWithTextAfterTheBracket", "[s] tail\r\nk=v\r\n", "s", "k", "", 2048, "v"},
    {"BracketWithoutCloseIsAKeyLine", "[s]\r\n[t=1\r\n", "s", "[t", "", 2048, "1"},
    {"ByteOrderMarkSkipped", "\xEF\xBB\xBF[s]\r\nk=v\r\n", "s", "k", "", 2048, "v"},
    {"KeysBeforeAnySectionBelongToNone", "k=v\r\n[s]\r\n", "s", "k", "d", 2048, "d"},
    {"EightBitBytesKept", "[s]\r\nk=\xD0\x9E\xD0\xB1\r\n", "s", "k", "", 2048, "\xD0\x9E\xD0\xB1"},
    {"CutDropsASplitCharacter", "[s]\r\nk=a\xD0\x9E\r\n", "s", "k", "", 3, "a"},
};

INSTANTIATE_TEST_SUITE_P(Cases, ProfileRead, ::testing::ValuesIn(kReadCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProfileFileTest, ValueCutAt2047OfA2048ByteBuffer) {
  const std::string long_value(3000, 'x');
  Put("[s]\r\nk=" + long_value + "\r\n");
  ProfileFile profile(path_);
  EXPECT_EQ(profile.ReadString("s", "k", "", 2048), std::string(2047, 'x'));
}

TEST_F(ProfileFileTest, MissingFileReadsAsEmpty) {
  ProfileFile profile(path_);
  EXPECT_EQ(profile.ReadString("s", "k", "d", 2048), "d");
  EXPECT_TRUE(profile.ReadKeys("s", 16384).empty());
  EXPECT_FALSE(fs::exists(path_));
}

// ---------------------------------------------------------------- key lists

struct KeysCase {
  const char* name;
  const char* text;
  const char* section;
  std::size_t size;
  std::vector<std::string> expected;
};

class ProfileKeys : public ProfileFileTest, public ::testing::WithParamInterface<KeysCase> {};

TEST_P(ProfileKeys, ListsWhatTheProfileFunctionsList) {
  const KeysCase& c = GetParam();
  Put(c.text);
  ProfileFile profile(path_);
  EXPECT_EQ(profile.ReadKeys(c.section, c.size), c.expected);
}

const char kMixed[] = "[s]\r\nname1=val1\r\n;note=1\r\nname2=\r\nname3\r\n\r\nname4 = val4\r\n[t]\r\nx=1\r\n";

const KeysCase kKeysCases[] = {
    {"FileOrderWithoutCommentsAndBareLines", kMixed, "s", 16384, {"name1", "name2", "name4"}},
    {"SectionCaseIgnored", kMixed, "S", 16384, {"name1", "name2", "name4"}},
    {"MissingSection", kMixed, "u", 16384, {}},
    {"EmptySection", "[s]\r\n[t]\r\nx=1\r\n", "s", 16384, {}},
    {"OnlyTheFirstSectionOfAName", "[s]\r\na=1\r\n[t]\r\n[S]\r\nb=2\r\n", "s", 16384, {"a"}},
    {"DuplicateKeysAllListed", "[s]\r\na=1\r\nA=2\r\n", "s", 16384, {"a", "A"}},
    {"LastNameCut", kMixed, "s", 16, {"name1", "name2", "na"}},
    {"ExactFit", "[s]\r\nname1=1\r\nname2=2\r\n", "s", 13, {"name1", "name2"}},
    {"OneShort", "[s]\r\nname1=1\r\nname2=2\r\n", "s", 12, {"name1", "name"}},
    {"NoRoomForAnything", kMixed, "s", 2, {}},
    {"EmptyNameEndsTheList", "[s]\r\na=1\r\n=2\r\nb=3\r\n", "s", 16384, {"a"}},
};

INSTANTIATE_TEST_SUITE_P(Cases, ProfileKeys, ::testing::ValuesIn(kKeysCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProfileFileTest, KeyListBoundedBy16384Bytes) {
  std::string text = "[s]\r\n";
  for (int i = 0; i < 3000; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "k%04d=%d\r\n", i, i);
    text += name;
  }
  Put(text);
  ProfileFile profile(path_);
  const auto keys = profile.ReadKeys("s", 16384);
  // Names of 5 characters take 6 bytes each: 2,730 of them use 16,380 of the
  // 16,384 bytes, and the next is cut to the 2 characters that leave room
  // for its terminator and the list's.
  ASSERT_EQ(keys.size(), 2731u);
  EXPECT_EQ(keys[2729], "k2729");
  EXPECT_EQ(keys[2730], "k2");
}

// ---------------------------------------------------------------- writing

struct WriteCase {
  const char* name;
  const char* before;
  const char* section;
  const char* key;
  const char* value;
  const char* after;
};

class ProfileWrite : public ProfileFileTest, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(ProfileWrite, ChangesOnlyTheLineItMust) {
  const WriteCase& c = GetParam();
  Put(c.before);
  ProfileFile profile(path_);
  ASSERT_TRUE(profile.WriteString(c.section, c.key, c.value));
  EXPECT_EQ(Bytes(), c.after);
}

const WriteCase kWriteCases[] = {
    {"ReplaceValue", "[s]\r\na=1\r\nb=2\r\n", "s", "a", "9", "[s]\r\na=9\r\nb=2\r\n"},
    {"ReplaceKeepsTheFileSpelling", "[s]\r\nLeft = 1\r\n", "S", "LEFT", "2", "[s]\r\nLeft=2\r\n"},
    {"ReplaceLeavesOtherLinesAlone",
     "; head\r\n\r\n[s]\r\n  x = 1 \r\na=1\n\n[t]  \r\n;c\r\n", "s", "a", "2",
     "; head\r\n\r\n[s]\r\n  x = 1 \r\na=2\r\n\n[t]  \r\n;c\r\n"},
    {"SameValueLeavesTheFile", "[s]\r\na = 1  \n", "s", "a", "1", "[s]\r\na = 1  \n"},
    {"ValueLeadingBlanksDropped", "[s]\r\na=1\r\n", "s", "a", "  7", "[s]\r\na=7\r\n"},
    {"ValueTrailingBlanksKept", "[s]\r\na=1\r\n", "s", "a", "7 ", "[s]\r\na=7 \r\n"},
    {"BareLineGetsAValue", "[s]\r\na\r\n", "s", "a", "1", "[s]\r\na=1\r\n"},
    {"NewKeyAtTheEndOfItsSection", "[s]\r\na=1\r\n[t]\r\nb=2\r\n", "s", "c", "3",
     "[s]\r\na=1\r\nc=3\r\n[t]\r\nb=2\r\n"},
    {"NewKeyBeforeTrailingBlankLines", "[s]\r\na=1\r\n\r\n\r\n[t]\r\n", "s", "c", "3",
     "[s]\r\na=1\r\nc=3\r\n\r\n\r\n[t]\r\n"},
    {"NewKeyAfterAComment", "[s]\r\na=1\r\n;end\r\n", "s", "c", "3", "[s]\r\na=1\r\n;end\r\nc=3\r\n"},
    {"NewKeyInAnEmptySection", "[s]\n[t]\n", "s", "c", "3", "[s]\nc=3\r\n[t]\n"},
    {"NewKeyInTheFirstSectionOfAName", "[s]\r\n[S]\r\nc=1\r\n", "s", "c", "3", "[s]\r\nc=3\r\n[S]\r\nc=1\r\n"},
    {"NewKeyAfterALastLineWithoutEnd", "[s]\r\na=1", "s", "c", "3", "[s]\r\na=1\r\nc=3\r\n"},
    {"NewSectionAtTheEnd", "[s]\r\na=1\r\n", "t", "b", "2", "[s]\r\na=1\r\n[t]\r\nb=2\r\n"},
    {"NewSectionAfterALastLineWithoutEnd", "[s]\na=1", "t", "b", "2", "[s]\na=1\r\n[t]\r\nb=2\r\n"},
    {"NewSectionKeepsTrailingBlankLines", "[s]\r\na=1\r\n\r\n", "t", "b", "2", "[s]\r\na=1\r\n\r\n[t]\r\nb=2\r\n"},
    {"EmptyFile", "", "App", "key", "", "[App]\r\nkey=\r\n"},
    {"CommentWithEqualsIsNotOurKey", "[s]\r\n;a=1\r\n", "s", "a", "2", "[s]\r\n;a=1\r\na=2\r\n"},
    {"ByteOrderMarkKept", "\xEF\xBB\xBF[s]\r\na=1\r\n", "s", "a", "2", "\xEF\xBB\xBF[s]\r\na=2\r\n"},
};

INSTANTIATE_TEST_SUITE_P(Cases, ProfileWrite, ::testing::ValuesIn(kWriteCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProfileFileTest, BytesTheLinesDoNotExplainAreKept) {
  const std::string before("x\0y\r\n[s]\r\na=1\r\n", 15);
  Put(before);
  ProfileFile profile(path_);
  ASSERT_TRUE(profile.WriteString("s", "a", "2"));
  EXPECT_EQ(Bytes(), std::string("x\0y\r\n[s]\r\na=2\r\n", 15));
}

TEST_F(ProfileFileTest, WriteCreatesAMissingFile) {
  ProfileFile profile(path_);
  ASSERT_TRUE(profile.WriteString("WindowPosition", "Left", "200"));
  ASSERT_TRUE(profile.WriteString("WindowPosition", "Top", "164"));
  ASSERT_TRUE(profile.WriteString("Last", "id", "1"));
  EXPECT_EQ(Bytes(), "[WindowPosition]\r\nLeft=200\r\nTop=164\r\n[Last]\r\nid=1\r\n");
}

TEST_F(ProfileFileTest, WriteToADirectoryFailsAndChangesNothing) {
  fs::create_directory(path_);
  ProfileFile profile(path_);
  EXPECT_FALSE(profile.WriteString("s", "k", "v"));
  EXPECT_TRUE(fs::is_directory(path_));
  EXPECT_EQ(profile.ReadString("s", "k", "d", 2048), "d");
}

TEST_F(ProfileFileTest, WriteIntoAMissingFolderFails) {
  ProfileFile profile((dir_ / "no" / "such.ini").string());
  EXPECT_FALSE(profile.WriteString("s", "k", "v"));
}

TEST_F(ProfileFileTest, WriteThroughALinkChangesItsTarget) {
  SKIP_WITHOUT_POSIX_FILES();
  Put("[s]\r\nk=1\r\n");
  const fs::path link = dir_ / "link.ini";
  fs::create_symlink(path_, link);
  ProfileFile profile(link.string());
  ASSERT_TRUE(profile.WriteString("s", "k", "2"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(Bytes(), "[s]\r\nk=2\r\n");
}

TEST_F(ProfileFileTest, WriteKeepsTheFilePermissions) {
  SKIP_WITHOUT_POSIX_FILES();
  Put("[s]\r\nk=1\r\n");
  fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ProfileFile profile(path_);
  ASSERT_TRUE(profile.WriteString("s", "k", "2"));
  EXPECT_EQ(fs::status(path_).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_FALSE(fs::exists(path_ + ".tarvelax-new"));
}

}  // namespace
}  // namespace tarvelax
