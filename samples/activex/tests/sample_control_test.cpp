// The sample control embedded as a container embeds it: OleCreate on a
// storage in memory with a client site, host names, the show verb into a
// real top-level window, resizing, clicks, saving, closing and release.
#include <windows.h>
#include <ole2.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>

#include "../sample_ids_win32.h"
#include "../sample_state_win32.h"
#include "test_site_win32.h"
#include "test_support_win32.h"

using Microsoft::WRL::ComPtr;

namespace tarvelax::sample::testing {
namespace {

constexpr RECT kPosition = {20, 30, 380, 250};

ComPtr<IStorage> CreateMemoryStorage() {
  ComPtr<ILockBytes> bytes;
  ComPtr<IStorage> storage;
  if (FAILED(CreateILockBytesOnHGlobal(nullptr, TRUE, &bytes))) return nullptr;
  if (FAILED(StgCreateDocfileOnILockBytes(
          bytes.Get(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, &storage))) {
    return nullptr;
  }
  return storage;
}

void PostClick(HWND window) {
  const LPARAM at = MAKELPARAM(40, 60);
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(window, WM_LBUTTONUP, 0, at);
}

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

class EmbeddedSample : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(RegisterSampleForTests(), S_OK);
    host_ = CreateHostWindow(L"Sampletest", 400, 280);
    ASSERT_NE(host_, nullptr);
    storage_ = CreateMemoryStorage();
    ASSERT_NE(storage_, nullptr);
    site_ = std::make_unique<TestSite>(host_, kPosition, storage_.Get());

    CLSID clsid = {};
    ASSERT_EQ(CLSIDFromProgID(L"TarvelAX.Sample", &clsid), S_OK);
    ASSERT_EQ(OleCreate(clsid, IID_IOleObject, OLERENDER_DRAW, nullptr, Site(), storage_.Get(),
                        reinterpret_cast<void**>(object_.GetAddressOf())),
              S_OK);
    ASSERT_NE(object_, nullptr);
    site_->SetObject(object_.Get());
    ASSERT_EQ(object_->SetHostNames(L"Sampletest", L"OleContainerTarvelAX"), S_OK);
    ASSERT_EQ(object_->Advise(static_cast<IAdviseSink*>(site_.get()), &advise_), S_OK);
  }

  void TearDown() override {
    if (object_) {
      object_->Close(OLECLOSE_NOSAVE);
      object_->Unadvise(advise_);
      object_->SetClientSite(nullptr);
      object_.Reset();
    }
    if (host_) DestroyWindow(host_);
    PumpFor(0);
  }

  IOleClientSite* Site() { return static_cast<IOleClientSite*>(site_.get()); }

  HRESULT Show() {
    return object_->DoVerb(OLEIVERB_SHOW, nullptr, Site(), 0, host_, &kPosition);
  }

  HWND ControlWindow() const {
    return FindWindowExW(host_, nullptr, kWindowClassName, nullptr);
  }

  // Posts count clicks to the control's window and waits until the
  // counter shows them.
  bool Click(int count) {
    HWND window = ControlWindow();
    if (!window) return false;
    const std::int64_t target = SavedClicks(object_.Get()) + count;
    for (int i = 0; i < count; ++i) PostClick(window);
    return PumpUntil([&] { return SavedClicks(object_.Get()) == target; });
  }

