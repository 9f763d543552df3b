// Identity of the sample control: its class identifier, programmatic
// identifiers and the names it shows and registers.
#pragma once

#include <windows.h>
#include <ole2.h>

namespace tarvelax::sample {

// {D3074CE3-FAD4-4E38-92A1-9D823E679F8B}
inline constexpr CLSID kSampleClsid = {
    0xd3074ce3, 0xfad4, 0x4e38, {0x92, 0xa1, 0x9d, 0x82, 0x3e, 0x67, 0x9f, 0x8b}};
inline constexpr wchar_t kSampleClsidText[] = L"{D3074CE3-FAD4-4E38-92A1-9D823E679F8B}";

inline constexpr wchar_t kProgId[] = L"TarvelAX.Sample.1";
inline constexpr wchar_t kVersionIndependentProgId[] = L"TarvelAX.Sample";
inline constexpr wchar_t kFullUserType[] = L"TarvelAX Sample Control";
inline constexpr wchar_t kShortUserType[] = L"TarvelAX.Sample";
inline constexpr wchar_t kAppUserType[] = L"TarvelAX Sample";

// The control's own child window class, and the name it shows (also the
// start of the window's text, which goes on with the host names and the
// counter: "TarvelAX.Sample | Application: A | Container: C | Clicks: N").
inline constexpr wchar_t kWindowClassName[] = L"TarvelAXSampleWindow";
inline constexpr wchar_t kWindowTitle[] = L"TarvelAX.Sample";

// What the control tells containers about itself (IOleObject::GetMiscStatus
// and the MiscStatus registry value agree).
inline constexpr DWORD kMiscStatus = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE |
                                     OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE |
                                     OLEMISC_SETCLIENTSITEFIRST;

}  // namespace tarvelax::sample
