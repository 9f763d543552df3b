// The comment input box and the save dialog on Linux, used as a person uses
// them: real X input (xdotool, through the XTEST extension) on the real
// windows of the dialog program, while the test thread waits in the library
// call. Every wait is bounded; a dialog left open is killed (its X client)
// so that no test can hang. Without a display the tests that need one are skipped; the
// diagnostics for a missing display or component are checked always.
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <ostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "I_Morvik.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const char kCaption[] = "Лог";
const char kSaveTitle[] = "Сохранить лог как";

std::string Utf8(const std::u16string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

bool WaitFor(const std::function<bool()>& condition, int milliseconds = 10000) {
  const auto end = Clock::now() + std::chrono::milliseconds(milliseconds);
  while (Clock::now() < end) {
    if (condition()) {
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
  }
  return condition();
}

// Runs a program with its arguments (no shell), for a bounded time, and
// returns its standard output.
std::string RunProgram(const std::vector<std::string>& args, int seconds = 10) {
  std::vector<std::string> all = {"timeout", std::to_string(seconds)};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : all) {
    argv.push_back(a.data());
  }
  argv.push_back(nullptr);
  int out[2];
  if (pipe2(out, O_CLOEXEC) != 0) {
    return std::string();
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  const int failed = posix_spawnp(&pid, "timeout", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  std::string text;
  if (failed == 0) {
    char chunk[1024];
    ssize_t n;
    while ((n = read(out[0], chunk, sizeof chunk)) > 0) {
      text.append(chunk, static_cast<std::size_t>(n));
    }
    int status;
    waitpid(pid, &status, 0);
  }
  close(out[0]);
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) {
    text.pop_back();
  }
  return text;
}

// Offers text on the clipboard (xclip serves it) until the returned process
// is stopped with StopProgram.
pid_t OfferOnClipboard(const std::string& text) {
  int in[2];
  if (pipe2(in, O_CLOEXEC) != 0) {
    return -1;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<std::string> all = {"timeout", "30", "xclip", "-quiet", "-selection", "clipboard", "-in"};
  std::vector<char*> argv;
  for (std::string& a : all) {
    argv.push_back(a.data());
  }
  argv.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawnp(&pid, "timeout", &actions, nullptr, argv.data(), environ) != 0) {
    pid = -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  close(in[0]);
  std::size_t done = 0;
  while (pid > 0 && done < text.size()) {
    const ssize_t n = write(in[1], text.data() + done, text.size() - done);
    if (n <= 0) {
      break;
    }
    done += static_cast<std::size_t>(n);
  }
  close(in[1]);
  return pid;
}

void StopProgram(pid_t pid) {
  if (pid > 0) {
    kill(pid, SIGTERM);
    int status;
    waitpid(pid, &status, 0);
  }
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty()) {
      lines.push_back(line);
    }
  }
  return lines;
}

// The processes this test has started (the dialog program among them).
std::vector<std::string> Children() {
  std::vector<std::string> pids;
  for (const fs::directory_entry& task : fs::directory_iterator("/proc/self/task")) {
    std::ifstream in(task.path() / "children");
    for (std::string pid; in >> pid;) {
      pids.push_back(pid);
    }
  }
  return pids;
}

// The visible windows of that name shown by this test's own dialog program:
// other programs on the display may show a window of the same name.
std::vector<std::string> WindowsNamed(const std::string& name) {
  std::vector<std::string> windows;
  for (const std::string& pid : Children()) {
    for (const std::string& window :
         Lines(RunProgram({"xdotool", "search", "--onlyvisible", "--pid", pid, "--name", "^" + name + "$"}))) {
      windows.push_back(window);
    }
  }
  return windows;
}

std::string FindWindowNamed(const std::string& name) {
  std::string found;
  WaitFor([&] {
    const std::vector<std::string> windows = WindowsNamed(name);
    found = windows.empty() ? std::string() : windows.back();
    return !found.empty();
  });
  return found;
}

// Brings the window to the front and waits until it has the input focus.
bool Activate(const std::string& window) {
  RunProgram({"xdotool", "windowactivate", "--sync", window});
  const bool active = WaitFor([&] { return RunProgram({"xdotool", "getactivewindow"}) == window; }, 5000);
  // The window manager hands the focus on a moment after it marks the
  // window active; keys typed before then would go to the old focus.
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  return active;
}

void Key(const std::string& key);

// Pastes text with Ctrl+V, as a person enters a long text.
void Paste(const std::string& text) {
  const pid_t server = OfferOnClipboard(text);
  const bool offered = WaitFor(
      [&] { return RunProgram({"xclip", "-out", "-selection", "clipboard"}, 5).size() == text.size(); }, 5000);
  EXPECT_TRUE(offered) << "the clipboard did not take the text";
  Key("ctrl+v");
  // The field fetches the text while it handles the key; later input waits
  // for that, but the clipboard must still be there when it asks.
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  StopProgram(server);
}

// Types text with the keyboard; a line break is the Return key.
void Type(const std::string& text) {
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = text.find('\n', start);
    const std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!line.empty()) {
      RunProgram({"xdotool", "type", "--delay", "8", "--", line});
    }
    if (end == std::string::npos) {
      break;
    }
    RunProgram({"xdotool", "key", "Return"});
    start = end + 1;
  }
}

