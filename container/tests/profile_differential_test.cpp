// One table of operations run through the real profile functions and through
// our settings file engine, side by side on twin files: the values read, the
// key lists, the results of writes and the file bytes after each write must
// agree. Built in the Windows trees only (it needs the real functions).
#include "profile_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace tarvelax {
namespace {

namespace fs = std::filesystem;

// The real thing: GetPrivateProfileStringA and WritePrivateProfileStringA.
// Every call starts and ends with a flush, so the functions' own cache never
// hides what is in the file.
class RealProfile final : public Profile {
public:
  explicit RealProfile(std::string path) : path_(std::move(path)) {}

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def, std::size_t size) override {
    Flush();
    std::vector<char> buffer(size + 1, '\0');
    const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buffer.data(),
                                             static_cast<DWORD>(size), path_.c_str());
    return std::string(buffer.data(), n);
  }

  // The list as a reader of a double-terminated list sees it, as far as the
  // returned count reaches.
  std::vector<std::string> ReadKeys(const std::string& section, std::size_t size) override {
    Flush();
    std::vector<char> buffer(size + 2, '\0');
    const DWORD n = GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(),
                                             static_cast<DWORD>(size), path_.c_str());
    std::vector<std::string> keys;
    std::size_t pos = 0;
    while (pos < n) {
      const std::string name(buffer.data() + pos);
      if (name.empty()) break;
      keys.push_back(name.substr(0, n - pos));
      pos += name.size() + 1;
    }
    return keys;
  }

  bool WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override {
    Flush();
    const bool ok = WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path_.c_str()) != 0;
    Flush();
    return ok;
  }

  // Everything the real functions see in a file: each section name with the
  // lines of its first section of that name.
  std::string View() {
    Flush();
    std::vector<char> names(65536, '\0');
    const DWORD n = GetPrivateProfileSectionNamesA(names.data(), static_cast<DWORD>(names.size()), path_.c_str());
    std::string view;
    for (std::size_t pos = 0; pos < n && names[pos] != '\0';) {
      const std::string name(names.data() + pos);
      pos += name.size() + 1;
      view += "[" + name + "]\n";
      std::vector<char> lines(65536, '\0');
      const DWORD m = GetPrivateProfileSectionA(name.c_str(), lines.data(), static_cast<DWORD>(lines.size()),
                                                path_.c_str());
      for (std::size_t at = 0; at < m && lines[at] != '\0';) {
        const std::string line(lines.data() + at);
        at += line.size() + 1;
        view += line + "\n";
      }
    }
    return view;
  }

private:
  void Flush() { WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_.c_str()); }

  std::string path_;
};

struct Op {
  enum class Kind { kRead, kKeys, kWrite };
  Kind kind;
  std::string section;
  std::string key;
  std::string value;  // the default of a read, the value of a write
  std::size_t size = 0;
};

Op Read(std::string section, std::string key, std::string def = "(default)", std::size_t size = 2048) {
  return {Op::Kind::kRead, std::move(section), std::move(key), std::move(def), size};
}
Op Keys(std::string section, std::size_t size = 16384) {
  return {Op::Kind::kKeys, std::move(section), "", "", size};
}
Op Write(std::string section, std::string key, std::string value) {
  return {Op::Kind::kWrite, std::move(section), std::move(key), std::move(value), 0};
}

const std::string kNoFile = "\x01(no file)";
const std::string kDirectory = "\x01(a directory)";

struct Row {
  std::string name;
  std::string initial;  // file bytes, kNoFile or kDirectory
  std::vector<Op> ops;
  // Set where the real functions rewrite the whole file in their own form
  // (blank lines dropped, blanks around "=" taken out, every line ended with
  // CRLF) while ours change only the written line: then both files must read
  // the same through the real functions, and ours must hold these bytes.
  std::optional<std::string> ours_after;
};

void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }

std::string LongKeyList(int count) {
  std::string text = "[s]\r\n";
  for (int i = 0; i < count; ++i) text += "key" + std::to_string(10000 + i) + "=" + std::to_string(i) + "\r\n";
  return text;
}

const char kMixed[] = "[s]\r\nname1=val1\r\n;note=1\r\nname2=\r\nname3\r\nname4=val4\r\n[t]\r\nx=1\r\n";

