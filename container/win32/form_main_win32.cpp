#include "form_main_win32.h"

#include <windowsx.h>

#include "container_error.h"
#include "combo_completion.h"
#include "handler_guard.h"
#include "message_boxes_win32.h"
#include "text_encoding_win32.h"

namespace tarvelax {
namespace {

constexpr wchar_t kHostName[] = L"OleContainerTarvelAX";
// The colour the tool bar image leaves transparent.
constexpr COLORREF kMaskColour = RGB(255, 0, 255);

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

}  // namespace

bool TFormMain::RegisterWindowClasses(HINSTANCE instance) {
  WNDCLASSEXW form = {};
  form.cbSize = sizeof form;
  form.lpfnWndProc = WindowProc;
  form.hInstance = instance;
  form.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  form.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
  form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  form.lpszClassName = kFormMainClass;
  if (!RegisterClassExW(&form)) return false;

  WNDCLASSEXW panel = {};
  panel.cbSize = sizeof panel;
  panel.style = CS_HREDRAW | CS_VREDRAW;
  panel.lpfnWndProc = PanelProc;
  panel.hInstance = instance;
  panel.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  panel.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  panel.lpszClassName = kPanelClass;
  if (!RegisterClassExW(&panel)) return false;

  return OleContainerWin32::RegisterWindowClass(instance);
}

TFormMain::TFormMain(HINSTANCE instance, const std::string& programPath,
                     std::wstring applicationTitle, std::vector<std::string> arguments)
    : instance_(instance),
      applicationTitle_(std::move(applicationTitle)),
      oleContainer_(applicationTitle_, kHostName) {
  font_ = CreateFontW(kFormFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                      DEFAULT_PITCH | FF_DONTCARE, kFormFontName);
  try {
    CreateComponents();
    core_ = std::make_unique<FormMainCore>(*this, oleContainer_, OpenProfile, programPath,
                                           std::move(arguments));
  } catch (...) {
    if (windows_[kRowFormMain]) DestroyWindow(windows_[kRowFormMain]);
    if (toolTip_) DestroyWindow(toolTip_);
    if (images_) ImageList_Destroy(images_);
    if (font_) DeleteObject(font_);
    throw;
  }
}

TFormMain::~TFormMain() {
  if (windows_[kRowFormMain]) DestroyWindow(windows_[kRowFormMain]);
  if (toolTip_) DestroyWindow(toolTip_);
  if (images_) ImageList_Destroy(images_);
  if (font_) DeleteObject(font_);
}

void TFormMain::CreateComponents() {
  for (int row = 0; row < kRowCount; ++row) CreateComponent(row);
  ApplyTabOrder();
  OnSize();
}

void TFormMain::CreateComponent(int row) {
  const Component& c = kFormMainLayout[row];
  const HWND parent = c.parent >= 0 ? windows_[c.parent] : nullptr;
  const HMENU id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id));
  HWND window = nullptr;
  switch (c.kind) {
    case ComponentKind::Form:
      window = CreateWindowExW(c.exStyle, kFormMainClass, c.text, c.style, c.left, c.top, c.width,
                               c.height, nullptr, nullptr, instance_, this);
      break;
    case ComponentKind::OleContainer:
      window = CreateWindowExW(c.exStyle, kOleContainerClass, c.text, c.style, c.left, c.top,
                               c.width, c.height, parent, id, instance_, &oleContainer_);
      oleContainer_.SetFrameWindow(windows_[kRowFormMain]);
      break;
    case ComponentKind::Panel:
      window = CreateWindowExW(c.exStyle, kPanelClass, c.text, c.style, c.left, c.top, c.width,
                               c.height, parent, id, instance_, nullptr);
      break;
    case ComponentKind::ToolBar:
      window = CreateWindowExW(c.exStyle, TOOLBARCLASSNAMEW, c.text, c.style, c.left, c.top,
                               c.width, c.height, parent, id, instance_, nullptr);
      if (window) {
        SendMessageW(window, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        SendMessageW(window, TB_SETBITMAPSIZE, 0, MAKELPARAM(kToolImageSize, kToolImageSize));
        SendMessageW(window, TB_SETBUTTONSIZE, 0, MAKELPARAM(kToolButtonWidth, kToolButtonHeight));
        // Captions are not shown; the buttons show their images.
        SendMessageW(window, TB_SETMAXTEXTROWS, 0, 0);
        // The hints' tooltip belongs to no window: a tooltip owned by the
        // form keeps the form out of the top-most band on some systems.
        toolTip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                   instance_, nullptr);
        if (toolTip_) SendMessageW(window, TB_SETTOOLTIPS, reinterpret_cast<WPARAM>(toolTip_), 0);
      }
      break;
    case ComponentKind::ToolLabel:
      AddToolBarItem(row);
      window = CreateWindowExW(c.exStyle, WC_STATICW, c.text, c.style, c.left, c.top, c.width,
                               c.height, parent, id, instance_, nullptr);
      break;
    case ComponentKind::ToolSeparator:
    case ComponentKind::ToolCheckButton:
      AddToolBarItem(row);
      return;
    case ComponentKind::ComboBox:
      // The height of a drop-down combo box includes its list.
      window = CreateWindowExW(c.exStyle, WC_COMBOBOXW, c.text, c.style, c.left, c.top, c.width,
                               c.height + kComboDropDownRows * kComboItemHeight + 2, parent, id,
                               instance_, nullptr);
      if (window) {
        SendMessageW(window, CB_SETITEMHEIGHT, 0, kComboItemHeight);
        COMBOBOXINFO info = {};
        info.cbSize = sizeof info;
        if (GetComboBoxInfo(window, &info) && info.hwndItem) {
          comboEdit_ = info.hwndItem;
          SetWindowSubclass(comboEdit_, ComboEditProc, 1, reinterpret_cast<DWORD_PTR>(this));
        }
      }
      break;
    case ComponentKind::Button:
      window = CreateWindowExW(c.exStyle, WC_BUTTONW, c.text, c.style, c.left, c.top, c.width,
                               c.height, parent, id, instance_, nullptr);
      break;
    case ComponentKind::ImageList: {
      images_ = ImageList_Create(c.width, c.height, ILC_COLOR24 | ILC_MASK, 1, 1);
      if (!images_) throw ContainerError("Cannot create the image list");
      if (HBITMAP picture = DrawOnTopImage()) {
        ImageList_AddMasked(images_, picture, kMaskColour);
        DeleteObject(picture);
      }
      const HWND toolBar = windows_[kRowToolBarMain];
      SendMessageW(toolBar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
      SendMessageW(toolBar, TB_SETBUTTONSIZE, 0, MAKELPARAM(kToolButtonWidth, kToolButtonHeight));
      return;
    }
  }
  if (!window) {
    throw ContainerError("Cannot create the window " + WideToUtf8(c.name));
  }
  windows_[row] = window;
  if (font_) SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
}

