// cat_command.cpp - morvik-cat's options and output.
#include "morvik_cat/cat_command.h"

#include <fstream>
#include <optional>
#include <span>

#include "morvik_cat/export_reader.h"
#include "morvik_cat/export_scrambler.h"
#include "morvik_cat/utf8_text.h"

namespace morvik_cat {

namespace {

constexpr const char* kUsage =
    "usage: morvik-cat [options] FILE\n"
    "Prints the records of a log file written by ExportToFile, one line each:\n"
    "the kind, a tab, and the text (line end dropped, other control characters\n"
    "escaped). A kind followed by '?' marks a text that holds a record prefix\n"
    "which may really start another record.\n"
    "  -p, --plain               read FILE as a plain export\n"
    "  -s, --scrambled           read FILE as a scrambled export\n"
    "                            (by default the first record tells)\n"
    "  -r, --raw                 print the plain text as the file holds it\n"
    "      --split=RULE          which prefixes start a record: auto (default),\n"
    "                            lines (only after a line end), every\n"
    "  -o, --write-plain OUT     write a plain copy to OUT instead of printing\n"
    "  -x, --write-scrambled OUT write a scrambled copy to OUT instead of printing\n"
    "  -v, --verbose             tell how the file was read\n"
    "  -q, --quiet               no notes about the reading\n"
    "  -h, --help                this text\n";

struct Options {
  std::string file;
  Reading reading = Reading::kDetect;
  SplitRule rule = SplitRule::kAuto;
  bool raw = false;
  bool verbose = false;
  bool quiet = false;
  std::optional<std::string> plainCopy;
  std::optional<std::string> scrambledCopy;
};

// Returns an empty string on success, else the complaint.
std::string ParseOptions(const std::vector<std::string>& args, Options& options, bool& help) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&](std::optional<std::string>& into) -> bool {
      if (i + 1 >= args.size()) return false;
      into = args[++i];
      return true;
    };
    if (arg == "-h" || arg == "--help") {
      help = true;
    } else if (arg == "-p" || arg == "--plain") {
      options.reading = Reading::kPlain;
    } else if (arg == "-s" || arg == "--scrambled") {
      options.reading = Reading::kScrambled;
    } else if (arg == "-r" || arg == "--raw") {
      options.raw = true;
    } else if (arg == "-v" || arg == "--verbose") {
      options.verbose = true;
    } else if (arg == "-q" || arg == "--quiet") {
      options.quiet = true;
    } else if (arg == "--split=auto") {
      options.rule = SplitRule::kAuto;
    } else if (arg == "--split=lines") {
      options.rule = SplitRule::kLineEnds;
    } else if (arg == "--split=every") {
      options.rule = SplitRule::kEveryPrefix;
    } else if (arg == "-o" || arg == "--write-plain") {
      if (!value(options.plainCopy)) return arg + " needs a file name";
    } else if (arg == "-x" || arg == "--write-scrambled") {
      if (!value(options.scrambledCopy)) return arg + " needs a file name";
    } else if (arg.size() > 1 && arg[0] == '-' && arg != "--") {
      return "unknown option " + arg;
    } else {
      if (arg == "--") {
        if (++i >= args.size()) break;
      }
      if (!options.file.empty()) return "only one file can be read";
      options.file = args[i];
    }
  }
  if (!help && options.file.empty()) return "no file given";
  return {};
}

bool ReadWholeFile(const std::string& name, std::vector<uint8_t>& bytes) {
  std::ifstream in(name, std::ios::binary | std::ios::ate);
  if (!in) return false;
  const std::streamoff size = in.tellg();
  if (size < 0) return false;
  bytes.resize(static_cast<std::size_t>(size));
  in.seekg(0);
  in.read(reinterpret_cast<char*>(bytes.data()), size);
  return static_cast<bool>(in) || size == 0;
}

