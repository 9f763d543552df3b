// morvik_cat_test.cpp - morvik-cat on files that the library itself wrote:
// an empty file, an empty log, one chunk, several chunks, a record larger
// than a chunk, texts that hold record prefixes, and surrogate pairs; each
// read plain and scrambled.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "I_Morvik.h"
#include "morvik_cat/cat_command.h"
#include "morvik_cat/export_reader.h"
#include "morvik_cat/export_scrambler.h"

namespace morvik_cat {
namespace {

namespace fs = std::filesystem;
using Text = std::basic_string<MorvikChar>;
using Bytes = std::vector<uint8_t>;

// Texts are written as char16_t literals and handed to the library in its
// own character type (wchar_t on Windows).
Text T(std::u16string_view s) { return Text(s.begin(), s.end()); }
Text T(const std::string& ascii) { return Text(ascii.begin(), ascii.end()); }

struct Item {
  RecordKind kind;
  Text text;
};

struct Record8 {
  std::string kind;
  std::string text;
};

class ExportedFile : public ::testing::Test {
 protected:
  void SetUp() override {
    // ctest runs the tests side by side, each in a process of its own: the
    // folder is named after the test and a random number.
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "-" + info->name();
    for (char& c : name)
      if (!std::isalnum(static_cast<unsigned char>(c))) c = '-';
    dir_ = fs::temp_directory_path() /
           ("morvik-cat-test-" + name + "-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  // Logs the items into a new log and exports it to name; returns the file.
  Bytes Export(const std::vector<Item>& items, bool scramble, const std::string& name = "log.dat") {
    I_Morvik* log = nullptr;
    EXPECT_EQ(GetInterface(&log), MORVIK_S_OK);
    if (log == nullptr) return {};
    for (const Item& item : items) {
      switch (item.kind) {
        case RecordKind::kComment: log->Comment(item.text.c_str()); break;
        case RecordKind::kEvent: log->Event(item.text.c_str()); break;
        case RecordKind::kError: log->Error(item.text.c_str()); break;
        case RecordKind::kWarning: log->Warning(item.text.c_str()); break;
        default: log->Message(item.text.c_str()); break;
      }
    }
    EXPECT_TRUE(log->ExportToFile(T(Path(name)).c_str(), scramble));
    EXPECT_EQ(log->GetCount(), 0);
    FreeInterface(&log);
    return Read(name);
  }

  Bytes Read(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  std::string EventText(const std::string& name = "log.dat") const {
    return "---Exported to " + Path(name) + " file, the session index: 0---";
  }

  // Runs morvik-cat in-process; returns its exit status.
  int Cat(std::vector<std::string> args, std::string* out = nullptr, std::string* err = nullptr) {
    std::ostringstream o;
    std::ostringstream e;
    const int status = RunCat(args, o, e);
    if (out) *out = o.str();
    if (err) *err = e.str();
    return status;
  }

  // The printed records of a file, split back into kind and text.
  std::vector<Record8> Printed(const std::string& name, std::vector<std::string> options = {}) {
    options.push_back(Path(name));
    std::string out;
    std::string err;
    EXPECT_EQ(Cat(options, &out, &err), kExitOk) << err;
    std::vector<Record8> records;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
      const auto tab = line.find('\t');
      records.push_back({line.substr(0, tab), tab == std::string::npos ? "" : line.substr(tab + 1)});
    }
    return records;
  }

  fs::path dir_;
};

std::vector<Item> OneChunkItems() {
  return {{RecordKind::kMessage, T(u"started\r\n")},
          {RecordKind::kComment, T(u"two\r\nlines\r\n")},
          {RecordKind::kEvent, T(u"")},
          {RecordKind::kError, T(u"disk full\r\n")},
          {RecordKind::kWarning, T(u"low")}};
}

// Distinct 64-unit texts, enough for several chunks.
std::vector<Item> ManyItems(std::size_t count) {
  std::vector<Item> items;
  for (std::size_t i = 0; i < count; ++i) {
    std::string text = "item " + std::to_string(i) + " ";
    text.resize(64, static_cast<char>('a' + i % 26));
    items.push_back({static_cast<RecordKind>(1 + i % 5), T(text)});
  }
  return items;
}

class BothReadings : public ExportedFile, public ::testing::WithParamInterface<bool> {};

TEST_P(BothReadings, OneChunkPrintsEachRecordWithItsKind) {
  const Bytes file = Export(OneChunkItems(), GetParam());
  std::string error;
  ExportContents contents;
  ASSERT_TRUE(DecodeExport(file, Reading::kDetect, SplitRule::kAuto, contents, error)) << error;
  EXPECT_EQ(contents.scrambled, GetParam());
  EXPECT_EQ(contents.chunkStarts, std::vector<std::size_t>{0});

  const std::vector<Record8> records = Printed("log.dat");
  ASSERT_EQ(records.size(), 6u);
  EXPECT_EQ(records[0].kind, "message");
  EXPECT_EQ(records[0].text, "started");
  EXPECT_EQ(records[1].kind, "comment");
  EXPECT_EQ(records[1].text, "two\\r\\nlines");
  EXPECT_EQ(records[2].kind, "event");
  EXPECT_EQ(records[2].text, "EMPTY");
  EXPECT_EQ(records[3].kind, "error");
  EXPECT_EQ(records[4].kind, "warning");
  EXPECT_EQ(records[4].text, "low");
  EXPECT_EQ(records[5].kind, "event");
  EXPECT_EQ(records[5].text, EventText());
}

TEST_P(BothReadings, RawTextIsThePlainFileInUtf8) {
  Export(OneChunkItems(), GetParam());
  std::string out;
  ASSERT_EQ(Cat({"--raw", Path("log.dat")}, &out), kExitOk);
  EXPECT_EQ(out, "Msg: started\r\nCmt: two\r\nlines\r\nEvt: EMPTY\r\nErr: disk full\r\nWrn: low"
                 "Evt: " + EventText());
}

TEST_P(BothReadings, EmptyLogHoldsOnlyTheExportEvent) {
  Export({}, GetParam());
  const std::vector<Record8> records = Printed("log.dat");
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].kind, "event");
  EXPECT_EQ(records[0].text, EventText());
}

TEST_P(BothReadings, SeveralChunksKeepEveryRecord) {
  const std::vector<Item> items = ManyItems(60000);  // 8.28 MB: four chunks
  const Bytes file = Export(items, GetParam());
  std::string error;
  ExportContents contents;
  ASSERT_TRUE(DecodeExport(file, Reading::kDetect, SplitRule::kAuto, contents, error)) << error;
  EXPECT_EQ(contents.chunkStarts.size(), 4u);
  EXPECT_TRUE(contents.notes.empty()) << contents.notes.front();

  const std::vector<Record8> records = Printed("log.dat", {"--quiet"});
  ASSERT_EQ(records.size(), items.size() + 1);
  for (std::size_t i : {std::size_t{0}, std::size_t{19567}, std::size_t{19568}, items.size() - 1}) {
    EXPECT_EQ(records[i].kind, std::string(KindName(items[i].kind))) << i;
    EXPECT_EQ(T(records[i].text), items[i].text) << i;
  }
  EXPECT_EQ(records.back().text, EventText());
}

// A record longer than a chunk is a chunk of its own, and the key restarts
// after it as well.
TEST_P(BothReadings, OversizedRecordBetweenSmallOnes) {
  std::vector<Item> items = ManyItems(3);
  items.insert(items.begin() + 1, {RecordKind::kError, Text(1400000, MorvikChar('o'))});
  const Bytes file = Export(items, GetParam());
  std::string error;
  ExportContents contents;
  ASSERT_TRUE(DecodeExport(file, Reading::kDetect, SplitRule::kAuto, contents, error)) << error;
  EXPECT_TRUE(contents.notes.empty()) << contents.notes.front();
  ASSERT_EQ(contents.split.records.size(), 5u);
  EXPECT_EQ(contents.split.records[1].length, 10u + 2800000u);
  const std::size_t second = contents.split.records[1].offset;
  EXPECT_EQ(contents.chunkStarts, (std::vector<std::size_t>{0, second, second + 2800010}));

  const std::vector<Record8> records = Printed("log.dat");
  ASSERT_EQ(records.size(), 5u);
  EXPECT_EQ(records[1].kind, "error");
  EXPECT_EQ(records[1].text, std::string(1400000, 'o'));
  EXPECT_EQ(T(records[2].text), items[2].text);
}

TEST_P(BothReadings, SurrogatePairsBecomeUtf8) {
  // U+1F600 as a pair, U+4E2D, U+00E9; then a lone high surrogate.
  Export({{RecordKind::kMessage, T(u"smile \U0001F600 \u4E2D\u00E9\r\n")},
          {RecordKind::kWarning, Text{MorvikChar(0xD83D), MorvikChar('!')}}},
         GetParam());
  std::string err;
  const std::vector<Record8> records = Printed("log.dat");
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].text, "smile \xF0\x9F\x98\x80 \xE4\xB8\xAD\xC3\xA9");
  EXPECT_EQ(records[1].text, "\xEF\xBF\xBD!");
  Cat({Path("log.dat")}, nullptr, &err);
  EXPECT_NE(err.find("1 UTF-16 surrogates without their partner"), std::string::npos) << err;
}

