#include "settings_file.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "container_error.h"
#include "test_profiles.h"

namespace tarvelax {
namespace {

class SettingsFileTest : public testing::TestWithParam<test::TestProfileKind> {
protected:
  void SetUp() override { settings_ = GetParam().make(); }
  SettingsFile Open() { return SettingsFile(settings_->Opener(), settings_->Path()); }

  std::unique_ptr<test::TestSettings> settings_;
};

TEST_P(SettingsFileTest, WritesAndReadsBackTextsAndIntegers) {
  {
    SettingsFile file = Open();
    file.WriteString("Objects", "obj1", "TarvelAX.Sample");
    file.WriteString("Objects", "obj2", "");
    file.WriteInteger("Last", "id", -12);
  }
  SettingsFile file = Open();
  EXPECT_EQ(file.ReadString("Objects", "obj1", "none"), "TarvelAX.Sample");
  EXPECT_EQ(file.ReadString("objects", "OBJ1", "none"), "TarvelAX.Sample");
  EXPECT_EQ(file.ReadString("Objects", "obj9", "none"), "none");
  EXPECT_EQ(file.ReadInteger("Last", "id", 1), -12);
  EXPECT_EQ(file.ReadInteger("Last", "missing", 1), 1);
  EXPECT_EQ(file.ReadInteger("Objects", "obj1", 5), 5);
  const std::vector<KeyValue> pairs = file.ReadSectionValues("Objects");
  ASSERT_EQ(pairs.size(), 2u);
  EXPECT_EQ(pairs[0], KeyValue("obj1", "TarvelAX.Sample"));
  EXPECT_EQ(pairs[1], KeyValue("obj2", ""));
  EXPECT_EQ(ValueOfKey(pairs, "OBJ2"), "");
  EXPECT_EQ(ValueOfKey(pairs, "Obj1"), "TarvelAX.Sample");
}

TEST_P(SettingsFileTest, KnowsWhichKeysExistIgnoringCase) {
  Open().WriteInteger("WindowPosition", "Width", 800);
  SettingsFile file = Open();
  EXPECT_TRUE(file.ValueExists("WindowPosition", "Width"));
  EXPECT_TRUE(file.ValueExists("WindowPosition", "WIDTH"));
  EXPECT_FALSE(file.ValueExists("WindowPosition", "Left"));
  EXPECT_FALSE(file.ValueExists("Nowhere", "Width"));
}

TEST_P(SettingsFileTest, CutsLongValuesTo2047Characters) {
  const std::string longValue(3000, 'v');
  Open().WriteString("Objects", "obj1", longValue);
  EXPECT_EQ(Open().ReadString("Objects", "obj1", ""), std::string(2047, 'v'));
}

TEST_P(SettingsFileTest, ListsKeysAsFarAsTheListHoldsThem) {
  // 2,000 keys of 9 bytes each (with the terminator) need 18,000 bytes.
  std::string text = "[Big]\r\n";
  std::vector<std::string> names;
  for (int i = 0; i < 2000; ++i) {
    char key[16];
    std::snprintf(key, sizeof key, "key%05d", i);
    names.push_back(key);
    text += std::string(key) + "=1\r\n";
  }
  if (!settings_->WriteRaw(text)) {
    SettingsFile file = Open();
    for (const auto& name : names) file.WriteString("Big", name, "1");
  }
  const std::vector<std::string> keys = Open().ReadSection("Big");
  ASSERT_GE(keys.size(), 1800u);
  EXPECT_LE(keys.size(), 1821u);
  EXPECT_EQ(keys.front(), "key00000");
}

TEST_P(SettingsFileTest, FailedWriteNamesTheFile) {
  settings_->MakeUnwritable();
  SettingsFile file = Open();
  try {
    file.WriteInteger("WindowPosition", "Left", 1);
    FAIL() << "the write succeeded";
  } catch (const ContainerError& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + settings_->Path());
  }
}

TEST_P(SettingsFileTest, ReadsAFileWrittenByHand) {
  if (!settings_->WriteRaw("[WindowPosition]\r\nLeft= $20\r\nTop=x20 \r\nWidth=0X20\r\n"
                           "Height=20px\r\n[Objects]\r\nobj1=A\r\nobj3=C\r\n")) {
    GTEST_SKIP() << "this engine has no file";
  }
  SettingsFile file = Open();
  EXPECT_EQ(file.ReadInteger("WindowPosition", "Left", 0), 32);
  EXPECT_EQ(file.ReadInteger("WindowPosition", "Top", 0), 32);
  EXPECT_EQ(file.ReadInteger("WindowPosition", "Width", 0), 32);
  EXPECT_EQ(file.ReadInteger("WindowPosition", "Height", 0), 0);
  EXPECT_EQ(file.ReadSection("Objects"), (std::vector<std::string>{"obj1", "obj3"}));
}

INSTANTIATE_TEST_SUITE_P(Engines, SettingsFileTest, testing::ValuesIn(test::TestProfiles()),
                         [](const testing::TestParamInfo<test::TestProfileKind>& info) {
                           return info.param.name;
                         });

}  // namespace
}  // namespace tarvelax
