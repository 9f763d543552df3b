// The handlers of the main window against a recording view and object
// host, over every profile engine of the tree.
#include "form_main_core.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "container_error.h"
#include "handler_guard.h"
#include "test_profiles.h"

namespace tarvelax {
namespace {

// The window's state as the handlers leave it, and the boxes they showed.
class RecordingView final : public MainView {
public:
  std::string ComboText() override { return comboText; }
  void SetComboText(const std::string& text) override { comboText = text; }
  std::vector<std::string> ComboItems() override { return items; }
  void InsertComboItemAtTop(const std::string& text) override { items.insert(items.begin(), text); }
  WindowBounds Bounds() override { return bounds; }
  void SetBounds(const WindowBounds& b) override { bounds = b; }
  bool OnTopButtonDown() override { return onTopDown; }
  void PlaceTopMost(bool topMost, const WindowBounds& b) override {
    this->topMost = topMost;
    placedAt = b;
  }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void ShowException(const std::string& text) override { exceptions.push_back(text); }

  std::string comboText;
  std::vector<std::string> items;
  WindowBounds bounds{200, 164, 1062, 744};
  bool onTopDown = false;
  bool topMost = false;
  WindowBounds placedAt;
  std::vector<std::string> messages;
  std::vector<std::string> exceptions;
};

// An OLE container that knows a fixed set of names and logs every call.
class RecordingHost final : public ObjectHost {
public:
  void CloseObject() override { calls.push_back("close"); }
  void CreateObject(const std::string& progId) override {
    if (progId.starts_with("Unknown")) throw ContainerError("Invalid class string");
    calls.push_back("destroy");
    calls.push_back("create " + progId);
  }
  void ShowObject() override {
    calls.push_back("show");
    if (onShow) onShow();
  }
  void DestroyObject() override { calls.push_back("destroy"); }

  std::vector<std::string> calls;
  std::function<void()> onShow;
};

class FormMainCoreTest : public testing::TestWithParam<test::TestProfileKind> {
protected:
  void SetUp() override { settings_ = GetParam().make(); }

  // The program file beside the settings file.
  std::string ProgramPath() const {
    const std::string ini = settings_->Path();
    return ini.substr(0, ini.size() - 4) + ".exe";
  }

  void Write(const char* section, const char* key, const std::string& value) {
    SettingsFile(settings_->Opener(), settings_->Path()).WriteString(section, key, value);
  }
  std::string Read(const char* section, const char* key) {
    return SettingsFile(settings_->Opener(), settings_->Path()).ReadString(section, key, "<none>");
  }
  void WriteObjects(const std::vector<std::string>& names, int last) {
    for (std::size_t i = 0; i < names.size(); ++i) {
      Write("Objects", ("obj" + std::to_string(i + 1)).c_str(), names[i]);
    }
    Write("Last", "id", std::to_string(last));
  }

  // Construction, show and first activation, each through the guard.
  FormMainCore& Start(std::vector<std::string> arguments = {}) {
    form_ = std::make_unique<FormMainCore>(view_, host_, settings_->Opener(), ProgramPath(),
                                           std::move(arguments));
    RunHandler(view_, [&] { form_->FormShow(); });
    RunHandler(view_, [&] { form_->FormActivate(); });
    return *form_;
  }
  void Create(const std::string& text) {
    view_.comboText = text;
    RunHandler(view_, [&] { form_->CreateButtonClick(); });
  }