  HWND host_ = nullptr;
  ComPtr<IStorage> storage_;
  std::unique_ptr<TestSite> site_;
  ComPtr<IOleObject> object_;
  DWORD advise_ = 0;
};

TEST_F(EmbeddedSample, ShowVerbActivatesInPlaceInItsOwnChildWindow) {
  EXPECT_EQ(ControlWindow(), nullptr);
  ASSERT_EQ(Show(), S_OK);
  HWND window = ControlWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(GetParent(window), host_);
  EXPECT_TRUE(SameRect(RectInParent(window), kPosition));

  EXPECT_EQ(site_->in_place_activations, 1);
  EXPECT_EQ(site_->ui_activations, 1);
  EXPECT_EQ(site_->show_object_calls, 1);
  ComPtr<IOleInPlaceActiveObject> active;
  ASSERT_EQ(object_.As(&active), S_OK);
  EXPECT_EQ(site_->active_object, active.Get());

  ComPtr<IOleInPlaceObject> in_place;
  ASSERT_EQ(object_.As(&in_place), S_OK);
  HWND reported = nullptr;
  EXPECT_EQ(in_place->GetWindow(&reported), S_OK);
  EXPECT_EQ(reported, window);

  // Showing again keeps the one window.
  ASSERT_EQ(Show(), S_OK);
  EXPECT_EQ(ControlWindow(), window);
  EXPECT_EQ(FindWindowExW(host_, window, kWindowClassName, nullptr), nullptr);
  EXPECT_EQ(site_->in_place_activations, 1);

  // Keep the window up for a screenshot when asked (bounded).
  if (const char* hold = std::getenv("TARVELAX_SAMPLE_HOLD_MS")) {
    Click(3);
    PumpFor(static_cast<DWORD>(std::min(std::atoi(hold), 30000)));
  }
}

std::wstring WindowText(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

TEST_F(EmbeddedSample, WindowTextCarriesHostNamesAndCounter) {
  ASSERT_EQ(Show(), S_OK);
  HWND window = ControlWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(WindowText(window),
            L"TarvelAX.Sample | Application: Sampletest | Container: OleContainerTarvelAX | "
            L"Clicks: 0");
  ASSERT_EQ(object_->SetHostNames(L"Other", nullptr), S_OK);
  ASSERT_TRUE(Click(2));
  EXPECT_EQ(WindowText(window), L"TarvelAX.Sample | Application: Other | Container:  | Clicks: 2");
}

// Each verb a container may send, from the loaded state.
struct VerbRow {
  const char* name;
  LONG verb;
  HRESULT expected;
  bool window_shown;
  bool ui_active;
};

void PrintTo(const VerbRow& row, std::ostream* out) { *out << row.name; }

class EmbeddedSampleVerb : public EmbeddedSample, public ::testing::WithParamInterface<VerbRow> {};

TEST_P(EmbeddedSampleVerb, ActivatesAsTheVerbAsks) {
  const VerbRow& row = GetParam();
  EXPECT_EQ(object_->DoVerb(row.verb, nullptr, Site(), 0, host_, &kPosition), row.expected);
  HWND window = ControlWindow();
  EXPECT_EQ(window != nullptr && IsWindowVisible(window), row.window_shown);
  EXPECT_EQ(site_->ui_activations, row.ui_active ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Sample, EmbeddedSampleVerb,
    ::testing::Values(VerbRow{"Show", OLEIVERB_SHOW, S_OK, true, true},
                      VerbRow{"Primary", OLEIVERB_PRIMARY, S_OK, true, true},
                      VerbRow{"UiActivate", OLEIVERB_UIACTIVATE, S_OK, true, true},
                      VerbRow{"InPlaceActivate", OLEIVERB_INPLACEACTIVATE, S_OK, true, false},
                      VerbRow{"Open", OLEIVERB_OPEN, S_OK, true, true},
                      VerbRow{"UnknownPositive", 7, OLEOBJ_S_INVALIDVERB, true, true},
                      VerbRow{"DiscardUndoState", OLEIVERB_DISCARDUNDOSTATE, S_OK, false, false},
                      VerbRow{"UnknownNegative", -42, E_NOTIMPL, false, false}),
    [](const ::testing::TestParamInfo<VerbRow>& info) { return std::string(info.param.name); });

TEST_F(EmbeddedSample, HideThenShowReusesTheWindow) {
  ASSERT_EQ(Show(), S_OK);
  HWND window = ControlWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(object_->DoVerb(OLEIVERB_HIDE, nullptr, Site(), 0, host_, &kPosition), S_OK);
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(site_->ui_deactivations, 1);
  ASSERT_EQ(Show(), S_OK);
  EXPECT_EQ(ControlWindow(), window);
  EXPECT_TRUE(IsWindowVisible(window));
}

// A container that tears its window down before closing the object: the
// object notices and a later show starts in the site's new window.
TEST_F(EmbeddedSample, ShowAfterTheHostWindowWasDestroyedStartsAfresh) {
  ASSERT_EQ(Show(), S_OK);
  ASSERT_NE(ControlWindow(), nullptr);
  DestroyWindow(host_);
  host_ = CreateHostWindow(L"Sampletest", 400, 280);
  ASSERT_NE(host_, nullptr);
  site_->SetWindow(host_);
  ASSERT_EQ(Show(), S_OK);
  EXPECT_NE(ControlWindow(), nullptr);
  EXPECT_EQ(site_->in_place_deactivations, 1);
  EXPECT_EQ(site_->in_place_activations, 2);
}

TEST_F(EmbeddedSample, InPlaceActivateVerbLeavesUiInactive) {
  ASSERT_EQ(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, Site(), 0, host_, &kPosition),
            S_OK);
  ASSERT_NE(ControlWindow(), nullptr);
  EXPECT_EQ(site_->ui_activations, 0);
  // A click makes it the active object, as it does in any container.
  ASSERT_TRUE(Click(1));
  EXPECT_EQ(site_->ui_activations, 1);
  ASSERT_EQ(object_->DoVerb(OLEIVERB_UIACTIVATE, nullptr, Site(), 0, host_, &kPosition), S_OK);
  EXPECT_EQ(site_->ui_activations, 1);
}

TEST_F(EmbeddedSample, SetObjectRectsMovesResizesAndClips) {
  ASSERT_EQ(Show(), S_OK);
  HWND window = ControlWindow();
  ASSERT_NE(window, nullptr);
  ComPtr<IOleInPlaceObject> in_place;
  ASSERT_EQ(object_.As(&in_place), S_OK);

  const RECT larger = {0, 0, 400, 280};
  ASSERT_EQ(in_place->SetObjectRects(&larger, &larger), S_OK);
  EXPECT_TRUE(SameRect(RectInParent(window), larger));
  RECT box = {};
  EXPECT_EQ(GetWindowRgnBox(window, &box), ERROR);  // No region: all of it shows.

  const RECT moved = {50, 40, 250, 190};
  const RECT clip = {50, 40, 150, 190};
  ASSERT_EQ(in_place->SetObjectRects(&moved, &clip), S_OK);
  EXPECT_TRUE(SameRect(RectInParent(window), moved));
  RECT visible = {};
  ASSERT_NE(GetWindowRgnBox(window, &visible), ERROR);
  EXPECT_TRUE(SameRect(visible, RECT{0, 0, 100, 150}));
  EXPECT_EQ(ControlWindow(), window);
}

TEST_F(EmbeddedSample, PostedClicksRaiseTheCounter) {
  ASSERT_EQ(Show(), S_OK);
  EXPECT_EQ(SavedClicks(object_.Get()), 0);
  ComPtr<IPersistStorage> persist;
  ASSERT_EQ(object_.As(&persist), S_OK);
  ASSERT_TRUE(Click(1));
  EXPECT_EQ(persist->IsDirty(), S_OK);
  ASSERT_TRUE(Click(4));
  EXPECT_EQ(SavedClicks(object_.Get()), 5);
}

// In place, the control repaints its own window; only when inactive does
// it ask the container to redraw its picture.
TEST_F(EmbeddedSample, ViewChangesReachTheContainerOnlyWhenInactive) {
  ComPtr<IViewObject> view;
  ASSERT_EQ(object_.As(&view), S_OK);
  ASSERT_EQ(view->SetAdvise(DVASPECT_CONTENT, 0, static_cast<IAdviseSink*>(site_.get())), S_OK);
  ASSERT_EQ(Show(), S_OK);
  ASSERT_TRUE(Click(2));
  ASSERT_EQ(object_->SetHostNames(L"Renamed", L"OleContainerTarvelAX"), S_OK);
  EXPECT_EQ(site_->view_changes, 0);

  ComPtr<IOleInPlaceObject> in_place;
  ASSERT_EQ(object_.As(&in_place), S_OK);
  ASSERT_EQ(in_place->InPlaceDeactivate(), S_OK);
  EXPECT_EQ(ControlWindow(), nullptr);
  const int after_deactivation = site_->view_changes;
  ASSERT_EQ(object_->SetHostNames(L"Sampletest", L"OleContainerTarvelAX"), S_OK);
  EXPECT_EQ(site_->view_changes, after_deactivation + 1);
  ASSERT_EQ(view->SetAdvise(DVASPECT_CONTENT, 0, nullptr), S_OK);
}

TEST_F(EmbeddedSample, CloseSavesTheCounterIntoTheStorageAndLoadRestoresIt) {
  ASSERT_EQ(Show(), S_OK);
  ASSERT_TRUE(Click(3));
  ASSERT_EQ(object_->Close(OLECLOSE_SAVEIFDIRTY), S_OK);
  EXPECT_EQ(site_->save_object_calls, 1);
  EXPECT_EQ(StoredClicks(storage_.Get()), 3);
  ComPtr<IPersistStorage> persist;
  ASSERT_EQ(object_.As(&persist), S_OK);
  EXPECT_EQ(persist->IsDirty(), S_FALSE);
  // Closing a clean object saves nothing.
  ASSERT_EQ(object_->Close(OLECLOSE_SAVEIFDIRTY), S_OK);
  EXPECT_EQ(site_->save_object_calls, 1);

  // A second object loaded from that storage has the counter and counts on.
  ComPtr<IOleObject> reloaded;
  ASSERT_EQ(OleLoad(storage_.Get(), IID_IOleObject, Site(),
                    reinterpret_cast<void**>(reloaded.GetAddressOf())),
            S_OK);
  EXPECT_EQ(SavedClicks(reloaded.Get()), 3);
  object_->SetClientSite(nullptr);
  object_->Unadvise(advise_);
  object_ = reloaded;
  site_->SetObject(object_.Get());
  ASSERT_EQ(object_->Advise(static_cast<IAdviseSink*>(site_.get()), &advise_), S_OK);
  ASSERT_EQ(Show(), S_OK);
  ASSERT_TRUE(Click(2));
  EXPECT_EQ(SavedClicks(object_.Get()), 5);
}

TEST_F(EmbeddedSample, SaveIntoAnotherStorageThenSaveCompletedClearsDirty) {
  ASSERT_EQ(Show(), S_OK);
  ASSERT_TRUE(Click(2));
  ComPtr<IPersistStorage> persist;
  ASSERT_EQ(object_.As(&persist), S_OK);
  ComPtr<IStorage> other = CreateMemoryStorage();
  ASSERT_NE(other, nullptr);
  ASSERT_EQ(OleSave(persist.Get(), other.Get(), FALSE), S_OK);
  EXPECT_EQ(StoredClicks(other.Get()), 2);
  EXPECT_EQ(persist->IsDirty(), S_OK);  // Saved as a copy: still dirty.
  ASSERT_EQ(persist->SaveCompleted(nullptr), S_OK);
  EXPECT_EQ(persist->IsDirty(), S_OK);
  ASSERT_EQ(persist->HandsOffStorage(), S_OK);
  ASSERT_EQ(persist->SaveCompleted(other.Get()), S_OK);
  EXPECT_EQ(persist->IsDirty(), S_FALSE);
  EXPECT_GE(site_->saves, 1);
}

TEST_F(EmbeddedSample, CloseAndReleaseLeaveNoWindowAndNoReference) {
  ASSERT_EQ(Show(), S_OK);
  HWND window = ControlWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(object_->Close(OLECLOSE_SAVEIFDIRTY), S_OK);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(ControlWindow(), nullptr);
  EXPECT_EQ(site_->ui_deactivations, 1);
  EXPECT_EQ(site_->in_place_deactivations, 1);
  EXPECT_EQ(site_->closes, 1);
  EXPECT_EQ(site_->active_object, nullptr);

  ASSERT_EQ(object_->Unadvise(advise_), S_OK);
  ASSERT_EQ(object_->SetClientSite(nullptr), S_OK);
  EXPECT_EQ(object_.Reset(), 0u);
  EXPECT_EQ(site_->References(), 1u);  // Only the test's own.
  EXPECT_EQ(CallExport("DllCanUnloadNow"), S_OK);
}

TEST_F(EmbeddedSample, ReleaseWhileActiveTakesItsWindowAlong) {
  ASSERT_EQ(Show(), S_OK);
  HWND window = ControlWindow();
  ASSERT_NE(window, nullptr);
  object_->Unadvise(advise_);
  object_->SetClientSite(nullptr);
  object_.Reset();
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(EmbeddedSample, DrawsItsFaceWhenInactive) {
  ComPtr<IViewObject2> view;
  ASSERT_EQ(object_.As(&view), S_OK);
  SIZEL extent = {};
  ASSERT_EQ(view->GetExtent(DVASPECT_CONTENT, -1, nullptr, &extent), S_OK);
  EXPECT_GT(extent.cx, 0);
  EXPECT_GT(extent.cy, 0);

  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 320, 200);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  PatBlt(dc, 0, 0, 320, 200, WHITENESS);
  const RECTL bounds = {0, 0, 320, 200};
  EXPECT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr,
                       nullptr, 0),
            S_OK);
  // The title band across the top is the control's dark blue.
  const COLORREF band = GetPixel(dc, 160, 6);
  EXPECT_EQ(GetRValue(band), 0);
  EXPECT_EQ(GetBValue(band), 153);
  EXPECT_EQ(view->Draw(DVASPECT_ICON, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr,
                       nullptr, 0),
            DV_E_DVASPECT);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);

  // The same picture as a metafile for containers that cache one.
  ComPtr<IDataObject> data;
  ASSERT_EQ(object_.As(&data), S_OK);
  FORMATETC format = {CF_ENHMETAFILE, nullptr, DVASPECT_CONTENT, -1, TYMED_ENHMF};
  STGMEDIUM medium = {};
  ASSERT_EQ(data->GetData(&format, &medium), S_OK);
  EXPECT_EQ(medium.tymed, static_cast<DWORD>(TYMED_ENHMF));
  ReleaseStgMedium(&medium);
  format = {CF_METAFILEPICT, nullptr, DVASPECT_CONTENT, -1, TYMED_MFPICT};
  ASSERT_EQ(data->GetData(&format, &medium), S_OK);
  EXPECT_EQ(medium.tymed, static_cast<DWORD>(TYMED_MFPICT));
  ReleaseStgMedium(&medium);
  format = {CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  EXPECT_EQ(data->GetData(&format, &medium), DV_E_FORMATETC);
}

