// The comment input box and the save dialog under Windows (and Wine), used
// as a person uses them: a second thread finds the window by its caption,
// types into it with posted keyboard messages and presses its buttons with
// posted clicks, while the test thread waits in the library call. Every wait
// is bounded; a box left open is closed so that no test can hang.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <ostream>
#include <string>
#include <thread>

#include "I_Morvik.h"

namespace {

const wchar_t kCaption[] = L"Лог";
const wchar_t kPrompt[] = L"Добавьте свой коментарий сюда:";
const wchar_t kSaveTitle[] = L"Сохранить лог как";
constexpr int kFileNameComboId = 0x47C;  // the file name box of the save dialog
constexpr int kFileNameEditId = 0x480;   // the same, in the older layout
constexpr ULONG_PTR kDropShadow = 0x20000;

bool WaitFor(const std::function<bool()>& condition, int milliseconds = 10000) {
  for (int waited = 0; waited < milliseconds; waited += 20) {
    if (condition()) {
      return true;
    }
    Sleep(20);
  }
  return condition();
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = L"";
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// A child's bounds in its parent's client coordinates.
RECT ClientBounds(HWND parent, HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

HWND FindChild(HWND parent, const wchar_t* className, const wchar_t* text = nullptr) {
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (lstrcmpiW(ClassOf(child).c_str(), className) == 0 && (text == nullptr || TextOf(child) == text)) {
      return child;
    }
  }
  return nullptr;
}

// A visible dialog of this process with that caption: other programs (a
// second test run, say) may show a box with the same caption at the same time.
struct DialogSearch {
  const wchar_t* caption;
  HWND found;
};

BOOL CALLBACK MatchOwnDialog(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<DialogSearch*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId() && ClassOf(window) == L"#32770" && TextOf(window) == search->caption) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND FindOwnDialog(const wchar_t* caption) {
  DialogSearch search{caption, nullptr};
  EnumWindows(MatchOwnDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The reshaped input box: the message box with the caption and an edit field.
HWND FindInputBox() {
  HWND box = FindOwnDialog(kCaption);
  return box != nullptr && FindChild(box, L"Edit") != nullptr ? box : nullptr;
}

// Types text into a window as the keyboard would: one WM_CHAR per code
// unit, Enter ('\r') for a line break.
void Type(HWND target, const std::wstring& text) {
  for (wchar_t c : text) {
    PostMessageW(target, WM_CHAR, c == L'\n' ? L'\r' : c, 1);
  }
}

// Presses a key at the window that has the keyboard focus in thread's GUI.
void PressKey(HWND anyWindowOfThread, UINT key) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  GetGUIThreadInfo(GetWindowThreadProcessId(anyWindowOfThread, nullptr), &info);
  HWND target = info.hwndFocus != nullptr ? info.hwndFocus : anyWindowOfThread;
  PostMessageW(target, WM_KEYDOWN, key, 1);
  PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

// Pastes text as a person enters a long one: onto the clipboard, then
// Ctrl+V in the field (the keyboard's WM_CHAR 0x16).
void Paste(HWND target, const std::wstring& text) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  ASSERT_NE(memory, nullptr);
  auto* units = static_cast<wchar_t*>(GlobalLock(memory));
  text.copy(units, text.size());
  units[text.size()] = L'\0';
  GlobalUnlock(memory);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
  PostMessageW(target, WM_CHAR, 0x16, 1);
}

void Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

// The message box that a dialog shows on top of itself (a question or a
// complaint): another visible dialog of the same thread.
struct BoxAboveSearch {
  HWND dialog;
  HWND found;
};

BOOL CALLBACK MatchBoxAbove(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<BoxAboveSearch*>(param);
  if (window != search->dialog && IsWindowVisible(window) && ClassOf(window) == L"#32770" &&
      GetWindow(window, GW_OWNER) == search->dialog) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND FindBoxAbove(HWND dialog) {
  BoxAboveSearch search{dialog, nullptr};
  EnumThreadWindows(GetWindowThreadProcessId(dialog, nullptr), MatchBoxAbove, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Runs drive on a second thread once find() yields a window, while body
// runs on this thread. If the window is still there when drive is done, it
// is closed and the test fails.
void WithWindow(const std::function<HWND()>& find, const std::function<void(HWND)>& drive,
                const std::function<void()>& body) {
  std::atomic<bool> found{false};
  std::thread driver([&] {
    HWND window = nullptr;
    if (!WaitFor([&] { return (window = find()) != nullptr; })) {
      return;
    }
    found = true;
    drive(window);
    if (!WaitFor([&] { return !IsWindow(window); }, 5000)) {
      ADD_FAILURE() << "the dialog was still open after the test had answered it";
      PostMessageW(window, WM_CLOSE, 0, 0);
      PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    }
  });
  body();
  driver.join();
  EXPECT_TRUE(found) << "no dialog appeared";
}

class DialogTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_EQ(GetInterface(&log_), MORVIK_S_OK); }
  void TearDown() override { FreeInterface(&log_); }

  std::wstring ReadOut() {
    std::wstring all;
    std::wstring chunk(1 << 16, L'\0');
    for (;;) {
      const uint32_t bytes = log_->GetLogData(chunk.data(), static_cast<uint32_t>(chunk.size() * sizeof(wchar_t)));
      if (bytes == 0) {
        return all;
      }
      all.append(chunk.data(), bytes / sizeof(wchar_t));
    }
  }

  I_Morvik* log_ = nullptr;
};

// --- the input box ----------------------------------------------------------

using InputBoxTest = DialogTest;

// The field text once every typed unit has arrived (Enter inserts "\r\n").
bool FieldHolds(HWND field, std::size_t units) {
  return static_cast<std::size_t>(GetWindowTextLengthW(field)) == units;
}

std::size_t UnitsInField(const std::wstring& typed) {
  std::size_t units = typed.size();
  for (wchar_t c : typed) {
    units += c == L'\n' ? 1 : 0;
  }
  return units;
}

TEST_F(InputBoxTest, IsTheMessageBoxReshapedWithFieldAndButton) {
  // Where the plain message box puts its prompt, relative to its outer
  // top-left corner: the reshape starts from there.
  POINT plainLabel{};
  WithWindow([]() -> HWND {
               HWND box = FindOwnDialog(kCaption);
               return box != nullptr && IsWindowVisible(box) && FindChild(box, L"Static", kPrompt) != nullptr
                          ? box
                          : nullptr;
             },
             [&](HWND box) {
               RECT boxRect, labelRect;
               GetWindowRect(box, &boxRect);
               GetWindowRect(FindChild(box, L"Static", kPrompt), &labelRect);
               plainLabel = POINT{labelRect.left - boxRect.left, labelRect.top - boxRect.top};
               Click(GetDlgItem(box, IDOK));
             },
             [] { MessageBoxW(nullptr, kPrompt, kCaption, MB_ICONQUESTION); });

  WithWindow(FindInputBox,
             [&](HWND box) {
               HWND label = FindChild(box, L"Static", kPrompt);
               HWND field = FindChild(box, L"Edit");
               HWND button = GetDlgItem(box, IDOK);
               ASSERT_NE(label, nullptr);
               ASSERT_NE(button, nullptr);
               RECT buttonNow;
               GetWindowRect(button, &buttonNow);
               const int w = buttonNow.right - buttonNow.left;
               const int bh = buttonNow.bottom - buttonNow.top;
               // The box's own layout may run after the reshape: wait until the
               // button has reached its place.
               WaitFor([&] { return ClientBounds(box, button).top == 200 - 2 * bh - 10; }, 3000);

               RECT boxRect;
               GetWindowRect(box, &boxRect);
               EXPECT_EQ(boxRect.right - boxRect.left, 300);
               EXPECT_EQ(boxRect.bottom - boxRect.top, 200);

               const RECT l = ClientBounds(box, label);
               EXPECT_EQ(l.left, plainLabel.x);
               EXPECT_EQ(l.top, plainLabel.y - 41);
               EXPECT_EQ(l.right, 290);

               const RECT b = ClientBounds(box, button);
               EXPECT_EQ(b.left, (300 - w) / 2);
               EXPECT_EQ(b.top, 200 - 2 * bh - 10);
               EXPECT_EQ(b.right - b.left, w);
               EXPECT_EQ(TextOf(button), L"OK");
               EXPECT_TRUE(IsWindowVisible(button));

               const RECT f = ClientBounds(box, field);
               EXPECT_EQ(f.left, l.left);
               EXPECT_EQ(f.top, l.bottom + 5);
               EXPECT_EQ(f.right - f.left, 290 - 2 * l.left);
               EXPECT_EQ(f.bottom, b.top - 5);
               EXPECT_LT(f.bottom, b.top) << "the button is under the field";

               EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(field, GWL_EXSTYLE)) & 0x200u, 0x200u);
               EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(field, GWL_STYLE)), 0x500010C4u);
               EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageW(field, WM_GETFONT, 0, 0)),
                         GetStockObject(DEFAULT_GUI_FONT));
               EXPECT_EQ(GetDlgCtrlID(field), 0);
               Click(button);
             },
             [&] { log_->AddUserComment(); });
}