std::vector<Row> Rows() {
  return {
      {"FirstStartWritesTheBounds", kNoFile,
       {Read("WindowPosition", "Left"), Keys("WindowPosition"), Write("WindowPosition", "Left", "200"),
        Write("WindowPosition", "Top", "164"), Write("WindowPosition", "Width", "1062"),
        Write("WindowPosition", "Height", "744"), Keys("WindowPosition"), Read("WindowPosition", "Height")}},
      {"ReplaceAppendAndNewSection", "[WindowPosition]\r\nLeft=10\r\nTop=20\r\n[Objects]\r\nobj1=A\r\n",
       {Write("WindowPosition", "Left", "30"), Write("Objects", "obj2", "B"), Write("Last", "id", "2"),
        Write("Objects", "obj2", "C"), Keys("Objects"), Read("objects", "OBJ2"), Read("Last", "id")}},
      {"LetterCaseIgnored", "[Objects]\r\nObj1=A\r\n",
       {Read("OBJECTS", "obj1"), Keys("objects"), Write("objects", "OBJ1", "B"), Write("OBJECTS", "Obj2", "C")}},
      {"FirstSectionAndFirstKeyCount", "[s]\r\nk=1\r\nK=2\r\n[t]\r\nj=0\r\n[S]\r\nj=3\r\n",
       {Read("s", "k"), Read("s", "j"), Keys("s"), Keys("S"), Write("s", "K", "4"), Write("s", "j", "5"),
        Keys("s")}},
      {"BlanksTrimmed", "[s]\r\nk=\t v w \t\r\n",
       {Read("s", "k"), Read(" s ", " k "), Read("s", "k", "def  "), Read("s", "none", "  def")}},
      {"BlanksAroundNamesAndValues", "  [ s ]  \r\n  k  =  v  \r\n",
       {Read("s", "k"), Keys("s"), Write("s", "k", "w")},
       "  [ s ]  \r\nk=w\r\n"},
      {"QuotesOnRead",
       "[s]\r\na=\"x y\"\r\nb='x'\r\nc=\"x'\r\nd=\"\r\ne=\"\"\r\nf=\"\"x\"\"\r\ng=\"abcdef\"\r\n",
       {Read("s", "a"), Read("s", "b"), Read("s", "c"), Read("s", "d"), Read("s", "e"), Read("s", "f"),
        Read("s", "g", "", 4), Read("s", "g", "", 7), Read("s", "g", "", 8), Read("s", "g", "", 9),
        Read("s", "none", "\"quoted default\"")}},
      {"CommentsAndLinesWithoutEquals", kMixed,
       {Keys("s"), Read("s", "name3"), Read("s", "name2"), Read("s", "note"), Write("s", "name3", "v3"),
        Keys("s"), Write("s", "name5", "v5"), Keys("s")}},
      {"KeyListCut", kMixed,
       {Keys("s", 16), Keys("s", 13), Keys("s", 12), Keys("s", 7), Keys("s", 3), Keys("s", 2)}},
      {"KeyListBoundedBy16384Bytes", LongKeyList(2000), {Keys("s"), Write("s", "extra", "1"), Keys("s")}},
      {"ValueCutAt2047", "[s]\r\nk=" + std::string(3000, 'x') + "\r\nq=\"" + std::string(2047, 'y') + "\"\r\n",
       {Read("s", "k"), Read("s", "q"), Read("s", "k", "", 10), Read("s", "k", "", 1), Read("s", "k", "", 0)}},
      {"LineFeedsOnly", "[s]\nk=v\n[t]\nx=1\n", {Read("s", "k"), Keys("t"), Write("s", "k", "w")},
       "[s]\nk=w\r\n[t]\nx=1\n"},
      {"CarriageReturnsOnly", "[s]\rk=v\r[t]\rx=1\r", {Read("s", "k"), Read("t", "x"), Keys("s")}},
      {"NoLineEndAtTheEnd", "[s]\r\na=1", {Read("s", "a"), Write("s", "b", "2"), Write("t", "c", "3")}},
      {"NewKeyBeforeBlankLines", "; settings\r\n\r\n[s]\r\na=1\r\n\r\n[t]\r\nb=2\r\n",
       {Write("s", "c", "3"), Write("t", "a", "1"), Write("u", "x", "1")},
       "; settings\r\n\r\n[s]\r\na=1\r\nc=3\r\n\r\n[t]\r\nb=2\r\na=1\r\n[u]\r\nx=1\r\n"},
      {"NewKeyInTheFirstOfTwoSections", "[s]\r\na=1\r\n[t]\r\nb=2\r\n[s]\r\nc=3\r\n",
       {Read("s", "c"), Write("s", "c", "4"), Keys("s")}},
      {"ValueBlanksOnWrite", "[s]\r\nk=1\r\n",
       {Write("s", "k", "  v  "), Read("s", "k"), Write("s", "e", ""), Read("s", "e"), Write("s", "k", "v  ")},
       "[s]\r\nk=v  \r\ne=\r\n"},
      {"SameValueWritesNothing", "[s]\r\nk=1\r\n", {Write("s", "k", "1"), Write("S", "K", "1")}},
      {"NamesOfANewKeyAndSection", kNoFile, {Write(" s ", " k ", "v"), Keys("s"), Read("s", "k")}},
      {"EightBitBytes", "[s]\r\nk=\xCE\xE1\xFA\xE5\xEA\xF2\r\n",
       {Read("s", "k"), Write("s", "n", "\xD1\xEE\xE7\xE4\xE0\xF2\xFC"), Read("s", "n")}},
      {"ByteOrderMark", "\xEF\xBB\xBF[s]\r\nk=v\r\n", {Read("s", "k"), Write("s", "k", "w")}},
      {"EmptyKeyNameEndsTheList", "[s]\r\na=1\r\n=2\r\nb=3\r\n", {Keys("s")}},
      {"UnwritableFile", kDirectory, {Read("s", "k"), Keys("s"), Write("s", "k", "v"), Read("s", "k")}},
  };
}

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return kNoFile;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Prepare(const fs::path& path, const std::string& initial) {
  if (initial == kNoFile) return;
  if (initial == kDirectory) {
    fs::create_directories(path);
    return;
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << initial;
}

std::string Describe(const Op& op) {
  const char* kinds[] = {"Read", "Keys", "Write"};
  return std::string(kinds[static_cast<int>(op.kind)]) + "(" + op.section + ", " + op.key + ", " +
         op.value.substr(0, 40) + ", " + std::to_string(op.size) + ")";
}

class ProfileDifferential : public ::testing::TestWithParam<Row> {};

TEST_P(ProfileDifferential, AgreesWithTheRealProfileFunctions) {
  const Row& row = GetParam();
  char temp[MAX_PATH];
  ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
  const fs::path dir = fs::path(temp) / "tarvelax_profile_diff" / row.name;
  fs::remove_all(dir);
  fs::create_directories(dir);
  const fs::path real_path = dir / "real.ini";
  const fs::path ours_path = dir / "ours.ini";
  Prepare(real_path, row.initial);
  Prepare(ours_path, row.initial);

  RealProfile real(real_path.string());
  ProfileFile ours(ours_path.string());
  RealProfile ours_seen_by_real(ours_path.string());

  for (const Op& op : row.ops) {
    SCOPED_TRACE(Describe(op));
    switch (op.kind) {
      case Op::Kind::kRead:
        EXPECT_EQ(ours.ReadString(op.section, op.key, op.value, op.size),
                  real.ReadString(op.section, op.key, op.value, op.size));
        break;
      case Op::Kind::kKeys:
        EXPECT_EQ(ours.ReadKeys(op.section, op.size), real.ReadKeys(op.section, op.size));
        break;
      case Op::Kind::kWrite:
        EXPECT_EQ(ours.WriteString(op.section, op.key, op.value),
                  real.WriteString(op.section, op.key, op.value));
        if (row.ours_after) {
          EXPECT_EQ(ours_seen_by_real.View(), real.View());
        } else {
          EXPECT_EQ(Slurp(ours_path), Slurp(real_path));
        }
        break;
    }
  }
  if (row.ours_after) EXPECT_EQ(Slurp(ours_path), *row.ours_after);
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, real_path.string().c_str());
  std::error_code ec;
  fs::remove_all(dir, ec);
}

INSTANTIATE_TEST_SUITE_P(Table, ProfileDifferential, ::testing::ValuesIn(Rows()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace tarvelax