bool WriteWholeFile(const std::string& name, std::span<const uint8_t> bytes) {
  std::ofstream out(name, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

// One line per record: control characters other than tab are escaped, so a
// record never spans lines; the record's own line end is dropped.
void AppendPrintable(const std::string& text, std::string& line) {
  std::size_t end = text.size();
  if (end >= 2 && text[end - 2] == '\r' && text[end - 1] == '\n') {
    end -= 2;
  } else if (end >= 1 && text[end - 1] == '\n') {
    end -= 1;
  }
  static const char kHex[] = "0123456789abcdef";
  for (std::size_t i = 0; i < end; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\r') {
      line += "\\r";
    } else if (c == '\n') {
      line += "\\n";
    } else if ((c < 0x20 && c != '\t') || c == 0x7F) {
      line += "\\x";
      line += kHex[c >> 4];
      line += kHex[c & 0xF];
    } else {
      line += static_cast<char>(c);
    }
  }
}

std::string DescribeReading(const ExportContents& contents) {
  std::string text = contents.scrambled ? "scrambled" : "plain";
  text += " export, " + std::to_string(contents.plain.size()) + " bytes, " +
          std::to_string(contents.split.records.size()) + " records, " +
          std::to_string(contents.chunkStarts.size()) +
          (contents.chunksFromKey ? " chunks (where the key restarts)"
                                  : " chunks (as an export would cut them)");
  text += contents.split.rule == SplitRule::kLineEnds
              ? ", records start after line ends"
              : ", every prefix starts a record";
  return text;
}

}  // namespace

int RunCat(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Options options;
  bool help = false;
  const std::string complaint = ParseOptions(args, options, help);
  if (help) {
    out << kUsage;
    return kExitOk;
  }
  if (!complaint.empty()) {
    err << "morvik-cat: " << complaint << "\n" << kUsage;
    return kExitUsage;
  }

  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(options.file, bytes)) {
    err << "morvik-cat: cannot read " << options.file << "\n";
    return kExitUnreadable;
  }
  ExportContents contents;
  std::string error;
  if (!DecodeExport(std::move(bytes), options.reading, options.rule, contents, error)) {
    err << "morvik-cat: " << options.file << ": " << error << "\n";
    return kExitUnreadable;
  }

  const RecordSplit& split = contents.split;
  std::vector<std::string> notes = contents.notes;
  if (split.keptPrefixes > 0)
    notes.push_back(std::to_string(split.keptPrefixes) +
                    " record prefixes inside texts were not taken as record starts, as they "
                    "follow no line end; the records holding them are marked '?' "
                    "(--split=every splits there)");
  if (split.rule == SplitRule::kEveryPrefix && split.prefixOnlyStarts > 0)
    notes.push_back("the texts end with no line end, so " + std::to_string(split.prefixOnlyStarts) +
                    " record starts rest on their prefix alone: a text holding \"Msg: \" or "
                    "another prefix would read as two records");
  bool copies = false;
  if (options.plainCopy) {
    copies = true;
    if (!WriteWholeFile(*options.plainCopy, contents.plain)) {
      err << "morvik-cat: cannot write " << *options.plainCopy << "\n";
      return kExitUnreadable;
    }
  }
  if (options.scrambledCopy) {
    copies = true;
    if (!contents.chunksFromKey && split.keptPrefixes > 0)
      notes.push_back("the scrambled copy cuts its chunks at the records as read here; where a "
                      "text holds a prefix, the library may have cut them elsewhere");
    std::vector<uint8_t> scrambled = contents.plain;
    ScrambleChunks(scrambled, contents.chunkStarts);
    if (!WriteWholeFile(*options.scrambledCopy, scrambled)) {
      err << "morvik-cat: cannot write " << *options.scrambledCopy << "\n";
      return kExitUnreadable;
    }
  }

  if (options.verbose) err << "morvik-cat: " << options.file << ": " << DescribeReading(contents) << "\n";
  std::size_t badSurrogates = 0;
  if (!copies) {
    std::span<const uint8_t> plain(contents.plain);
    if (options.raw) {
      std::string text;
      badSurrogates += AppendUtf8(plain, text);
      out << text;
    } else {
      std::string text;
      std::string line;
      for (const Record& record : split.records) {
        text.clear();
        const std::size_t skip = record.kind == RecordKind::kUnknown ? 0 : kPrefixBytes;
        badSurrogates += AppendUtf8(plain.subspan(record.offset + skip, record.length - skip), text);
        line.assign(KindName(record.kind));
        if (record.holdsPrefix) line += '?';
        line += '\t';
        AppendPrintable(text, line);
        line += '\n';
        out << line;
      }
    }
    out.flush();
  }
  if (badSurrogates > 0)
    notes.push_back(std::to_string(badSurrogates) +
                    " UTF-16 surrogates without their partner were printed as U+FFFD");
  if (!options.quiet)
    for (const std::string& note : notes) err << "morvik-cat: " << options.file << ": " << note << "\n";
  return kExitOk;
}

}  // namespace morvik_cat
