// Scenarios of TarvelAXContainer.exe under a real window system: each test
// starts the program from a fresh folder with a prepared settings file,
// drives it with window messages and checks its windows and the file.
#include <gtest/gtest.h>

#include <ole2.h>

#include "container_driver_win32.h"

namespace tarvelax::test {
namespace {

constexpr wchar_t kTitle[] = L"Tarvelaxcontainer";
constexpr int kShown = 2;
constexpr int kClosed = 3;

// Objects A, B, C remembered, B created last.
constexpr char kThreeObjects[] = "[Objects]\r\nobj1=A\r\nobj2=B\r\nobj3=C\r\n[Last]\r\nid=2\r\n";

using Items = std::vector<std::wstring>;

class ContainerScenario : public testing::Test {
protected:
  static void SetUpTestSuite() {
    CoInitialize(nullptr);
    registered_ = RegisterSampleAndAliases();
  }

  void SetUp() override {
    ASSERT_TRUE(registered_) << "the sample control could not be registered";
    ASSERT_TRUE(driver_.Ready()) << "no folder for the program";
  }

  void StartWith(const char* settings, const std::vector<std::wstring>& arguments = {}) {
    if (settings) ASSERT_TRUE(driver_.WriteSettings(settings));
    ASSERT_TRUE(driver_.Start(arguments)) << "the main window did not show";
  }

  // Waits until the object named name is shown in the container.
  bool HoldsName(const std::wstring& name) {
    return _wcsicmp(driver_.ObjectName().c_str(), name.c_str()) == 0;
  }

  // The handler that shows it has run to its end. Names compare ignoring
  // letter case, as ProgIDs and the global atoms that carry them do.
  bool WaitShown(const std::wstring& name) {
    const bool shown = driver_.WaitFor([&] {
      return driver_.ObjectState() == kShown && HoldsName(name) && driver_.SampleWindow() != nullptr;
    });
    driver_.Settle();
    if (!shown) {
      // Say what the window shows instead.
      const auto box = driver_.WaitMessageBox(0);
      ADD_FAILURE() << "waiting for " << testing::PrintToString(name) << ": state "
                    << driver_.ObjectState() << ", object "
                    << testing::PrintToString(driver_.ObjectName()) << ", text "
                    << testing::PrintToString(driver_.ComboText()) << ", box "
                    << (box ? testing::PrintToString(box->text) : std::string("none"));
    }
    return shown;
  }

  void Create(const std::wstring& name) {
    driver_.SetComboText(name);
    driver_.ClickCreate();
    driver_.Settle();
  }

  // Closes the window and expects the program to end with exit code 0.
  void CloseAndExpectExit() {
    driver_.PostClose();
    const auto code = driver_.WaitExit();
    ASSERT_TRUE(code.has_value()) << "the program did not end";
    EXPECT_EQ(*code, 0u);
  }

  std::wstring Setting(const wchar_t* section, const wchar_t* key) {
    return driver_.ReadSetting(section, key).value_or(L"<absent>");
  }