TEST_P(BothReadings, CopiesConvertBetweenTheReadings) {
  // Two logs with the same items exported to the same name give the same
  // plain bytes, once plain and once scrambled.
  const std::vector<Item> items = ManyItems(45000);
  const Bytes plain = Export(items, false);
  const Bytes scrambled = Export(items, true);
  ASSERT_NE(plain, scrambled);
  const std::string from = GetParam() ? "scrambled.dat" : "plain.dat";
  {
    std::ofstream out(Path(from), std::ios::binary);
    const Bytes& source = GetParam() ? scrambled : plain;
    out.write(reinterpret_cast<const char*>(source.data()), static_cast<std::streamsize>(source.size()));
  }
  ASSERT_EQ(Cat({"--write-plain", Path("copy-plain.dat"), Path(from)}), kExitOk);
  ASSERT_EQ(Cat({"--write-scrambled", Path("copy-scrambled.dat"), Path(from)}), kExitOk);
  EXPECT_EQ(Read("copy-plain.dat"), plain);
  EXPECT_EQ(Read("copy-scrambled.dat"), scrambled);
}

// 17,307 records of 156 bytes fill a chunk with 2,699,892 bytes, a multiple
// of the key length: the key's restart there does not show, and the chunk
// layout has to tell where the second chunk starts.
TEST_F(ExportedFile, KeyRestartOnAWholeKeyIsFoundFromTheLayout) {
  std::vector<Item> items;
  for (std::size_t i = 0; i < 20000; ++i) {
    std::string text = "hidden " + std::to_string(i) + " ";
    text.resize(73, 'h');
    items.push_back({RecordKind::kMessage, T(text)});
  }
  const Bytes plain = Export(items, false);
  const Bytes scrambled = Export(items, true);
  std::string error;
  ExportContents contents;
  ASSERT_TRUE(DecodeExport(scrambled, Reading::kDetect, SplitRule::kAuto, contents, error)) << error;
  EXPECT_EQ(contents.plain, plain);
  EXPECT_EQ(contents.chunkStarts, (std::vector<std::size_t>{0, 2699892}));
  EXPECT_TRUE(contents.notes.empty()) << contents.notes.front();
  EXPECT_EQ(contents.split.records.size(), items.size() + 1);
}