void TFormMain::AddToolBarItem(int row) {
  const Component& c = kFormMainLayout[row];
  TBBUTTON button = {};
  if (c.kind == ComponentKind::ToolCheckButton) {
    button.iBitmap = c.image;
    button.idCommand = c.id;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = BTNS_CHECK;
    button.iString = reinterpret_cast<INT_PTR>(c.text);
  } else {
    // A separator as wide as the item; a label stands on top of its own.
    button.iBitmap = c.width;
    button.fsStyle = BTNS_SEP;
  }
  SendMessageW(windows_[kRowToolBarMain], TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
}

void TFormMain::ApplyTabOrder() {
  // Siblings are stacked in tab order, the order the dialog manager tabs in.
  for (int parent = 0; parent < kRowCount; ++parent) {
    for (int order = 0; order < kRowCount; ++order) {
      for (int row = 0; row < kRowCount; ++row) {
        const Component& c = kFormMainLayout[row];
        if (c.parent == parent && c.tabOrder == order && windows_[row]) {
          SetWindowPos(windows_[row], HWND_BOTTOM, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
      }
    }
  }
}

HBITMAP TFormMain::DrawOnTopImage() {
  // Two windows, the front one with a blue title bar and an arrow above.
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP picture = CreateCompatibleBitmap(screen, kToolImageSize, kToolImageSize);
  ReleaseDC(nullptr, screen);
  if (!dc || !picture) {
    if (dc) DeleteDC(dc);
    if (picture) DeleteObject(picture);
    return nullptr;
  }
  HGDIOBJ old = SelectObject(dc, picture);
  const RECT all = {0, 0, kToolImageSize, kToolImageSize};
  HBRUSH mask = CreateSolidBrush(kMaskColour);
  FillRect(dc, &all, mask);
  DeleteObject(mask);
  auto window = [dc](int left, int top, COLORREF title) {
    const RECT frame = {left, top, left + 12, top + 10};
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    HBRUSH bar = CreateSolidBrush(title);
    HBRUSH edge = CreateSolidBrush(RGB(0, 0, 0));
    FillRect(dc, &frame, white);
    const RECT caption = {left, top, left + 12, top + 3};
    FillRect(dc, &caption, bar);
    FrameRect(dc, &frame, edge);
    DeleteObject(white);
    DeleteObject(bar);
    DeleteObject(edge);
  };
  window(1, 9, RGB(128, 128, 128));
  window(7, 6, RGB(0, 0, 160));
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 160));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  MoveToEx(dc, 13, 1, nullptr);
  LineTo(dc, 13, 5);
  MoveToEx(dc, 11, 3, nullptr);
  LineTo(dc, 14, 0);
  LineTo(dc, 17, 3);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
  SelectObject(dc, old);
  DeleteDC(dc);
  return picture;
}

void TFormMain::Show(int showCommand) {
  Fire(kFormMainLayout[kRowFormMain].onShow);
  ShowWindow(Window(), showCommand);
  UpdateWindow(Window());
  // A window activated while FormShow still ran (by an object taking the
  // focus) gets no new WM_ACTIVATE from being shown: its first activation
  // after the show is now.
  if (GetActiveWindow() == Window()) Fire(kFormMainLayout[kRowFormMain].onActivate);
}

void TFormMain::Fire(FormEvent event) {
  if (!event || !core_) return;
  FormMainCore& core = *core_;
  RunHandler(*this, [&] { (core.*event)(); });
}

const Component* TFormMain::RowOfId(int id) const {
  for (const Component& c : kFormMainLayout) {
    if (c.id == id && id != 0) return &c;
  }
  return nullptr;
}

LRESULT CALLBACK TFormMain::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TFormMain*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    self = static_cast<TFormMain*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->windows_[kRowFormMain] = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    for (HWND& w : self->windows_) w = nullptr;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    // Nothing may unwind through the system's frames.
    ShowEscapedError(*self);
    return 0;
  }
}

