#include "form_main_core.h"

#include <cstdint>
#include <utility>

#include "container_error.h"
#include "program_names.h"
#include "text_case.h"

namespace tarvelax {
namespace {

std::string ObjectKey(std::int64_t number) {
  return FormMainCore::kObjectKeyPrefix + std::to_string(number);
}

}  // namespace

FormMainCore::FormMainCore(MainView& view, ObjectHost& host, ProfileOpener opener,
                           const std::string& programPath, std::vector<std::string> arguments)
    : view_(view),
      host_(host),
      opener_(std::move(opener)),
      arguments_(std::move(arguments)),
      IniFileName_(SettingsFileName(programPath)) {
  RestoreBounds();
}

SettingsFile FormMainCore::OpenSettings() const { return SettingsFile(opener_, IniFileName_); }

void FormMainCore::RestoreBounds() {
  SettingsFile settings = OpenSettings();
  struct Bound {
    const char* key;
    int WindowBounds::*field;
  };
  static constexpr Bound kBounds[] = {{"Left", &WindowBounds::left},
                                      {"Top", &WindowBounds::top},
                                      {"Width", &WindowBounds::width},
                                      {"Height", &WindowBounds::height}};
  for (const Bound& bound : kBounds) {
    if (!settings.ValueExists(kWindowPosition, bound.key)) continue;
    WindowBounds bounds = view_.Bounds();
    bounds.*bound.field = settings.ReadInteger(kWindowPosition, bound.key, 0);
    view_.SetBounds(bounds);
  }
}

void FormMainCore::FormShow() {
  // The window counts as shown once this handler is over, however it ends:
  // an activation while it still runs (an object taking the focus during
  // its creation) is not the first activation.
  struct MarkShown {
    bool& shown;
    ~MarkShown() { shown = true; }
  } markShown{shown_};
  std::string text;
  {
    SettingsFile settings = OpenSettings();
    const std::vector<KeyValue> pairs = settings.ReadSectionValues(kObjects);
    const auto count = static_cast<std::int64_t>(pairs.size());
    for (std::int64_t k = 1; k <= count; ++k) {
      view_.InsertComboItemAtTop(ValueOfKey(pairs, ObjectKey(k)));
    }
    const std::int32_t id = settings.ReadInteger(kLast, kLastId, 1);
    text = ValueOfKey(pairs, ObjectKey(id));
    view_.SetComboText(text);
  }
  if (!text.empty()) CreateButtonClick();
}

void FormMainCore::FormActivate() {
  if (!shown_ || activated_) return;
  activated_ = true;
  if (arguments_.size() != 1) return;
  view_.SetComboText(arguments_[0]);
  CreateButtonClick();
}

void FormMainCore::CreateButtonClick() {
  const std::string name = view_.ComboText();
  if (name.empty()) {
    view_.ShowMessage(kNoNameMessage);
    return;
  }
  if (ObjectCreated_) {
    host_.CloseObject();
    ObjectCreated_ = false;
  }
  const std::vector<std::string> items = view_.ComboItems();
  const auto count = static_cast<std::int64_t>(items.size());
  bool isNew = true;
  for (const auto& item : items) {
    if (item == name) {
      isNew = false;
      break;
    }
  }
  if (isNew) {
    SettingsFile settings = OpenSettings();
    settings.WriteString(kObjects, ObjectKey(count + 1), name);
  }
  host_.CreateObject(name);
  ObjectCreated_ = true;
  host_.ShowObject();
  std::int64_t position = -1;
  for (std::int64_t p = 0; p < count; ++p) {
    if (EqualsIgnoreCase(items[static_cast<std::size_t>(p)], name)) {
      position = p;
      break;
    }
  }
  SettingsFile settings = OpenSettings();
  settings.WriteInteger(kLast, kLastId, static_cast<std::int32_t>(count - position));
}

void FormMainCore::FormClose() {
  host_.DestroyObject();
  ObjectCreated_ = false;
  const WindowBounds bounds = view_.Bounds();
  try {
    SettingsFile settings = OpenSettings();
    settings.WriteInteger(kWindowPosition, "Left", bounds.left);
    settings.WriteInteger(kWindowPosition, "Top", bounds.top);
    settings.WriteInteger(kWindowPosition, "Width", bounds.width);
    settings.WriteInteger(kWindowPosition, "Height", bounds.height);
  } catch (const ContainerError& e) {
    // A window that could never be closed is worse than lost bounds: the
    // error is shown and the close goes on.
    view_.ShowException(ExceptionBoxText(e.what()));
  }
}

void FormMainCore::ToolButtonOnTopClick() {
  view_.PlaceTopMost(view_.OnTopButtonDown(), view_.Bounds());
}

}  // namespace tarvelax
