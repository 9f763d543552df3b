// The fixed layout of FormMain as data: one row per component, in tab
// order within each parent, with the Win32 class that stands for the
// component's class, its bounds, text, styles, control id and events.
// TFormMain creates them all in one loop.
#pragma once

#include <windows.h>

#include <cstddef>

#include "form_main_core.h"

namespace tarvelax {

enum class ComponentKind {
  Form,           // the top-level window itself
  OleContainer,   // OleContainerTarvelAX
  Panel,          // a plain raised panel
  ToolBar,        // the common-controls tool bar
  ToolLabel,      // a static text placed on the tool bar
  ToolSeparator,  // a tool bar separator of the given width
  ToolCheckButton,
  ComboBox,
  Button,
  ImageList,      // not visual: the tool bar's images
};

// A handler of FormMainCore, or none.
using FormEvent = void (FormMainCore::*)();

struct Component {
  ComponentKind kind;
  const wchar_t* name;
  const wchar_t* componentClass;  // the class it stands for, as named in the form
  int parent;                     // row index, -1 for none
  int left, top, width, height;   // -1: given by the parent (tool bar items)
  const wchar_t* text;
  DWORD style;
  DWORD exStyle;
  int id;        // control or command id, 0 for none
  int tabOrder;  // within the parent, -1 when not in the tab order
  int image;     // image index of a tool button, -1 for none
  const wchar_t* hint;
  FormEvent onClick;
  FormEvent onShow;
  FormEvent onActivate;
  FormEvent onClose;
};

// Control and command ids; none is IDOK or IDCANCEL, which the dialog
// manager sends for Enter and Escape.
enum ComponentId : int {
  kIdOleContainer = 100,
  kIdPanelOptions,
  kIdToolBarMain,
  kIdLabel2,
  kIdToolButtonOnTop,
  kIdLabel1,
  kIdComboBoxObjects,
  kIdCreateButton,
};

// Row indexes, for the code that needs one component.
enum ComponentRow : int {
  kRowFormMain,
  kRowOleContainer,
  kRowPanelOptions,
  kRowToolBarMain,
  kRowLabel2,
  kRowToolButton1,
  kRowToolButtonOnTop,
  kRowToolButton2,
  kRowLabel1,
  kRowComboBoxObjects,
  kRowCreateButton,
  kRowImageList,
  kRowCount
};

extern const Component kFormMainLayout[kRowCount];

// The window classes of our own components.
inline constexpr wchar_t kFormMainClass[] = L"TFormMain";
inline constexpr wchar_t kOleContainerClass[] = L"TOleContainer";
inline constexpr wchar_t kPanelClass[] = L"TPanel";

// The form's font: "MS Sans Serif", height -11, default character set.
inline constexpr wchar_t kFormFontName[] = L"MS Sans Serif";
inline constexpr int kFormFontHeight = -11;

// The tool bar's geometry and images.
inline constexpr int kToolButtonWidth = 27;
inline constexpr int kToolButtonHeight = 26;
inline constexpr int kToolImageSize = 20;
// The combo box's list: item height, and the rows of its drop-down part.
inline constexpr int kComboItemHeight = 13;
inline constexpr int kComboDropDownRows = 8;

}  // namespace tarvelax