LRESULT TFormMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND window = Window();
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_SIZE:
      OnSize();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) Fire(kFormMainLayout[kRowFormMain].onActivate);
      return DefWindowProcW(window, message, wParam, lParam);
    case WM_CLOSE:
      // FormClose lets the close go on in every case, so the window goes.
      Fire(kFormMainLayout[kRowFormMain].onClose);
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

void TFormMain::OnCommand(int id, int code) {
  if (id == IDOK) {
    // Enter, sent by the dialog manager: it presses CreateButton only when
    // the button has the focus.
    if (GetFocus() == windows_[kRowCreateButton]) {
      Fire(kFormMainLayout[kRowCreateButton].onClick);
    }
    return;
  }
  const Component* c = RowOfId(id);
  if (c && c->onClick && code == BN_CLICKED) Fire(c->onClick);
}

LRESULT TFormMain::OnNotify(NMHDR* header) {
  if (!header) return 0;
  const Component* c = nullptr;
  if (header->code == TBN_GETINFOTIPW) {
    auto* tip = reinterpret_cast<NMTBGETINFOTIPW*>(header);
    c = RowOfId(tip->iItem);
    if (c && c->hint && tip->pszText && tip->cchTextMax > 0) {
      lstrcpynW(tip->pszText, c->hint, tip->cchTextMax);
    }
    return 0;
  }
  if (header->code == TTN_GETDISPINFOW) {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    c = RowOfId(static_cast<int>(header->idFrom));
    if (c && c->hint) {
      info->lpszText = const_cast<wchar_t*>(c->hint);
      info->hinst = nullptr;
    }
    return 0;
  }
  return 0;
}