// The library's scrambling, whatever way it computes it, is byte i XOR key
// byte (i mod 27) within a chunk: checked against that rule itself for
// files whose length falls short of, on and past whole blocks of words.
TEST_F(ExportedFile, ScrambledExportIsTheBytewiseXorOfThePlainOne) {
  for (std::size_t units : {0, 1, 13, 40, 100, 101, 150, 250, 1000}) {
    SCOPED_TRACE(units);
    const std::vector<Item> items{{RecordKind::kMessage, Text(units, MorvikChar('s'))}};
    const Bytes plain = Export(items, false);
    const Bytes scrambled = Export(items, true);
    ASSERT_EQ(plain.size(), scrambled.size());
    Bytes expected = plain;
    for (std::size_t i = 0; i < expected.size(); ++i)
      expected[i] ^= static_cast<uint8_t>(kScrambleKey[i % kScrambleKey.size()]);
    EXPECT_EQ(scrambled, expected);
  }
}

INSTANTIATE_TEST_SUITE_P(Export, BothReadings, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Scrambled" : "Plain"; });

// Texts that hold a record prefix: which reading applies, and what is said.
struct PrefixCase {
  const char* name;
  std::vector<Item> items;
  std::vector<std::string> options;
  std::vector<std::string> texts;  // the printed texts, export event left out
  std::vector<std::string> kinds;
  const char* note;  // a part of what is said on the error stream, or ""
};

void PrintTo(const PrefixCase& c, std::ostream* os) { *os << c.name; }

class PrefixInText : public ExportedFile, public ::testing::WithParamInterface<PrefixCase> {};

TEST_P(PrefixInText, IsReadAndSaid) {
  const PrefixCase& c = GetParam();
  for (bool scramble : {false, true}) {
    SCOPED_TRACE(scramble ? "scrambled" : "plain");
    Export(c.items, scramble);
    std::vector<std::string> args = c.options;
    args.push_back(Path("log.dat"));
    std::string out;
    std::string err;
    ASSERT_EQ(Cat(args, &out, &err), kExitOk);
    std::vector<std::string> texts;
    std::vector<std::string> kinds;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
      kinds.push_back(line.substr(0, line.find('\t')));
      texts.push_back(line.substr(line.find('\t') + 1));
    }
    ASSERT_FALSE(texts.empty());
    texts.pop_back();
    kinds.pop_back();
    EXPECT_EQ(texts, c.texts);
    EXPECT_EQ(kinds, c.kinds);
    if (*c.note) {
      EXPECT_NE(err.find(c.note), std::string::npos) << err;
    } else {
      EXPECT_EQ(err, "");
    }
  }
}