TEST_F(EmbeddedSample, ExtentRoundTripsAndRejectsNonsense) {
  SIZEL size = {10000, 6000};
  ASSERT_EQ(object_->SetExtent(DVASPECT_CONTENT, &size), S_OK);
  SIZEL read = {};
  ASSERT_EQ(object_->GetExtent(DVASPECT_CONTENT, &read), S_OK);
  EXPECT_EQ(read.cx, 10000);
  EXPECT_EQ(read.cy, 6000);
  SIZEL negative = {-5, 100};
  EXPECT_EQ(object_->SetExtent(DVASPECT_CONTENT, &negative), E_INVALIDARG);
  EXPECT_EQ(object_->SetExtent(DVASPECT_ICON, &size), DV_E_DVASPECT);
  ASSERT_EQ(object_->GetExtent(DVASPECT_CONTENT, &read), S_OK);
  EXPECT_EQ(read.cx, 10000);
}

TEST_F(EmbeddedSample, MiscStatusAndUserTypeAgreeWithTheRegistry) {
  DWORD status = 0;
  ASSERT_EQ(object_->GetMiscStatus(DVASPECT_CONTENT, &status), S_OK);
  DWORD registered = 0;
  ASSERT_EQ(OleRegGetMiscStatus(kSampleClsid, DVASPECT_CONTENT, &registered), S_OK);
  EXPECT_EQ(status, registered);
  EXPECT_TRUE(status & OLEMISC_INSIDEOUT);
  EXPECT_TRUE(status & OLEMISC_ACTIVATEWHENVISIBLE);

  LPOLESTR type = nullptr;
  ASSERT_EQ(object_->GetUserType(USERCLASSTYPE_SHORT, &type), S_OK);
  EXPECT_STREQ(type, L"TarvelAX.Sample");
  CoTaskMemFree(type);
  CLSID clsid = {};
  ASSERT_EQ(object_->GetUserClassID(&clsid), S_OK);
  EXPECT_TRUE(IsEqualCLSID(clsid, kSampleClsid));
}