struct TypingCase {
  const char* name;
  std::wstring typed;
  std::wstring logged;  // the comment's text, before the appended "\r\n"
};

void PrintTo(const TypingCase& row, std::ostream* out) { *out << row.name; }

class InputBoxTypingTest : public DialogTest, public ::testing::WithParamInterface<TypingCase> {};

TEST_P(InputBoxTypingTest, LogsTheTypedTextAsCommentWhenOkIsPressed) {
  const TypingCase& row = GetParam();
  WithWindow(FindInputBox,
             [&](HWND box) {
               HWND field = FindChild(box, L"Edit");
               if (row.typed.size() > 200) {
                 Paste(field, row.typed);
               } else {
                 Type(field, row.typed);
               }
               EXPECT_TRUE(WaitFor([&] { return FieldHolds(field, UnitsInField(row.typed)); }));
               Click(GetDlgItem(box, IDOK));
             },
             [&] { log_->AddUserComment(); });
  EXPECT_EQ(ReadOut(), L"Cmt: " + row.logged + L"\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Texts, InputBoxTypingTest,
    ::testing::Values(TypingCase{"OneLine", L"Проверка связи", L"Проверка связи"},
                      TypingCase{"SeveralLines", L"первая строка\nвторая\n\nfourth line",
                                 L"первая строка\r\nвторая\r\n\r\nfourth line"},
                      TypingCase{"EmptyField", L"", L""},
                      TypingCase{"LongerThanTheLimitIsCut", std::wstring(4990, L'ж') + L"0123456789",
                                 std::wstring(4095, L'ж')},
                      TypingCase{"ExactlyTheLimit", std::wstring(4094, L'a') + L"z",
                                 std::wstring(4094, L'a') + L"z"}),
    [](const ::testing::TestParamInfo<TypingCase>& info) { return std::string(info.param.name); });

TEST_F(InputBoxTest, CloseButtonLogsNothing) {
  WithWindow(FindInputBox,
             [&](HWND box) {
               HWND field = FindChild(box, L"Edit");
               Type(field, L"не сохранять");
               WaitFor([&] { return FieldHolds(field, 12); });
               PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0);
             },
             [&] { log_->AddUserComment(); });
  EXPECT_EQ(log_->GetCount(), 0);
}