void Key(const std::string& key) { RunProgram({"xdotool", "key", "--clearmodifiers", key}); }

void ClickAt(const std::string& window, int x, int y) {
  RunProgram({"xdotool", "mousemove", "--window", window, std::to_string(x), std::to_string(y), "click", "1"});
}

// The "OK" button sits centred at the bottom of the 300 x 200 box.
void PressOk(const std::string& box) { ClickAt(box, 150, 180); }

// Runs drive on a second thread once a window of that name is shown, while
// body runs on this thread. A dialog still open after drive is killed.
void WithWindow(const std::string& name, const std::function<void(const std::string&)>& drive,
                const std::function<void()>& body) {
  std::atomic<bool> done{false};
  std::atomic<bool> found{false};
  std::thread driver([&] {
    const std::string window = FindWindowNamed(name);
    if (window.empty()) {
      return;
    }
    found = true;
    drive(window);
    if (!WaitFor([&] { return done.load(); }, 8000)) {
      ADD_FAILURE() << "the dialog was still open after the test had answered it";
      RunProgram({"xdotool", "windowkill", window});
    }
  });
  body();
  done = true;
  driver.join();
  EXPECT_TRUE(found) << "no window named " << name << " appeared";
}

bool HasDisplay() {
  const char* display = getenv("DISPLAY");
  return display != nullptr && *display != '\0';
}

std::string DebugFile() {
  return (fs::temp_directory_path() / ("morvik-dialogs-debug-" + std::to_string(getpid()) + ".txt")).string();
}

// xdotool types a character that the keyboard map lacks by binding it to a
// spare key for a moment, which races with the program reading the keys:
// with a Russian group beside the US one every letter typed here has a key.
class KeyboardLayout : public ::testing::Environment {
public:
  void SetUp() override {
    if (HasDisplay()) {
      RunProgram({"setxkbmap", "-layout", "us,ru"});
    }
  }
};

const auto* const kKeyboardLayout = ::testing::AddGlobalTestEnvironment(new KeyboardLayout);

class DialogTest : public ::testing::Test {
protected:
  void SetUp() override {
    debugFile_ = DebugFile();
    fs::remove(debugFile_);
    setenv("MORVIK_DEBUG_OUTPUT", debugFile_.c_str(), 1);
    ASSERT_EQ(GetInterface(&log_), MORVIK_S_OK);
  }
  void TearDown() override {
    FreeInterface(&log_);
    unsetenv("MORVIK_DEBUG_OUTPUT");
    fs::remove(debugFile_);
  }

