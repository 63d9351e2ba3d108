#include "tools/qelhost/browser_frame.h"

#include <commctrl.h>

#include <cstdio>

#include "tools/qelhost/event_log.h"
#include "tools/qelhost/host_application.h"
#include "tools/qelhost/web_browser.h"

namespace {

constexpr char kFrameProperty[] = "QelHostFrame";
constexpr char kTitle[] = "Qel host";
constexpr int kAddressHeight = 22;

std::string HResultText(HRESULT hr) {
  char text[16];
  std::snprintf(text, sizeof(text), "0x%08lX", static_cast<unsigned long>(hr));
  return text;
}

// The file name the module itself would report: the loaded module when the
// process has it, else the registered path.
std::string ModuleFileOf(const std::string& server_path) {
  if (server_path.empty()) return "";
  HMODULE module = GetModuleHandleA(server_path.c_str());
  if (module == nullptr) return server_path;
  char name[MAX_PATH];
  DWORD length = GetModuleFileNameA(module, name, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return server_path;
  return std::string(name, length);
}

}  // namespace

BrowserFrame::BrowserFrame(int number, EventLog* log, HostApplication* app)
    : number_(number), log_(log), app_(app) {
  LARGE_INTEGER frequency;
  if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0) {
    ticks_per_second_ = frequency.QuadPart;
  }
}

BrowserFrame::~BrowserFrame() { Close(); }

bool BrowserFrame::RegisterClasses(HINSTANCE instance) {
  HBRUSH face = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  return RegisterWindowClass(instance, kFrameClass, 0, face) &&
         Pane::RegisterWindowClass(instance, kContainerClass, 0, face) &&
         Pane::RegisterWindowClass(instance, kViewClass, 0,
                                   static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

bool BrowserFrame::Create(int x, int y, int width, int height) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!RegisterClasses(instance)) return false;
  // Topmost: with no window manager (Xvfb) nothing else keeps the frame
  // above other programs' windows, and real clicks must land on it.
  CreateWindowExA(WS_EX_TOPMOST, kFrameClass, kTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, x, y,
                  width, height, nullptr, nullptr, instance, this);
  if (window_ == nullptr) return false;
  handle_ = window_;
  thread_id_ = GetCurrentThreadId();
  CreateWindowExA(0, kContainerClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                  0, 0, width, kAddressHeight, window_, nullptr, instance, &container_);
  if (container_.window() == nullptr) return false;
  rebar_ =
      CreateWindowExA(0, REBARCLASSNAMEA, "",
                      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | RBS_VARHEIGHT |
                          RBS_BANDBORDERS | CCS_NODIVIDER | CCS_NOPARENTALIGN,
                      0, 0, width, kAddressHeight, container_.window(), nullptr, instance, nullptr);
  if (rebar_ == nullptr) return false;
  REBARINFO bar = {};
  bar.cbSize = sizeof(bar);
  SendMessageA(rebar_, RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(&bar));
  font_.reset(CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_SWISS, "Tahoma"));
  if (!InsertAddressBand()) return false;
  // Watch the rebar from now on: bands of others are logged.
  SetPropA(rebar_, kFrameProperty, this);
  rebar_proc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(rebar_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RebarProc)));
  CreateWindowExA(WS_EX_CLIENTEDGE, kViewClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0,
                  kAddressHeight, width, height, window_, nullptr, instance, &view_);
  if (view_.window() == nullptr) return false;
  // Helper objects look for the rebar down the chain of first children:
  // the container must come first among the frame's children.
  SetWindowPos(container_.window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Layout();
  ShowWindow(window_, SW_SHOWNORMAL);
  UpdateWindow(window_);
  SetForegroundWindow(window_);
  open_ = true;
  return true;
}

bool BrowserFrame::InsertAddressBand() {
  address_edit_ =
      CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", address_.c_str(),
                      WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | ES_READONLY, 0, 0, 100,
                      kAddressHeight, rebar_, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (address_edit_ == nullptr) return false;
  if (font_ != nullptr) {
    SendMessageA(address_edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), 0);
  }
  char text[] = "Address";
  REBARBANDINFOA band = {};
  band.cbSize = REBARBANDINFOA_V6_SIZE;
  band.fMask = RBBIM_STYLE | RBBIM_TEXT | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_ID | RBBIM_SIZE;
  band.fStyle = RBBS_CHILDEDGE;
  band.lpText = text;
  band.hwndChild = address_edit_;
  band.cxMinChild = 100;
  band.cyMinChild = kAddressHeight;
  band.cx = 400;
  band.wID = kAddressBandId;
  return SendMessageA(rebar_, RB_INSERTBANDA, static_cast<WPARAM>(-1),
                      reinterpret_cast<LPARAM>(&band)) != 0;
}