void TFormMain::OnSize() {
  const HWND window = Window();
  if (!window) return;
  RECT client;
  GetClientRect(window, &client);
  const int width = client.right;
  const int height = client.bottom;
  // PanelOptions at the top, ToolBarMain at the top of the panel,
  // OleContainerTarvelAX filling the rest.
  const Component& panel = kFormMainLayout[kRowPanelOptions];
  const Component& toolBar = kFormMainLayout[kRowToolBarMain];
  if (windows_[kRowPanelOptions]) {
    MoveWindow(windows_[kRowPanelOptions], 0, 0, width, panel.height, TRUE);
  }
  if (windows_[kRowToolBarMain]) {
    const int margin = toolBar.left;
    MoveWindow(windows_[kRowToolBarMain], margin, toolBar.top, width - 2 * margin, toolBar.height,
               TRUE);
  }
  if (windows_[kRowOleContainer]) {
    const int top = panel.height;
    MoveWindow(windows_[kRowOleContainer], 0, top, width, height > top ? height - top : 0, TRUE);
  }
}

LRESULT CALLBACK TFormMain::PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
      // The form handles what its components report.
      return SendMessageW(GetParent(window), message, wParam, lParam);
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      RECT rect;
      GetClientRect(window, &rect);
      DrawEdge(dc, &rect, BDR_RAISEDINNER, BF_RECT);
      EndPaint(window, &paint);
      return 0;
    }
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

LRESULT CALLBACK TFormMain::ComboEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<TFormMain*>(data);
  if (message == WM_CHAR && wParam >= L' ') {
    const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    try {
      self->CompleteComboText();
    } catch (...) {
      ShowEscapedError(*self);
    }
    return result;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(window, ComboEditProc, 1);
  return DefSubclassProc(window, message, wParam, lParam);
}

void TFormMain::CompleteComboText() {
  const HWND combo = windows_[kRowComboBoxObjects];
  if (!combo || !comboEdit_) return;
  const std::wstring typed = WindowText(comboEdit_);
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(comboEdit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  // Only text typed at its end is completed.
  if (start != end || end != typed.size()) return;
  const int index = FindCompletion(ComboItems(), WideToUtf8(typed));
  if (index < 0) return;
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  std::wstring item = Utf8ToWide(ComboItems()[static_cast<std::size_t>(index)]);
  // The typed characters stay as typed; the rest of the entry follows,
  // selected, so that typing on replaces it.
  const std::wstring text = typed + (item.size() > typed.size() ? item.substr(typed.size()) : L"");
  SetWindowTextW(comboEdit_, text.c_str());
  SendMessageW(comboEdit_, EM_SETSEL, typed.size(), -1);
}

// ---- MainView ----

std::string TFormMain::ComboText() { return WideToUtf8(WindowText(windows_[kRowComboBoxObjects])); }

void TFormMain::SetComboText(const std::string& text) {
  SetWindowTextW(windows_[kRowComboBoxObjects], Utf8ToWide(text).c_str());
}

std::vector<std::string> TFormMain::ComboItems() {
  const HWND combo = windows_[kRowComboBoxObjects];
  std::vector<std::string> items;
  const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length < 0) {
      items.emplace_back();
      continue;
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    items.push_back(WideToUtf8(text));
  }
  return items;
}

void TFormMain::InsertComboItemAtTop(const std::string& text) {
  const std::wstring item = Utf8ToWide(text);
  SendMessageW(windows_[kRowComboBoxObjects], CB_INSERTSTRING, 0,
               reinterpret_cast<LPARAM>(item.c_str()));
}

WindowBounds TFormMain::Bounds() {
  RECT rect = {};
  GetWindowRect(Window(), &rect);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void TFormMain::SetBounds(const WindowBounds& b) {
  SetWindowPos(Window(), nullptr, b.left, b.top, b.width, b.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TFormMain::OnTopButtonDown() {
  return SendMessageW(windows_[kRowToolBarMain], TB_ISBUTTONCHECKED, kIdToolButtonOnTop, 0) != 0;
}

void TFormMain::PlaceTopMost(bool topMost, const WindowBounds& b) {
  SetWindowPos(Window(), topMost ? HWND_TOPMOST : HWND_NOTOPMOST, b.left, b.top, b.width,
               b.height, SWP_SHOWWINDOW);
}

void TFormMain::ShowMessage(const std::string& text) {
  ShowSimpleMessage(Window(), applicationTitle_, Utf8ToWide(text));
}

void TFormMain::ShowException(const std::string& text) {
  ShowExceptionBox(Window(), applicationTitle_, Utf8ToWide(text));
}

}  // namespace tarvelax