const PrefixCase kPrefixCases[] = {
    {"LineEndedTextsKeepAPrefixMidLineAndMarkIt",
     {{RecordKind::kMessage, T(u"a\r\n")},
      {RecordKind::kMessage, T(u"see Msg: inside\r\n")},
      {RecordKind::kError, T(u"b\r\n")}},
     {},
     {"a", "see Msg: inside", "b"},
     {"message", "message?", "error"},
     "1 record prefixes inside texts were not taken as record starts"},
    {"EveryPrefixSplitsThereWhenAsked",
     {{RecordKind::kMessage, T(u"a\r\n")},
      {RecordKind::kMessage, T(u"see Msg: inside\r\n")},
      {RecordKind::kError, T(u"b\r\n")}},
     {"--split=every"},
     {"a", "see ", "inside", "b"},
     {"message", "message", "message", "error"},
     "rest on their prefix alone"},
    {"TextsWithoutLineEndsSplitAtEveryPrefixAndSaySo",
     {{RecordKind::kMessage, T(u"a")}, {RecordKind::kWarning, T(u"x Err: y")}},
     {},
     {"a", "x ", "y"},
     {"message", "warning", "error"},
     "a text holding \"Msg: \" or another prefix would read as two records"},
    {"PrefixAtTheStartOfATextIsCertainlyText",
     {{RecordKind::kMessage, T(u"Msg: quoted\r\n")}, {RecordKind::kComment, T(u"Cmt: \r\n")}},
     {},
     {"Msg: quoted", "Cmt: "},
     {"message", "comment"},
     ""},
};

INSTANTIATE_TEST_SUITE_P(Texts, PrefixInText, ::testing::ValuesIn(kPrefixCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ExportedFile, EmptyFileHasNoRecords) {
  std::ofstream(Path("empty.dat"), std::ios::binary).close();
  std::string out;
  std::string err;
  EXPECT_EQ(Cat({Path("empty.dat")}, &out, &err), kExitOk);
  EXPECT_EQ(out, "");
  EXPECT_EQ(err, "");
}

TEST_F(ExportedFile, ForcedReadingsAndWhatIsNoExport) {
  Export(OneChunkItems(), true);
  std::string out;
  std::string err;
  // Read as plain, the scrambled bytes start with no prefix, and say so.
  EXPECT_EQ(Cat({"--plain", Path("log.dat")}, &out, &err), kExitOk);
  EXPECT_EQ(out.rfind("unknown\t", 0), 0u) << out;
  EXPECT_NE(err.find("start with no record prefix"), std::string::npos) << err;
  EXPECT_EQ(Cat({"--scrambled", Path("log.dat")}, &out, &err), kExitOk);
  EXPECT_EQ(out.rfind("message\tstarted\n", 0), 0u) << out;

  {
    std::ofstream other(Path("other.txt"), std::ios::binary);
    other << "just some text, no log";
  }
  EXPECT_EQ(Cat({Path("other.txt")}, &out, &err), kExitUnreadable);
  EXPECT_NE(err.find("not an exported log"), std::string::npos) << err;
  EXPECT_EQ(Cat({Path("missing.dat")}, &out, &err), kExitUnreadable);
  EXPECT_EQ(Cat({"--bogus", Path("log.dat")}, &out, &err), kExitUsage);
  EXPECT_EQ(Cat({}, &out, &err), kExitUsage);
  EXPECT_EQ(Cat({"-h"}, &out, &err), kExitOk);
  EXPECT_NE(out.find("usage: morvik-cat"), std::string::npos);
}

}  // namespace
}  // namespace morvik_cat