void BrowserFrame::LoadHelpers(const std::vector<HelperClass>& helpers) {
  for (const HelperClass& helper : helpers) {
    if (closing_) break;
    LoadedHelper loaded;
    loaded.helper = helper;
    helpers_.push_back(loaded);
    std::size_t index = helpers_.size() - 1;
    loading_helper_ = static_cast<int>(index);
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    load_start_ = start.QuadPart;
    ComPtr<IUnknown> unknown;
    HRESULT hr = CoCreateInstance(helper.clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                  reinterpret_cast<void**>(unknown.GetAddressOf()));
    helpers_[index].create_ms = MillisecondsSince(load_start_);
    if (FAILED(hr) || unknown == nullptr) {
      log_->Write("helper " + helper.name + " not created: " + HResultText(hr));
      continue;
    }
    ComPtr<IObjectWithSite> object;
    hr = unknown.As(&object);
    unknown.Reset();
    if (FAILED(hr) || object == nullptr) {
      log_->Write("helper " + helper.name + " not created: no IObjectWithSite");
      continue;
    }
    helpers_[index].object = object;
    helpers_[index].module_file = ModuleFileOf(helper.server_path);
    LARGE_INTEGER site_start;
    QueryPerformanceCounter(&site_start);
    // The result says nothing useful: a helper may fail SetSite on purpose
    // and still have set itself up.
    object->SetSite(static_cast<IWebBrowser2*>(browser_.Get()));
    helpers_[index].set_site_ms = MillisecondsSince(site_start.QuadPart);
  }
  loading_helper_ = -1;
  if (foreign_bands_ == 0) log_->Write("toolbar none");
}

std::vector<std::string> BrowserFrame::TimingLines() const {
  std::vector<std::string> lines;
  for (const LoadedHelper& loaded : helpers_) {
    char line[256];
    char band[32];
    if (loaded.band_ms >= 0) {
      std::snprintf(band, sizeof(band), "%.1f ms", loaded.band_ms);
    } else {
      std::snprintf(band, sizeof(band), "none");
    }
    char set_site[32];
    if (loaded.set_site_ms >= 0) {
      std::snprintf(set_site, sizeof(set_site), "%.1f ms", loaded.set_site_ms);
    } else {
      std::snprintf(set_site, sizeof(set_site), "none");
    }
    std::snprintf(line, sizeof(line), "timing frame=%d helper=%s create=%.1f ms setsite=%s band=%s",
                  number_, loaded.helper.name.c_str(), loaded.create_ms, set_site, band);
    lines.push_back(line);
  }
  return lines;
}

void BrowserFrame::Close() {
  if (released_) return;
  released_ = true;
  closing_ = true;
  open_ = false;
  if (browser_ != nullptr) browser_->FireQuit();
  // As the browser does: the site goes first, then the browser's reference.
  for (LoadedHelper& loaded : helpers_) {
    if (loaded.object == nullptr) continue;
    loaded.object->SetSite(nullptr);
    loaded.object.Reset();
  }
  if (browser_ != nullptr) {
    browser_->Detach();
    browser_.Reset();
  }
  if (window_ != nullptr) DestroyWindow(window_);
}

void BrowserFrame::SetAddressBarVisible(bool visible) {
  if (closing_) return;
  log_->Write(visible ? "addressbar shown" : "addressbar hidden");
  address_bar_visible_ = visible;
  LRESULT index = SendMessageA(rebar_, RB_IDTOINDEX, kAddressBandId, 0);
  if (index >= 0) SendMessageA(rebar_, RB_SHOWBAND, static_cast<WPARAM>(index), visible);
  Layout();
}

void BrowserFrame::Navigate(const std::string& address) {
  log_->Write("navigate " + address);
  if (closing_ || browser_ == nullptr) return;
  if (!browser_->FireBeforeNavigate2(address)) return;
  // The page "arrives" later, from the message loop, as with a real page.
  pending_navigations_.push_back(address);
  PostMessageA(window_, kNavigatedMessage, 0, 0);
}

void BrowserFrame::FinishNavigation() {
  if (pending_navigations_.empty()) return;
  std::string address = pending_navigations_.front();
  pending_navigations_.pop_front();
  address_ = address;
  SetWindowTextA(address_edit_, address_.c_str());
  SetWindowTextA(window_, (std::string(kTitle) + " - " + address_).c_str());
  InvalidateRect(view_.window(), nullptr, TRUE);
  if (browser_ != nullptr) browser_->FireNavigationComplete(address);
}

UINT BrowserFrame::BandIdAt(int index) const {
  REBARBANDINFOA band = {};
  band.cbSize = REBARBANDINFOA_V6_SIZE;
  band.fMask = RBBIM_ID;
  if (index < 0 || !SendMessageA(rebar_, RB_GETBANDINFOA, static_cast<WPARAM>(index),
                                 reinterpret_cast<LPARAM>(&band))) {
    return static_cast<UINT>(-1);
  }
  return band.wID;
}