// Escape neither closes the box nor drops the text, whether the focus is on
// the button (as the box opens) or in the field.
TEST_F(InputBoxTest, EscapeDoesNothing) {
  WithWindow(FindInputBox,
             [&](HWND box) {
               PressKey(box, VK_ESCAPE);
               Sleep(300);
               EXPECT_TRUE(IsWindow(box)) << "Escape on the button closed the box";
               HWND field = FindChild(box, L"Edit");
               // A click into the field gives it the focus.
               PostMessageW(field, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
               PostMessageW(field, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
               Type(field, L"после Escape");
               WaitFor([&] { return FieldHolds(field, 12); });
               PressKey(box, VK_ESCAPE);
               Sleep(300);
               EXPECT_TRUE(IsWindow(box)) << "Escape in the field closed the box";
               Click(GetDlgItem(box, IDOK));
             },
             [&] { log_->AddUserComment(); });
  EXPECT_EQ(ReadOut(), L"Cmt: после Escape\r\n");
}

TEST_F(InputBoxTest, DropShadowIsAddedOnlyWhileTheBoxIsOpen) {
  WNDCLASSEXW before{};
  before.cbSize = sizeof(before);
  ASSERT_TRUE(GetClassInfoExW(nullptr, L"#32770", &before));
  ULONG_PTR whileOpen = 0;
  WithWindow(FindInputBox,
             [&](HWND box) {
               whileOpen = GetClassLongPtrW(box, GCL_STYLE);
               Click(GetDlgItem(box, IDOK));
             },
             [&] { log_->AddUserComment(); });
  EXPECT_EQ(whileOpen, static_cast<ULONG_PTR>(before.style) | kDropShadow);
  WNDCLASSEXW after{};
  after.cbSize = sizeof(after);
  ASSERT_TRUE(GetClassInfoExW(nullptr, L"#32770", &after));
  EXPECT_EQ(after.style, before.style) << "the dialog class kept the box's style";
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

// A client's own window on the same thread is activated again when the box
// is gone, while the box's hook is still in place: it must stay as it is.
TEST_F(InputBoxTest, LeavesTheClientsWindowAloneWhenItIsActivatedAgain) {
  WNDCLASSW hostClass{};
  hostClass.lpfnWndProc = HostProc;
  hostClass.hInstance = GetModuleHandleW(nullptr);
  hostClass.lpszClassName = L"MorvikDialogTestHost";
  RegisterClassW(&hostClass);
  HWND host = CreateWindowExW(0, hostClass.lpszClassName, L"Клиент", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                              480, 360, nullptr, nullptr, hostClass.hInstance, nullptr);
  ASSERT_NE(host, nullptr);
  SetForegroundWindow(host);
  WithWindow(FindInputBox, [&](HWND box) { Click(GetDlgItem(box, IDOK)); }, [&] { log_->AddUserComment(); });
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    DispatchMessageW(&message);
  }
  RECT r;
  GetWindowRect(host, &r);
  EXPECT_EQ(r.right - r.left, 480);
  EXPECT_EQ(r.bottom - r.top, 360);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(host, GWLP_WNDPROC)), &HostProc);
  EXPECT_EQ(FindChild(host, L"Edit"), nullptr);
  DestroyWindow(host);
  UnregisterClassW(hostClass.lpszClassName, hostClass.hInstance);
  EXPECT_EQ(ReadOut(), L"Cmt: \r\n");
}