  static bool registered_;
  ContainerDriver driver_;
};

bool ContainerScenario::registered_ = false;

TEST_F(ContainerScenario, FirstStartOpensAtTheFormBoundsAndClosingWritesThem) {
  StartWith(nullptr);
  const RECT bounds = driver_.Bounds();
  EXPECT_EQ(bounds.left, 200);
  EXPECT_EQ(bounds.top, 164);
  EXPECT_EQ(bounds.right - bounds.left, 1062);
  EXPECT_EQ(bounds.bottom - bounds.top, 744);
  EXPECT_TRUE(driver_.ComboItems().empty());
  EXPECT_EQ(driver_.ComboText(), L"");
  EXPECT_EQ(driver_.ObjectState(), 0);
  EXPECT_EQ(driver_.SampleWindow(), nullptr);
  EXPECT_FALSE(driver_.IsTopMost());
  EXPECT_FALSE(driver_.OnTopButtonDown());
  wchar_t caption[64] = {};
  GetWindowTextW(driver_.Form(), caption, 64);
  EXPECT_STREQ(caption, L"TarvelAXContainer");
  CloseAndExpectExit();
  EXPECT_EQ(Setting(L"WindowPosition", L"Left"), L"200");
  EXPECT_EQ(Setting(L"WindowPosition", L"Top"), L"164");
  EXPECT_EQ(Setting(L"WindowPosition", L"Width"), L"1062");
  EXPECT_EQ(Setting(L"WindowPosition", L"Height"), L"744");
  EXPECT_EQ(Setting(L"Objects", L"obj1"), L"<absent>");
}

TEST_F(ContainerScenario, AWidthOnlySectionChangesOnlyTheWidth) {
  StartWith("[WindowPosition]\r\nWidth=800\r\n");
  const RECT bounds = driver_.Bounds();
  EXPECT_EQ(bounds.left, 200);
  EXPECT_EQ(bounds.top, 164);
  EXPECT_EQ(bounds.right - bounds.left, 800);
  EXPECT_EQ(bounds.bottom - bounds.top, 744);
  CloseAndExpectExit();
  EXPECT_EQ(Setting(L"WindowPosition", L"Width"), L"800");
  EXPECT_EQ(Setting(L"WindowPosition", L"Left"), L"200");
}

class HexLeftScenario : public ContainerScenario,
                        public testing::WithParamInterface<const char*> {};

TEST_P(HexLeftScenario, PlacesTheWindowAt32) {
  const std::string settings = std::string("[WindowPosition]\r\nLeft=") + GetParam() + "\r\n";
  StartWith(settings.c_str());
  EXPECT_EQ(driver_.Bounds().left, 32);
  EXPECT_EQ(driver_.Bounds().top, 164);
  CloseAndExpectExit();
  EXPECT_EQ(Setting(L"WindowPosition", L"Left"), L"32");
}

INSTANTIATE_TEST_SUITE_P(Prefixes, HexLeftScenario, testing::Values("0x20", "$20", "x20"),
                         [](const testing::TestParamInfo<const char*>& info) {
                           const std::string text = info.param;
                           return text == "0x20" ? std::string("ZeroX")
                                                 : text == "$20" ? std::string("Dollar")
                                                                 : std::string("X");
                         });

TEST_F(ContainerScenario, TheOnTopButtonTogglesTheTopMostBandThereAndBack) {
  StartWith("[WindowPosition]\r\nLeft=100\r\nTop=50\r\nWidth=900\r\nHeight=600\r\n");
  const RECT before = driver_.Bounds();
  ASSERT_TRUE(driver_.ClickOnTopButton());
  EXPECT_TRUE(driver_.WaitFor([&] { return driver_.OnTopButtonDown(); }, 5000));
  EXPECT_TRUE(driver_.WaitFor([&] { return driver_.IsTopMost(); }, 5000));
  ASSERT_TRUE(driver_.ClickOnTopButton());
  EXPECT_TRUE(driver_.WaitFor([&] { return !driver_.OnTopButtonDown(); }, 5000));
  EXPECT_TRUE(driver_.WaitFor([&] { return !driver_.IsTopMost(); }, 5000));
  const RECT after = driver_.Bounds();
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  EXPECT_EQ(after.right, before.right);
  EXPECT_EQ(after.bottom, before.bottom);
  EXPECT_TRUE(IsWindowVisible(driver_.Form()));
  CloseAndExpectExit();
}

TEST_F(ContainerScenario, TheOnTopButtonShowsItsHint) {
  StartWith(nullptr);
  const auto hint = driver_.HoverOnTopButton();
  ASSERT_TRUE(hint.has_value()) << "no hint showed";
  EXPECT_EQ(*hint, L"Поверх всех окон");
  CloseAndExpectExit();
}

TEST_F(ContainerScenario, EnterPressesCreateOnlyWhileItHasTheFocus) {
  StartWith(nullptr);
  ASSERT_TRUE(driver_.TabTo(driver_.ComboEdit()));
  driver_.PressEnter();
  EXPECT_FALSE(driver_.WaitMessageBox(700).has_value()) << "Enter in the combo box pressed Create";
  ASSERT_TRUE(driver_.TabTo(driver_.CreateButton()));
  driver_.PressEnter();
  // The empty name tells that CreateButtonClick ran.
  const auto box = driver_.WaitMessageBox();
  ASSERT_TRUE(box.has_value()) << "Enter on the focused button did nothing";
  EXPECT_EQ(box->text, L"Укажите имя создаваемого объекта");
  EXPECT_TRUE(driver_.PressOk(*box));
  CloseAndExpectExit();
}

TEST_F(ContainerScenario, TheListReadsInReverseAndTheLastObjectIsCreated) {
  StartWith(kThreeObjects);
  EXPECT_EQ(driver_.ComboItems(), (Items{L"C", L"B", L"A"}));
  EXPECT_EQ(driver_.ComboText(), L"B");
  EXPECT_TRUE(WaitShown(L"B"));
  // The object fills the container's client area.
  RECT client = {};
  RECT object = {};
  GetClientRect(driver_.OleContainer(), &client);
  GetClientRect(driver_.SampleWindow(), &object);
  EXPECT_EQ(object.right, client.right);
  EXPECT_EQ(object.bottom, client.bottom);
  CloseAndExpectExit();
  EXPECT_EQ(Setting(L"Last", L"id"), L"2");
  EXPECT_EQ(Setting(L"Objects", L"obj4"), L"<absent>");
}

TEST_F(ContainerScenario, CreatingAListedNameAgainWritesItsNumber) {
  StartWith(kThreeObjects);
  ASSERT_TRUE(WaitShown(L"B"));
  const HWND first = driver_.SampleWindow();
  Create(L"A");
  EXPECT_TRUE(WaitShown(L"A"));
  EXPECT_NE(driver_.SampleWindow(), first);
  EXPECT_EQ(Setting(L"Last", L"id"), L"1");
  EXPECT_EQ(Setting(L"Objects", L"obj4"), L"<absent>");
  CloseAndExpectExit();
}

TEST_F(ContainerScenario, ANewNameIsWrittenAfterTheListAndTheListStays) {
  StartWith(kThreeObjects);
  ASSERT_TRUE(WaitShown(L"B"));
  Create(L"D");
  EXPECT_TRUE(WaitShown(L"D"));
  EXPECT_EQ(Setting(L"Objects", L"obj4"), L"D");
  EXPECT_EQ(Setting(L"Last", L"id"), L"4");
  EXPECT_EQ(driver_.ComboItems(), (Items{L"C", L"B", L"A"}));
  CloseAndExpectExit();
}

TEST_F(ContainerScenario, TwoNewNamesInOneRunShareOneKey) {
  StartWith(kThreeObjects);
  ASSERT_TRUE(WaitShown(L"B"));
  Create(L"D");
  ASSERT_TRUE(WaitShown(L"D"));
  EXPECT_EQ(Setting(L"Objects", L"obj4"), L"D");
  Create(L"E");
  EXPECT_TRUE(WaitShown(L"E"));
  EXPECT_EQ(Setting(L"Objects", L"obj4"), L"E");
  EXPECT_EQ(Setting(L"Objects", L"obj5"), L"<absent>");
  EXPECT_EQ(Setting(L"Last", L"id"), L"4");
  CloseAndExpectExit();
}

TEST_F(ContainerScenario, TypingALowerCaseNameCompletesToTheEntryButKeepsTheText) {
  StartWith(kThreeObjects);
  ASSERT_TRUE(WaitShown(L"B"));
  driver_.SetComboText(L"");
  driver_.TypeIntoCombo(L"a");
  EXPECT_EQ(driver_.ComboSelection(), 2);
  EXPECT_EQ(driver_.ComboText(), L"a");
  driver_.ClickCreate();
  EXPECT_TRUE(WaitShown(L"a"));
  EXPECT_EQ(Setting(L"Objects", L"obj4"), L"a");
  EXPECT_EQ(Setting(L"Last", L"id"), L"1");
  CloseAndExpectExit();
}

TEST_F(ContainerScenario, KeysObj1AndObj3OnlyGiveTwoEntriesAndReuseObj3) {
  StartWith("[Objects]\r\nobj1=A\r\nobj3=C\r\n");
  EXPECT_EQ(driver_.ComboItems(), (Items{L"", L"A"}));
  EXPECT_EQ(driver_.ComboText(), L"A");
  ASSERT_TRUE(WaitShown(L"A"));
  Create(L"D");
  EXPECT_TRUE(WaitShown(L"D"));
  EXPECT_EQ(Setting(L"Objects", L"obj3"), L"D");
  EXPECT_EQ(Setting(L"Last", L"id"), L"3");
  CloseAndExpectExit();
}

TEST_F(ContainerScenario, OneArgumentReplacesTheRememberedObjectOnce) {
  StartWith(kThreeObjects, {L"C"});
  ASSERT_TRUE(WaitShown(L"C"));
  EXPECT_EQ(driver_.ComboText(), L"C");
  EXPECT_EQ(Setting(L"Last", L"id"), L"3");
  const HWND object = driver_.SampleWindow();
  // Away to another window and back: nothing is created again.
  const HWND other = CreateWindowExW(0, L"STATIC", L"elsewhere", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                     0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(other, nullptr);
  SetForegroundWindow(other);
  driver_.Settle();
  SetForegroundWindow(driver_.Form());
  driver_.Settle();
  Sleep(300);
  driver_.Settle();
  DestroyWindow(other);
  EXPECT_EQ(driver_.SampleWindow(), object);
  EXPECT_TRUE(HoldsName(L"C"));
  CloseAndExpectExit();
}

TEST_F(ContainerScenario, TwoArgumentsCreateNothingFromTheCommandLine) {
  StartWith(kThreeObjects, {L"C", L"A"});
  ASSERT_TRUE(WaitShown(L"B"));
  Sleep(300);
  driver_.Settle();
  EXPECT_TRUE(HoldsName(L"B"));
  EXPECT_EQ(driver_.ComboText(), L"B");
  EXPECT_EQ(Setting(L"Last", L"id"), L"2");
  CloseAndExpectExit();
}

TEST_F(ContainerScenario, AnUnknownNameShowsThePlatformErrorAndIsWrittenButNotLast) {
  StartWith(kThreeObjects);
  ASSERT_TRUE(WaitShown(L"B"));
  Create(L"Unknown.Thing");
  const auto box = driver_.WaitMessageBox();
  ASSERT_TRUE(box.has_value()) << "no exception box";
  EXPECT_EQ(box->caption, kTitle);
  EXPECT_EQ(box->text, L"Invalid class string.");
  EXPECT_TRUE(box->hasIcon);
  EXPECT_EQ(box->buttons, Items{L"OK"});
  EXPECT_TRUE(driver_.PressOk(*box));
  // The object closed before the failed creation stays in the container.
  EXPECT_EQ(driver_.ObjectState(), kClosed);
  EXPECT_TRUE(HoldsName(L"B"));
  EXPECT_EQ(Setting(L"Objects", L"obj4"), L"Unknown.Thing");
  EXPECT_EQ(Setting(L"Last", L"id"), L"2");
  // The program goes on: the next creation works.
  Create(L"A");
  EXPECT_TRUE(WaitShown(L"A"));
  EXPECT_EQ(Setting(L"Last", L"id"), L"1");
  CloseAndExpectExit();
}

TEST_F(ContainerScenario, AnErrorWhileShowingIsReportedAndTheWindowStillOpens) {
  ASSERT_TRUE(driver_.WriteSettings("[Objects]\r\nobj1=Unknown.Thing\r\n[Last]\r\nid=1\r\n"));
  ASSERT_TRUE(driver_.Start({}, /*waitForWindow=*/false));
  const auto box = driver_.WaitMessageBox();
  ASSERT_TRUE(box.has_value()) << "no exception box";
  EXPECT_EQ(box->text, L"Invalid class string.");
  EXPECT_TRUE(driver_.PressOk(*box));
  ASSERT_TRUE(driver_.WaitForWindow()) << "the main window did not show";
  EXPECT_EQ(driver_.ComboText(), L"Unknown.Thing");
  EXPECT_EQ(driver_.ObjectState(), 0);
  CloseAndExpectExit();
  EXPECT_EQ(Setting(L"Last", L"id"), L"1");
}

TEST_F(ContainerScenario, AMaximisedWindowWritesItsMaximisedRectangle) {
  StartWith(nullptr);
  PostMessageW(driver_.Form(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  ASSERT_TRUE(driver_.WaitFor([&] { return IsZoomed(driver_.Form()) != FALSE; }, 5000));
  driver_.Settle();
  const RECT bounds = driver_.Bounds();
  CloseAndExpectExit();
  EXPECT_EQ(Setting(L"WindowPosition", L"Left"), std::to_wstring(bounds.left));
  EXPECT_EQ(Setting(L"WindowPosition", L"Top"), std::to_wstring(bounds.top));
  EXPECT_EQ(Setting(L"WindowPosition", L"Width"), std::to_wstring(bounds.right - bounds.left));
  EXPECT_EQ(Setting(L"WindowPosition", L"Height"), std::to_wstring(bounds.bottom - bounds.top));
  EXPECT_NE(Setting(L"WindowPosition", L"Width"), L"1062");
}

TEST_F(ContainerScenario, AnEmptyNameShowsTheSimpleMessageOnly) {
  StartWith(nullptr);
  driver_.ClickCreate();
  const auto box = driver_.WaitMessageBox();
  ASSERT_TRUE(box.has_value()) << "no message";
  EXPECT_EQ(box->caption, kTitle);
  EXPECT_EQ(box->text, L"Укажите имя создаваемого объекта");
  EXPECT_FALSE(box->hasIcon);
  EXPECT_EQ(box->buttons, Items{L"OK"});
  // Centred on the screen, whatever the window's place.
  const int centreX = (box->bounds.left + box->bounds.right) / 2;
  const int centreY = (box->bounds.top + box->bounds.bottom) / 2;
  EXPECT_NEAR(centreX, GetSystemMetrics(SM_CXSCREEN) / 2, 2);
  EXPECT_NEAR(centreY, GetSystemMetrics(SM_CYSCREEN) / 2, 2);
  // Modal: the main window is disabled while it is open.
  EXPECT_FALSE(IsWindowEnabled(driver_.Form()));
  EXPECT_TRUE(driver_.PressOk(*box));
  EXPECT_TRUE(IsWindowEnabled(driver_.Form()));
  EXPECT_EQ(driver_.ObjectState(), 0);
  EXPECT_FALSE(driver_.SettingsFileExists());
  CloseAndExpectExit();
}

TEST_F(ContainerScenario, AnUnwritableSettingsFileReportsAndTheWindowStillCloses) {
  StartWith("[WindowPosition]\r\nWidth=800\r\n[Objects]\r\nobj1=A\r\n[Last]\r\nid=1\r\n");
  ASSERT_TRUE(WaitShown(L"A"));
  // Another program holds the file, sharing nothing: no one can write it.
  const HANDLE lock = CreateFileW(driver_.SettingsPath().c_str(), GENERIC_READ, 0, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  const std::wstring error = L"Unable to write to " + driver_.SettingsPath() + L".";

  Create(L"D");
  auto box = driver_.WaitMessageBox();
  ASSERT_TRUE(box.has_value()) << "no exception box for the new name";
  EXPECT_EQ(box->text, error);
  EXPECT_TRUE(box->hasIcon);
  EXPECT_TRUE(driver_.PressOk(*box));
  // Nothing was created: the closed object A is still held.
  EXPECT_EQ(driver_.ObjectState(), kClosed);
  EXPECT_TRUE(HoldsName(L"A"));

  driver_.PostClose();
  box = driver_.WaitMessageBox();
  ASSERT_TRUE(box.has_value()) << "no exception box on closing";
  EXPECT_EQ(box->text, error);
  EXPECT_TRUE(driver_.PressOk(*box));
  const auto code = driver_.WaitExit();
  CloseHandle(lock);
  ASSERT_TRUE(code.has_value()) << "the window did not close";
  EXPECT_EQ(*code, 0u);
  EXPECT_EQ(Setting(L"Objects", L"obj2"), L"<absent>");
  EXPECT_EQ(Setting(L"WindowPosition", L"Width"), L"800");
  EXPECT_EQ(Setting(L"WindowPosition", L"Left"), L"<absent>");
}

}  // namespace
}  // namespace tarvelax::test