void BrowserFrame::OnBandInserted(UINT id) {
  ++foreign_bands_;
  if (loading_helper_ >= 0 && helpers_[loading_helper_].band_ms < 0) {
    helpers_[loading_helper_].band_ms = MillisecondsSince(load_start_);
  }
  LRESULT index = SendMessageA(rebar_, RB_IDTOINDEX, id, 0);
  REBARBANDINFOA band = {};
  band.cbSize = REBARBANDINFOA_V6_SIZE;
  band.fMask = RBBIM_CHILDSIZE | RBBIM_CHILD;
  SendMessageA(rebar_, RB_GETBANDINFOA, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(&band));
  log_->Write("band id=" + std::to_string(id) + " height=" + std::to_string(band.cyMinChild));
}

double BrowserFrame::MillisecondsSince(LONGLONG start) const {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart - start) * 1000.0 /
         static_cast<double>(ticks_per_second_);
}

void BrowserFrame::Layout() {
  if (window_ == nullptr || rebar_ == nullptr) return;
  RECT client;
  GetClientRect(window_, &client);
  int width = client.right - client.left;
  int height = client.bottom - client.top;
  int bar = static_cast<int>(SendMessageA(rebar_, RB_GETBARHEIGHT, 0, 0));
  MoveWindow(container_.window(), 0, 0, width, bar, TRUE);
  MoveWindow(rebar_, 0, 0, width, bar, TRUE);
  if (view_.window() != nullptr) {
    MoveWindow(view_.window(), 0, bar, width, height > bar ? height - bar : 0, TRUE);
  }
}

void BrowserFrame::PaintView() {
  const PaintDc paint(view_.window());
  const HDC dc = paint.get();
  RECT client;
  GetClientRect(view_.window(), &client);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const SelectedObject selected = Select(dc, font_.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  RECT text = client;
  InflateRect(&text, -8, -8);
  DrawTextA(dc, address_.c_str(), -1, &text, DT_LEFT | DT_TOP | DT_NOPREFIX | DT_WORDBREAK);
}

LRESULT BrowserFrame::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NCCREATE:
      browser_.Attach(new WebBrowser(this));
      return DefaultHandling(message, wparam, lparam);
    case WM_SIZE:
      Layout();
      return 0;
    case WM_CLOSE:
      Close();
      return 0;
    case kNavigatedMessage:
      FinishNavigation();
      return 0;
    case kLayoutMessage:
      Layout();
      return 0;
    case WM_NCDESTROY:
      closing_ = true;
      open_ = false;
      app_->OnFrameClosed(this);
      return DefaultHandling(message, wparam, lparam);
    default:
      return DefaultHandling(message, wparam, lparam);
  }
}

LRESULT BrowserFrame::HandleContainerMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NOTIFY && window_ != nullptr) {
    auto header = reinterpret_cast<const NMHDR*>(lparam);
    if (header != nullptr && header->code == RBN_HEIGHTCHANGE) {
      PostMessageA(window_, kLayoutMessage, 0, 0);
    }
    return 0;
  }
  return container_.DefaultHandling(message, wparam, lparam);
}

LRESULT BrowserFrame::HandleViewMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT) {
    PaintView();
    return 0;
  }
  return view_.DefaultHandling(message, wparam, lparam);
}

LRESULT BrowserFrame::HandleRebarMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  HWND rebar = rebar_;
  WNDPROC original = rebar_proc_;
  switch (message) {
    case RB_INSERTBANDA:
    case RB_INSERTBANDW: {
      // Both structures keep wID at the same place; only the text differs.
      auto band = reinterpret_cast<const REBARBANDINFOA*>(lparam);
      UINT id = 0;
      if (band != nullptr && band->cbSize >= REBARBANDINFOA_V3_SIZE && (band->fMask & RBBIM_ID)) {
        id = band->wID;
      }
      LRESULT result = CallWindowProcA(original, rebar, message, wparam, lparam);
      if (result != 0 && id != kAddressBandId) OnBandInserted(id);
      PostMessageA(window_, kLayoutMessage, 0, 0);
      return result;
    }
    case RB_SHOWBAND: {
      UINT id = BandIdAt(static_cast<int>(wparam));
      LRESULT result = CallWindowProcA(original, rebar, message, wparam, lparam);
      if (id != static_cast<UINT>(-1) && id != kAddressBandId && lparam == FALSE) {
        log_->Write("band hidden");
      }
      PostMessageA(window_, kLayoutMessage, 0, 0);
      return result;
    }
    case RB_DELETEBAND:
      PostMessageA(window_, kLayoutMessage, 0, 0);
      break;
    case WM_NCDESTROY:
      SetWindowLongPtrA(rebar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
      RemovePropA(rebar, kFrameProperty);
      rebar_ = nullptr;
      break;
    default:
      break;
  }
  return CallWindowProcA(original, rebar, message, wparam, lparam);
}

LRESULT CALLBACK BrowserFrame::RebarProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto frame = static_cast<BrowserFrame*>(GetPropA(window, kFrameProperty));
  if (frame == nullptr) return DefWindowProcA(window, message, wparam, lparam);
  return frame->HandleRebarMessage(message, wparam, lparam);
}
