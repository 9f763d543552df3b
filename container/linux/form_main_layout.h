// The layout of FormMain as data: one row per component, in creation order
// (later rows lie above earlier ones), with its kind, parent, bounds, text,
// alignment and place in the tab order. The Qt layer builds the window from
// this table and nothing else.
#pragma once

#include <array>

namespace tarvelax {

enum class ComponentKind {
  kForm,
  kOleContainer,
  kPanel,
  kToolBar,
  kLabel,
  kSeparator,
  kCheckToolButton,
  kComboBox,
  kButton,
};

// How a component follows its parent's size.
enum class Align { kNone, kTop, kClient };

struct ComponentRow {
  const char* name;
  ComponentKind kind;
  const char* parent;  // nullptr for the form
  int left, top, width, height;
  const char* text;     // caption (UTF-8); nullptr for none
  Align align;
  int tabOrder;         // -1: not a tab stop
  bool centred;         // labels: text centred
};

// Bounds of the form are its outer bounds; the others are client
// coordinates of their parent. A width or height of 0 takes the tool bar's
// button size (27 x 26).
inline constexpr int kToolButtonWidth = 27;
inline constexpr int kToolButtonHeight = 26;
inline constexpr int kToolImageSize = 20;
inline constexpr const char* kOnTopHint = "Поверх всех окон";

inline constexpr std::array<ComponentRow, 11> kFormMainLayout{{
    {"FormMain", ComponentKind::kForm, nullptr, 200, 164, 1062, 744, "TarvelAXContainer", Align::kNone, -1, false},
    {"OleContainerTarvelAX", ComponentKind::kOleContainer, "FormMain", 0, 33, 1054, 684, "OleContainerTarvelAX",
     Align::kClient, 0, false},
    {"PanelOptions", ComponentKind::kPanel, "FormMain", 0, 0, 1054, 33, nullptr, Align::kTop, 1, false},
    {"ToolBarMain", ComponentKind::kToolBar, "PanelOptions", 1, 1, 1052, 29, nullptr, Align::kTop, -1, false},
    {"Label2", ComponentKind::kLabel, "ToolBarMain", 0, 2, 66, 26, "Поверх всех:", Align::kNone, -1, false},
    {"ToolButton1", ComponentKind::kSeparator, "ToolBarMain", 66, 2, 8, kToolButtonHeight, nullptr, Align::kNone, -1,
     false},
    {"ToolButtonOnTop", ComponentKind::kCheckToolButton, "ToolBarMain", 74, 2, kToolButtonWidth, kToolButtonHeight,
     "AlwaysOnTop", Align::kNone, -1, false},
    {"ToolButton2", ComponentKind::kSeparator, "ToolBarMain", 101, 2, 8, kToolButtonHeight, nullptr, Align::kNone, -1,
     false},
    {"Label1", ComponentKind::kLabel, "ToolBarMain", 109, 2, 41, 26, "Объект:", Align::kNone, -1, true},
    {"ComboBoxObjects", ComponentKind::kComboBox, "PanelOptions", 152, 4, 361, 21, nullptr, Align::kNone, 1, false},
    {"CreateButton", ComponentKind::kButton, "PanelOptions", 520, 8, 75, 17, "Создать", Align::kNone, 2, false},
}};

}  // namespace tarvelax
