// The decisions of the main window FormMain: restoring and saving its
// bounds, the object list, the creation of the hosted object, the
// command-line object and the top-most switch. The platform layer builds
// the window, implements MainView and ObjectHost, and calls the handlers
// below from its events, each through RunHandler (handler_guard.h).
#pragma once

#include <string>
#include <vector>

#include "main_view.h"
#include "object_host.h"
#include "settings_file.h"

namespace tarvelax {

class FormMainCore {
public:
  // Section and key names of the settings file.
  static constexpr const char* kWindowPosition = "WindowPosition";
  static constexpr const char* kObjects = "Objects";
  static constexpr const char* kLast = "Last";
  static constexpr const char* kLastId = "id";
  static constexpr const char* kObjectKeyPrefix = "obj";
  // The message for a creation without a name.
  static constexpr const char* kNoNameMessage = "Укажите имя создаваемого объекта";

  // The window's controls must exist: this derives IniFileName from
  // programPath and restores the bounds from the settings file. arguments
  // are the command-line arguments after the program name.
  FormMainCore(MainView& view, ObjectHost& host, ProfileOpener opener,
               const std::string& programPath, std::vector<std::string> arguments);

  // OnShow: fills the object list and creates the last object when known.
  void FormShow();
  // OnActivate: the first call after FormShow has ended creates the object of
  // a single command-line argument; every later call does nothing.
  void FormActivate();
  // OnClick of CreateButton.
  void CreateButtonClick();
  // OnClose: destroys the object and saves the bounds. A settings file that
  // cannot be written is reported in the exception box and the bounds left
  // unwritten stay so; the window closes in every case.
  void FormClose();
  // OnClick of ToolButtonOnTop, after its down state has toggled.
  void ToolButtonOnTopClick();

  const std::string& IniFileName() const { return IniFileName_; }
  bool ObjectCreated() const { return ObjectCreated_; }

private:
  SettingsFile OpenSettings() const;
  void RestoreBounds();

  MainView& view_;
  ObjectHost& host_;
  ProfileOpener opener_;
  std::vector<std::string> arguments_;
  std::string IniFileName_;
  bool ObjectCreated_ = false;
  bool shown_ = false;
  bool activated_ = false;
};

}  // namespace tarvelax