  std::unique_ptr<test::TestSettings> settings_;
  RecordingView view_;
  RecordingHost host_;
  std::unique_ptr<FormMainCore> form_;
};

using Calls = std::vector<std::string>;
using Items = std::vector<std::string>;

TEST_P(FormMainCoreTest, FirstStartKeepsTheFormBoundsAndClosingWritesThem) {
  FormMainCore& form = Start();
  EXPECT_EQ(form.IniFileName(), settings_->Path());
  EXPECT_EQ(view_.bounds, (WindowBounds{200, 164, 1062, 744}));
  EXPECT_TRUE(view_.items.empty());
  EXPECT_EQ(view_.comboText, "");
  EXPECT_TRUE(host_.calls.empty());
  view_.bounds = {10, 20, 300, 400};
  form.FormClose();
  EXPECT_EQ(host_.calls, Calls{"destroy"});
  EXPECT_EQ(Read("WindowPosition", "Left"), "10");
  EXPECT_EQ(Read("WindowPosition", "Top"), "20");
  EXPECT_EQ(Read("WindowPosition", "Width"), "300");
  EXPECT_EQ(Read("WindowPosition", "Height"), "400");
  EXPECT_TRUE(view_.exceptions.empty());
}

TEST_P(FormMainCoreTest, RestoresOnlyTheKeysPresent) {
  Write("WindowPosition", "Width", "800");
  Start();
  EXPECT_EQ(view_.bounds, (WindowBounds{200, 164, 800, 744}));
}

TEST_P(FormMainCoreTest, RestoresHexadecimalAndInvalidValues) {
  Write("WindowPosition", "Left", "0x20");
  Write("WindowPosition", "Top", "$20");
  Write("WindowPosition", "Width", "x20");
  Write("WindowPosition", "Height", "big");
  Start();
  EXPECT_EQ(view_.bounds, (WindowBounds{32, 32, 32, 0}));
}

TEST_P(FormMainCoreTest, ListsNamesInReverseAndCreatesTheLastOne) {
  WriteObjects({"A", "B", "C"}, 2);
  Start();
  EXPECT_EQ(view_.items, (Items{"C", "B", "A"}));
  EXPECT_EQ(view_.comboText, "B");
  EXPECT_EQ(host_.calls, (Calls{"destroy", "create B", "show"}));
  EXPECT_TRUE(form_->ObjectCreated());
  EXPECT_EQ(Read("Last", "id"), "2");
}

TEST_P(FormMainCoreTest, CreatingAListedNameWritesItsNumberOnly) {
  WriteObjects({"A", "B", "C"}, 2);
  Start();
  Create("A");
  EXPECT_EQ(host_.calls, (Calls{"destroy", "create B", "show", "close", "destroy", "create A", "show"}));
  EXPECT_EQ(Read("Last", "id"), "1");
  EXPECT_EQ(Read("Objects", "obj4"), "<none>");
}

TEST_P(FormMainCoreTest, NewNamesOfOneRunShareTheKeyAfterTheList) {
  WriteObjects({"A", "B", "C"}, 2);
  Start();
  Create("D");
  EXPECT_EQ(Read("Objects", "obj4"), "D");
  EXPECT_EQ(Read("Last", "id"), "4");
  EXPECT_EQ(view_.items, (Items{"C", "B", "A"}));
  Create("E");
  EXPECT_EQ(Read("Objects", "obj4"), "E");
  EXPECT_EQ(Read("Last", "id"), "4");
  EXPECT_EQ(Read("Objects", "obj5"), "<none>");
}

TEST_P(FormMainCoreTest, ANameDifferingInCaseIsNewButTakesTheListedNumber) {
  WriteObjects({"A", "B", "C"}, 2);
  Start();
  Create("a");
  EXPECT_EQ(Read("Objects", "obj4"), "a");
  EXPECT_EQ(Read("Last", "id"), "1");
}

TEST_P(FormMainCoreTest, AGapInTheKeysShowsAnEmptyEntryAndReusesTheKeyAfterIt) {
  Write("Objects", "obj1", "A");
  Write("Objects", "obj3", "C");
  Write("Last", "id", "3");
  Start();
  EXPECT_EQ(view_.items, (Items{"", "A"}));
  // The text comes from the pairs, where obj3 is: C is created, and being
  // unlisted it is written again under N + 1 = 3.
  EXPECT_EQ(view_.comboText, "C");
  EXPECT_EQ(host_.calls, (Calls{"destroy", "create C", "show"}));
  EXPECT_EQ(Read("Last", "id"), "3");
  Create("D");
  EXPECT_EQ(Read("Objects", "obj3"), "D");
  EXPECT_EQ(Read("Last", "id"), "3");
}

TEST_P(FormMainCoreTest, OneArgumentReplacesTheLastObjectOnce) {
  WriteObjects({"A", "B", "C"}, 2);
  Start({"C"});
  EXPECT_EQ(host_.calls, (Calls{"destroy", "create B", "show", "close", "destroy", "create C", "show"}));
  EXPECT_EQ(view_.comboText, "C");
  EXPECT_EQ(Read("Last", "id"), "3");
  form_->FormActivate();
  form_->FormActivate();
  EXPECT_EQ(host_.calls.size(), 7u);
}

TEST_P(FormMainCoreTest, TwoArgumentsCreateNothingFromTheCommandLine) {
  WriteObjects({"A", "B", "C"}, 2);
  Start({"C", "A"});
  EXPECT_EQ(host_.calls, (Calls{"destroy", "create B", "show"}));
  EXPECT_EQ(view_.comboText, "B");
}

TEST_P(FormMainCoreTest, ActivationBeforeShowDoesNotCountAsTheFirst) {
  form_ = std::make_unique<FormMainCore>(view_, host_, settings_->Opener(), ProgramPath(),
                                         std::vector<std::string>{"A"});
  form_->FormActivate();
  EXPECT_TRUE(host_.calls.empty());
  form_->FormShow();
  form_->FormActivate();
  EXPECT_EQ(host_.calls, (Calls{"destroy", "create A", "show"}));
}

TEST_P(FormMainCoreTest, AnActivationDuringShowIsNotTheFirst) {
  WriteObjects({"A", "B", "C"}, 2);
  form_ = std::make_unique<FormMainCore>(view_, host_, settings_->Opener(), ProgramPath(),
                                         std::vector<std::string>{"C"});
  // The object takes the focus while FormShow still creates it.
  host_.onShow = [&] {
    host_.onShow = nullptr;
    form_->FormActivate();
  };
  form_->FormShow();
  EXPECT_EQ(host_.calls, (Calls{"destroy", "create B", "show"}));
  EXPECT_EQ(Read("Last", "id"), "2");
  form_->FormActivate();
  EXPECT_EQ(host_.calls.back(), "show");
  EXPECT_EQ(host_.calls.size(), 7u);
  EXPECT_EQ(Read("Last", "id"), "3");
}

TEST_P(FormMainCoreTest, AnUnknownNameIsWrittenButNotRememberedAsLast) {
  WriteObjects({"A", "B", "C"}, 2);
  Start();
  Create("Unknown.Thing");
  EXPECT_EQ(view_.exceptions, Items{"Invalid class string."});
  EXPECT_EQ(Read("Objects", "obj4"), "Unknown.Thing");
  EXPECT_EQ(Read("Last", "id"), "2");
  EXPECT_FALSE(form_->ObjectCreated());
  // The closed object stays until the next creation destroys it.
  EXPECT_EQ(host_.calls, (Calls{"destroy", "create B", "show", "close"}));
  Create("A");
  EXPECT_EQ(host_.calls.back(), "show");
  EXPECT_EQ(Read("Last", "id"), "1");
}

TEST_P(FormMainCoreTest, AnEmptyNameOnlyShowsTheMessage) {
  WriteObjects({"A", "B", "C"}, 2);
  Start();
  Create("");
  EXPECT_EQ(view_.messages, Items{"Укажите имя создаваемого объекта"});
  EXPECT_TRUE(form_->ObjectCreated());
  EXPECT_EQ(host_.calls.size(), 3u);
}

TEST_P(FormMainCoreTest, AnUnwritableFileStopsCreationAndStillLetsTheWindowClose) {
  Start();
  settings_->MakeUnwritable();
  const std::string error = "Unable to write to " + settings_->Path() + ".";
  Create("TarvelAX.Sample");
  EXPECT_EQ(view_.exceptions, Items{error});
  EXPECT_TRUE(host_.calls.empty());
  EXPECT_FALSE(form_->ObjectCreated());
  form_->FormClose();  // does not throw: the window closes
  EXPECT_EQ(view_.exceptions, (Items{error, error}));
  EXPECT_EQ(host_.calls, Calls{"destroy"});
}

TEST_P(FormMainCoreTest, TheOnTopSwitchFollowsTheButtonAtTheCurrentBounds) {
  FormMainCore& form = Start();
  view_.bounds = {5, 6, 700, 500};
  view_.onTopDown = true;
  form.ToolButtonOnTopClick();
  EXPECT_TRUE(view_.topMost);
  EXPECT_EQ(view_.placedAt, view_.bounds);
  view_.onTopDown = false;
  form.ToolButtonOnTopClick();
  EXPECT_FALSE(view_.topMost);
  EXPECT_EQ(view_.placedAt, view_.bounds);
}

INSTANTIATE_TEST_SUITE_P(Engines, FormMainCoreTest, testing::ValuesIn(test::TestProfiles()),
                         [](const testing::TestParamInfo<test::TestProfileKind>& info) {
                           return info.param.name;
                         });

TEST(HandlerGuard, ShowsEscapedErrorsAndGoesOn) {
  RecordingView view;
  RunHandler(view, [] { throw ContainerError("Unable to write to x"); });
  RunHandler(view, [] { throw std::runtime_error("Done."); });
  RunHandler(view, [] { throw 42; });
  EXPECT_EQ(view.exceptions, (std::vector<std::string>{"Unable to write to x.", "Done.", ""}));
}

}  // namespace
}  // namespace tarvelax