  std::string ReadOut() {
    std::u16string all;
    std::u16string chunk(1 << 16, u'\0');
    for (uint32_t bytes; (bytes = log_->GetLogData(chunk.data(), static_cast<uint32_t>(chunk.size() * 2))) != 0;) {
      all.append(chunk.data(), bytes / 2);
    }
    return Utf8(all);
  }

  std::string Diagnostics() {
    std::ifstream in(debugFile_, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }

  I_Morvik* log_ = nullptr;
  std::string debugFile_;
};

class DisplayTest : public DialogTest {
protected:
  void SetUp() override {
#if !defined(MORVIK_TEST_HAS_DIALOG_COMPONENT)
    GTEST_SKIP() << "this tree builds no dialog component (MORVIK_BUILD_DIALOGS is OFF)";
#endif
    if (!HasDisplay()) {
      GTEST_SKIP() << "no X display; run under scripts/xsession.sh";
    }
    DialogTest::SetUp();
  }
};

// --- the input box ----------------------------------------------------------

using InputBoxTest = DisplayTest;

TEST_F(InputBoxTest, ShowsCaptionPromptFieldAndButtonIn300By200) {
  WithWindow(kCaption,
             [&](const std::string& box) {
               const std::string geometry = RunProgram({"xdotool", "getwindowgeometry", box});
               EXPECT_NE(geometry.find("Geometry: 300x200"), std::string::npos) << geometry;
               const std::string name = RunProgram({"xprop", "-id", box, "_NET_WM_NAME"});
               EXPECT_NE(name.find("\"Лог\""), std::string::npos) << name;
               ASSERT_TRUE(Activate(box));
               PressOk(box);
             },
             [&] { log_->AddUserComment(); });
  EXPECT_EQ(ReadOut(), "Cmt: \r\n");
}

struct TypingCase {
  const char* name;
  std::string typed;
  std::string logged;  // before the appended "\r\n"
};

void PrintTo(const TypingCase& row, std::ostream* out) { *out << row.name; }

class InputBoxTypingTest : public DisplayTest, public ::testing::WithParamInterface<TypingCase> {};

TEST_P(InputBoxTypingTest, LogsTheTypedTextAsCommentWhenOkIsPressed) {
  const TypingCase& row = GetParam();
  WithWindow(kCaption,
             [&](const std::string& box) {
               ASSERT_TRUE(Activate(box));
               if (row.typed.size() > 200) {
                 Paste(row.typed);
               } else {
                 Type(row.typed);
               }
               PressOk(box);
             },
             [&] { log_->AddUserComment(); });
  const std::string logged = ReadOut();
  EXPECT_EQ(logged.size(), row.logged.size() + 7);
  EXPECT_EQ(logged, "Cmt: " + row.logged + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Texts, InputBoxTypingTest,
    ::testing::Values(TypingCase{"OneLine", "Проверка связи", "Проверка связи"},
                      TypingCase{"SeveralLines", "первая строка\nвторая\n\nfourth line",
                                 "первая строка\r\nвторая\r\n\r\nfourth line"},
                      TypingCase{"EmptyField", "", ""},
                      TypingCase{"LongerThanTheLimitIsCut", std::string(4990, 'w') + "0123456789",
                                 std::string(4095, 'w')}),
    [](const ::testing::TestParamInfo<TypingCase>& info) { return std::string(info.param.name); });

TEST_F(InputBoxTest, CloseActionLogsNothing) {
  WithWindow(kCaption,
             [&](const std::string& box) {
               ASSERT_TRUE(Activate(box));
               Type("не сохранять");
               Key("alt+F4");
             },
             [&] { log_->AddUserComment(); });
  EXPECT_EQ(log_->GetCount(), 0);
  EXPECT_EQ(Diagnostics(), "");
}

TEST_F(InputBoxTest, EscapeDoesNothing) {
  WithWindow(kCaption,
             [&](const std::string& box) {
               ASSERT_TRUE(Activate(box));
               Key("Escape");
               std::this_thread::sleep_for(std::chrono::milliseconds(300));
               EXPECT_FALSE(WindowsNamed(kCaption).empty()) << "Escape closed the box";
               Type("после Escape");
               PressOk(box);
             },
             [&] { log_->AddUserComment(); });
  EXPECT_EQ(ReadOut(), "Cmt: после Escape\r\n");
}

// --- the save dialog ----------------------------------------------------------

class SaveDialogTest : public DisplayTest {
protected:
  void SetUp() override {
    DisplayTest::SetUp();
    if (IsSkipped()) {
      return;
    }
    char pattern[] = "/tmp/morvik-save-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
  }
  void TearDown() override {
    if (!folder_.empty()) {
      fs::remove_all(folder_);
    }
    DisplayTest::TearDown();
  }

  // Types a file name into the dialog's name field and presses Return.
  static void Save(const std::string& dialog, const std::string& name) {
    ASSERT_TRUE(Activate(dialog));
    Key("ctrl+a");
    Type(name);
    Key("Return");
  }

  static std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
      return "(missing)";
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::u16string text(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
      text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                      (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    }
    return Utf8(text);
  }

  static std::string ExportEvent(const std::string& path, int session) {
    return "Evt: ---Exported to " + path + " file, the session index: " + std::to_string(session) + "---";
  }

  std::string folder_;
};

TEST_F(SaveDialogTest, NewFileNameIsAcceptedWithTheDefaultExtension) {
  log_->Message(u"до сохранения");
  const std::string path = folder_ + "/новый журнал.dat";
  bool saved = false;
  WithWindow(kSaveTitle, [&](const std::string& dialog) { Save(dialog, folder_ + "/новый журнал"); },
             [&] { saved = log_->SaveLogAs(false); });
  EXPECT_TRUE(saved);
  EXPECT_EQ(FileText(path), "Msg: до сохранения" + ExportEvent(path, 0));
  EXPECT_EQ(log_->GetCount(), 0);
}

TEST_F(SaveDialogTest, ExistingFileIsReplacedOnlyAfterAsking) {
  const std::string path = folder_ + "/old.dat";
  std::ofstream(path) << "old";
  bool asked = false;
  bool saved = false;
  WithWindow(kSaveTitle,
             [&](const std::string& dialog) {
               Save(dialog, path);
               // The question comes as a second window with the dialog's title.
               asked = WaitFor([&] { return WindowsNamed(kSaveTitle).size() == 2; }, 5000);
               if (asked) {
                 Key("alt+y");
               }
             },
             [&] { saved = log_->SaveLogAs(false); });
  EXPECT_TRUE(asked) << "an existing file was replaced without asking";
  EXPECT_TRUE(saved);
  EXPECT_EQ(FileText(path), ExportEvent(path, 0));
}

TEST_F(SaveDialogTest, CancelReturnsFalseAndCreatesNothing) {
  log_->Message(u"остаётся");
  bool saved = true;
  WithWindow(kSaveTitle,
             [&](const std::string& dialog) {
               ASSERT_TRUE(Activate(dialog));
               Type(folder_ + "/cancelled");
               Key("Escape");
             },
             [&] { saved = log_->SaveLogAs(false); });
  EXPECT_FALSE(saved);
  EXPECT_TRUE(fs::is_empty(folder_));
  EXPECT_EQ(ReadOut(), "Msg: остаётся");
}

TEST_F(SaveDialogTest, NameInAMissingFolderIsRefused) {
  bool complained = false;
  bool saved = true;
  WithWindow(kSaveTitle,
             [&](const std::string& dialog) {
               Save(dialog, folder_ + "/нет такой папки/log.dat");
               complained = WaitFor([&] { return WindowsNamed(kSaveTitle).size() == 2; }, 5000);
               if (complained) {
                 Key("Return");
                 WaitFor([&] { return WindowsNamed(kSaveTitle).size() == 1; }, 3000);
               }
               Activate(dialog);
               Key("Escape");
             },
             [&] { saved = log_->SaveLogAs(false); });
  EXPECT_TRUE(complained);
  EXPECT_FALSE(saved);
  EXPECT_TRUE(fs::is_empty(folder_));
}

// --- without a display or without the dialog component ------------------------

class EnvironmentRestorer {
public:
  explicit EnvironmentRestorer(const char* name) : name_(name) {
    const char* value = getenv(name);
    had_ = value != nullptr;
    value_ = had_ ? value : "";
  }
  ~EnvironmentRestorer() {
    if (had_) {
      setenv(name_, value_.c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

private:
  const char* name_;
  bool had_;
  std::string value_;
};

using UnavailableTest = DialogTest;

TEST_F(UnavailableTest, WithoutDisplayNothingIsLoggedAndOneLineSaysWhy) {
  EnvironmentRestorer display("DISPLAY");
  EnvironmentRestorer wayland("WAYLAND_DISPLAY");
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  log_->AddUserComment();
  EXPECT_EQ(log_->GetCount(), 0);
  EXPECT_EQ(Diagnostics(), "ShowInputBox: No display to show the dialog on (DISPLAY is not set)\r\n");
  fs::remove(debugFile_);
  EXPECT_FALSE(log_->SaveLogAs(false));
  EXPECT_EQ(log_->GetCount(), 0);
  EXPECT_EQ(Diagnostics(), "ShowSaveDialog: No display to show the dialog on (DISPLAY is not set)\r\n");
}

// A copy of the library in a folder of its own has no dialog program beside it.
TEST_F(UnavailableTest, WithoutTheComponentNothingIsLoggedAndOneLineSaysWhy) {
  Dl_info info{};
  ASSERT_NE(dladdr(reinterpret_cast<void*>(&GetInterface), &info), 0);
  char pattern[] = "/tmp/morvik-lib-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const fs::path folder = pattern;
  const fs::path copy = folder / "libMorvik.so";
  fs::copy_file(info.dli_fname, copy);
  void* library = dlopen(copy.c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  auto getInterface = reinterpret_cast<MorvikGetInterfaceFn>(dlsym(library, "GetInterface"));
  auto freeInterface = reinterpret_cast<MorvikFreeInterfaceFn>(dlsym(library, "FreeInterface"));
  ASSERT_NE(getInterface, nullptr);
  I_Morvik* other = nullptr;
  ASSERT_EQ(getInterface(&other), MORVIK_S_OK);

  EnvironmentRestorer display("DISPLAY");
  setenv("DISPLAY", ":0", 1);  // the component is looked for before any display is opened
  other->AddUserComment();
  EXPECT_EQ(other->GetCount(), 0);
  const std::string helper = (folder / "morvik-dialogs").string();
  EXPECT_EQ(Diagnostics(), "ShowInputBox: The dialog component " + helper + " is missing\r\n");
  fs::remove(debugFile_);
  EXPECT_FALSE(other->SaveLogAs(false));
  EXPECT_EQ(Diagnostics(), "ShowSaveDialog: The dialog component " + helper + " is missing\r\n");

  freeInterface(&other);
  dlclose(library);
  fs::remove_all(folder);
}

#if defined(MORVIK_TEST_HAS_DIALOG_COMPONENT)
// The component is there but cannot reach the display it was given.
TEST_F(UnavailableTest, ComponentThatCannotOpenTheDisplayLogsNothing) {
  EnvironmentRestorer display("DISPLAY");
  setenv("DISPLAY", ":65000", 1);
  EnvironmentRestorer platform("QT_QPA_PLATFORM");
  unsetenv("QT_QPA_PLATFORM");
  log_->AddUserComment();
  EXPECT_EQ(log_->GetCount(), 0);
  const std::string lines = Diagnostics();
  EXPECT_EQ(lines, "ShowInputBox: The dialog component failed: could not connect to display :65000\r\n");
  EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 1) << lines;
  EXPECT_FALSE(log_->SaveLogAs(false));
}
#endif

}  // namespace