// One box at a time per process: a second request while one is open is
// refused at once instead of sharing (and spoiling) the open box's state.
TEST_F(InputBoxTest, SecondBoxWhileOneIsOpenIsRefused) {
  WithWindow(FindInputBox,
             [&](HWND box) {
               log_->AddUserComment();  // returns at once, shows nothing
               HWND field = FindChild(box, L"Edit");
               Type(field, L"one");
               WaitFor([&] { return FieldHolds(field, 3); });
               Click(GetDlgItem(box, IDOK));
             },
             [&] { log_->AddUserComment(); });
  EXPECT_EQ(ReadOut(), L"Cmt: one\r\n");
}

// --- the save dialog ----------------------------------------------------------

class SaveDialogTest : public DialogTest {
protected:
  void SetUp() override {
    DialogTest::SetUp();
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"morvik-save-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
              std::to_wstring(GetTickCount64());
    ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
  }
  void TearDown() override {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((folder_ + L"\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        DeleteFileW((folder_ + L"\\" + entry.cFileName).c_str());
      } while (FindNextFileW(find, &entry));
      FindClose(find);
    }
    RemoveDirectoryW(folder_.c_str());
    DialogTest::TearDown();
  }

  static HWND FindSaveDialog() { return FindOwnDialog(kSaveTitle); }

  static HWND FileNameField(HWND dialog) {
    HWND edit = GetDlgItem(dialog, kFileNameEditId);
    if (edit != nullptr && ClassOf(edit) == L"Edit") {
      return edit;
    }
    // ComboBoxEx32 > ComboBox > Edit
    HWND box = GetDlgItem(dialog, kFileNameComboId);
    for (int depth = 0; box != nullptr && depth < 3; ++depth) {
      if (lstrcmpiW(ClassOf(box).c_str(), L"Edit") == 0) {
        return box;
      }
      HWND inner = FindChild(box, L"Edit");
      box = inner != nullptr ? inner : GetWindow(box, GW_CHILD);
    }
    return nullptr;
  }

  // Types a file name and presses the dialog's Save button.
  static void Save(HWND dialog, const std::wstring& name) {
    HWND field = FileNameField(dialog);
    ASSERT_NE(field, nullptr);
    Type(field, name);
    ASSERT_TRUE(WaitFor([&] { return TextOf(field) == name; }));
    Click(GetDlgItem(dialog, IDOK));
  }

  static std::wstring FileText(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      return L"(missing)";
    }
    std::wstring text(GetFileSize(file, nullptr) / sizeof(wchar_t), L'\0');
    DWORD read = 0;
    ReadFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &read, nullptr);
    CloseHandle(file);
    return text;
  }

  static bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

  static std::wstring ExportEvent(const std::wstring& path, int session) {
    return L"Evt: ---Exported to " + path + L" file, the session index: " + std::to_wstring(session) + L"---";
  }

  std::wstring folder_;
};

