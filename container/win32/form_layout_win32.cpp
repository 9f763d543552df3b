#include "form_layout_win32.h"

#include <commctrl.h>

namespace tarvelax {

// clang-format off
const Component kFormMainLayout[kRowCount] = {
  // kind, name, class, parent, left, top, width, height, text, style, exStyle, id, tab order,
  // image, hint, OnClick, OnShow, OnActivate, OnClose
  {ComponentKind::Form, L"FormMain", L"TFormMain", -1, 200, 164, 1062, 744,
   L"TarvelAXContainer", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, 0, -1,
   -1, nullptr, nullptr, &FormMainCore::FormShow, &FormMainCore::FormActivate,
   &FormMainCore::FormClose},
  {ComponentKind::OleContainer, L"OleContainerTarvelAX", L"TOleContainer", kRowFormMain,
   0, 33, 1054, 684, L"OleContainerTarvelAX",
   WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN, WS_EX_CLIENTEDGE, kIdOleContainer, 0,
   -1, nullptr, nullptr, nullptr, nullptr, nullptr},
  {ComponentKind::Panel, L"PanelOptions", L"TPanel", kRowFormMain, 0, 0, 1054, 33, L"",
   WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, kIdPanelOptions, 1,
   -1, nullptr, nullptr, nullptr, nullptr, nullptr},
  // Hints are shown through a tooltip of the form's own (TFormMain).
  {ComponentKind::ToolBar, L"ToolBarMain", L"TToolBar", kRowPanelOptions, 1, 1, 1052, 29, L"",
   WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | TBSTYLE_FLAT | CCS_NORESIZE |
       CCS_NOPARENTALIGN | CCS_NODIVIDER,
   0, kIdToolBarMain, 0, -1, nullptr, nullptr, nullptr, nullptr, nullptr},
  {ComponentKind::ToolLabel, L"Label2", L"TLabel", kRowToolBarMain, 0, 2, 66, 26,
   L"Поверх всех:", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_CENTERIMAGE, 0, kIdLabel2, -1,
   -1, nullptr, nullptr, nullptr, nullptr, nullptr},
  {ComponentKind::ToolSeparator, L"ToolButton1", L"TToolButton", kRowToolBarMain, 66, 2, 8, -1,
   nullptr, 0, 0, 0, -1, -1, nullptr, nullptr, nullptr, nullptr, nullptr},
  {ComponentKind::ToolCheckButton, L"ToolButtonOnTop", L"TToolButton", kRowToolBarMain,
   74, 2, -1, -1, L"AlwaysOnTop", 0, 0, kIdToolButtonOnTop, -1,
   0, L"Поверх всех окон", &FormMainCore::ToolButtonOnTopClick, nullptr, nullptr, nullptr},
  {ComponentKind::ToolSeparator, L"ToolButton2", L"TToolButton", kRowToolBarMain, 101, 2, 8, -1,
   nullptr, 0, 0, 0, -1, -1, nullptr, nullptr, nullptr, nullptr, nullptr},
  {ComponentKind::ToolLabel, L"Label1", L"TLabel", kRowToolBarMain, 109, 2, 41, 26,
   L"Объект:", WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE, 0, kIdLabel1, -1,
   -1, nullptr, nullptr, nullptr, nullptr, nullptr},
  {ComponentKind::ComboBox, L"ComboBoxObjects", L"TComboBox", kRowPanelOptions, 152, 4, 361, 21,
   L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0,
   kIdComboBoxObjects, 1, -1, nullptr, nullptr, nullptr, nullptr, nullptr},
  // BS_PUSHBUTTON, not BS_DEFPUSHBUTTON: Enter presses it only while it has the focus.
  {ComponentKind::Button, L"CreateButton", L"TButton", kRowPanelOptions, 520, 8, 75, 17,
   L"Создать", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, kIdCreateButton, 2,
   -1, nullptr, &FormMainCore::CreateButtonClick, nullptr, nullptr, nullptr},
  {ComponentKind::ImageList, L"ImageListToolBarMain", L"TImageList", kRowFormMain,
   -1, -1, kToolImageSize, kToolImageSize, nullptr, 0, 0, 0, -1, -1, nullptr,
   nullptr, nullptr, nullptr, nullptr},
};
// clang-format on

}  // namespace tarvelax