// A storage that names the class but holds none of its data: the load
// fails with the storage's error and no object is left behind.
TEST_F(EmbeddedSample, LoadFromAStorageWithoutItsStreamFails) {
  ComPtr<IStorage> empty = CreateMemoryStorage();
  ASSERT_NE(empty, nullptr);
  ASSERT_EQ(WriteClassStg(empty.Get(), kSampleClsid), S_OK);
  ComPtr<IOleObject> loaded;
  EXPECT_EQ(OleLoad(empty.Get(), IID_IOleObject, Site(),
                    reinterpret_cast<void**>(loaded.GetAddressOf())),
            STG_E_FILENOTFOUND);
  EXPECT_EQ(loaded, nullptr);
}

// A record read back from a stream: what a damaged or foreign one gives,
// and that a failed load leaves the object as it was.
struct RecordRow {
  const char* name;
  std::basic_string<unsigned char> bytes;
  HRESULT expected;
};

void PrintTo(const RecordRow& row, std::ostream* out) { *out << row.name; }

class StoredRecord : public ::testing::TestWithParam<RecordRow> {};

std::basic_string<unsigned char> Record(std::uint32_t tag, std::uint32_t clicks, std::uint32_t cx,
                                        std::uint32_t cy) {
  std::basic_string<unsigned char> bytes;
  for (std::uint32_t value : {tag, clicks, cx, cy}) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
  }
  return bytes;
}