TEST_F(SaveDialogTest, NewFileNameIsAcceptedWithTheDefaultExtension) {
  log_->Message(L"до сохранения");
  const std::wstring path = folder_ + L"\\новый журнал.dat";
  bool saved = false;
  WithWindow(FindSaveDialog, [&](HWND dialog) { Save(dialog, folder_ + L"\\новый журнал"); },
             [&] { saved = log_->SaveLogAs(false); });
  EXPECT_TRUE(saved);
  EXPECT_EQ(FileText(path), L"Msg: до сохранения" + ExportEvent(path, 0));
  EXPECT_EQ(log_->GetCount(), 0);
}

TEST_F(SaveDialogTest, ScrambledExportIsWrittenScrambled) {
  const std::wstring path = folder_ + L"\\scrambled.dat";
  bool saved = false;
  WithWindow(FindSaveDialog, [&](HWND dialog) { Save(dialog, path); }, [&] { saved = log_->SaveLogAs(true); });
  ASSERT_TRUE(saved);
  std::wstring bytes = FileText(path);
  const char key[] = "#Q7vPz0mHw2Lx9Rb4Ny6Dk1Jt8G";
  auto* raw = reinterpret_cast<unsigned char*>(bytes.data());
  for (std::size_t i = 0; i < bytes.size() * sizeof(wchar_t); ++i) {
    raw[i] ^= static_cast<unsigned char>(key[i % 27]);
  }
  EXPECT_EQ(bytes, ExportEvent(path, 0));
}

TEST_F(SaveDialogTest, ExistingFileIsReplacedOnlyAfterAsking) {
  const std::wstring path = folder_ + L"\\old.dat";
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
  bool asked = false;
  bool saved = false;
  WithWindow(FindSaveDialog,
             [&](HWND dialog) {
               Save(dialog, path);
               // The question comes as a message box owned by the dialog.
               HWND question = nullptr;
               asked = WaitFor([&] { return (question = FindBoxAbove(dialog)) != nullptr; }, 5000);
               if (asked) {
                 HWND yes = GetDlgItem(question, IDYES);
                 if (yes != nullptr) {
                   Click(yes);
                 } else {
                   Click(GetDlgItem(question, IDOK));
                 }
               }
             },
             [&] { saved = log_->SaveLogAs(false); });
  EXPECT_TRUE(asked) << "an existing file was replaced without asking";
  EXPECT_TRUE(saved);
  EXPECT_EQ(FileText(path), ExportEvent(path, 0));
}

TEST_F(SaveDialogTest, CancelReturnsFalseAndCreatesNothing) {
  log_->Message(L"остаётся");
  bool saved = true;
  WithWindow(FindSaveDialog,
             [&](HWND dialog) {
               HWND field = FileNameField(dialog);
               Type(field, folder_ + L"\\cancelled");
               WaitFor([&] { return TextOf(field) == folder_ + L"\\cancelled"; });
               Click(GetDlgItem(dialog, IDCANCEL));
             },
             [&] { saved = log_->SaveLogAs(false); });
  EXPECT_FALSE(saved);
  EXPECT_FALSE(Exists(folder_ + L"\\cancelled.dat"));
  EXPECT_FALSE(Exists(folder_ + L"\\cancelled"));
  EXPECT_EQ(ReadOut(), L"Msg: остаётся");
}

TEST_F(SaveDialogTest, NameInAMissingFolderIsRefused) {
  bool complained = false;
  bool saved = true;
  WithWindow(FindSaveDialog,
             [&](HWND dialog) {
               Save(dialog, folder_ + L"\\нет такой папки\\log.dat");
               HWND complaint = nullptr;
               complained = WaitFor([&] { return (complaint = FindBoxAbove(dialog)) != nullptr; }, 5000);
               if (complained) {
                 Click(GetDlgItem(complaint, IDOK));
                 WaitFor([&] { return !IsWindow(complaint); }, 3000);
               }
               Click(GetDlgItem(dialog, IDCANCEL));
             },
             [&] { saved = log_->SaveLogAs(false); });
  EXPECT_TRUE(complained);
  EXPECT_FALSE(saved);
  EXPECT_FALSE(Exists(folder_ + L"\\нет такой папки"));
}

}  // namespace