constexpr std::uint32_t kTag = 0x31535854;

TEST_P(StoredRecord, LoadsOrFailsCleanly) {
  ASSERT_EQ(RegisterSampleForTests(), S_OK);
  ComPtr<IPersistStreamInit> persist;
  ASSERT_EQ(CoCreateInstance(kSampleClsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&persist)),
            S_OK);
  ComPtr<IStream> stream;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
  const auto& bytes = GetParam().bytes;
  ASSERT_EQ(stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr), S_OK);
  const LARGE_INTEGER start = {};
  stream->Seek(start, STREAM_SEEK_SET, nullptr);

  EXPECT_EQ(persist->Load(stream.Get()), GetParam().expected);
  if (GetParam().expected == S_OK) {
    EXPECT_EQ(SavedClicks(persist.Get()), 7);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);
  } else {
    // Nothing was taken from the bad record: the object can start afresh.
    EXPECT_EQ(persist->InitNew(), S_OK);
    EXPECT_EQ(SavedClicks(persist.Get()), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Sample, StoredRecord,
    ::testing::Values(RecordRow{"Valid", Record(kTag, 7, 8000, 4000), S_OK},
                      RecordRow{"Empty", {}, STG_E_READFAULT},
                      RecordRow{"Short", Record(kTag, 7, 8000, 4000).substr(0, 10),
                                STG_E_READFAULT},
                      RecordRow{"ForeignTag", Record(0x12345678, 7, 8000, 4000),
                                STG_E_INVALIDHEADER},
                      RecordRow{"ZeroExtent", Record(kTag, 7, 0, 4000), STG_E_INVALIDHEADER},
                      RecordRow{"NegativeExtent", Record(kTag, 7, 8000, 0xFFFFFFF0u),
                                STG_E_INVALIDHEADER}),
    [](const ::testing::TestParamInfo<RecordRow>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarvelax::sample::testing
