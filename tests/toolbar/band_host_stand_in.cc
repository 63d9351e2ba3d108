#include "tests/toolbar/band_host_stand_in.h"

#include "tests/toolbar/gui_driver.h"
#include "toolbar/toolbar_messages.h"

namespace {
const char kClassName[] = "QelTestBandHost";
constexpr UINT kSettleMarker = WM_APP + 7;
}  // namespace

BandHostStandIn::~BandHostStandIn() {
  if (window_ != nullptr && IsWindow(window_)) DestroyWindow(window_);
  PumpPending();
}

bool BandHostStandIn::Create(int x, int y, int width, int height) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA existing;
  if (!GetClassInfoA(instance, kClassName, &existing)) {
    WNDCLASSA window_class = {};
    window_class.lpfnWndProc = WindowProc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    window_class.lpszClassName = kClassName;
    if (RegisterClassA(&window_class) == 0) return false;
  }
  window_ = CreateWindowExA(WS_EX_TOPMOST, kClassName, "", WS_POPUP | WS_CLIPCHILDREN, x, y, width,
                            height, nullptr, nullptr, instance, this);
  if (window_ == nullptr) return false;
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  SetActiveWindow(window_);
  UpdateWindow(window_);
  PumpPending();
  return true;
}

bool BandHostStandIn::Settle() {
  const int expected = settled_ + 1;
  PostMessageA(window_, kSettleMarker, 0, 0);
  return PumpUntil([&] { return settled_ >= expected; });
}

std::vector<BandHostStandIn::Notice> BandHostStandIn::Of(UINT message) const {
  std::vector<Notice> found;
  for (const Notice& notice : notices) {
    if (notice.message == message) found.push_back(notice);
  }
  return found;
}

void BandHostStandIn::Clear() {
  notices.clear();
  keys.clear();
}

LRESULT CALLBACK BandHostStandIn::WindowProc(HWND window, UINT message, WPARAM wparam,
                                             LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* created = reinterpret_cast<CREATESTRUCTA*>(lparam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created->lpCreateParams));
    return DefWindowProcA(window, message, wparam, lparam);
  }
  auto* self = reinterpret_cast<BandHostStandIn*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcA(window, message, wparam, lparam);
  switch (message) {
    case UM_TEXTSUBMITTED:
    case UM_COMBOCHOSEN:
    case UM_MENUCLOSED: {
      const char* text = reinterpret_cast<const char*>(lparam);
      self->notices.push_back(Notice{message, wparam, lparam, text != nullptr ? text : "<null>"});
      return 0;
    }
    case UM_BUTTONCLICKED: {
      const auto* record = reinterpret_cast<const ButtonClickRecord*>(lparam);
      self->notices.push_back(
          Notice{message, wparam, lparam,
                 record != nullptr && record->name != nullptr ? record->name : "<null>"});
      return 0;
    }
    case UM_MENUCHOSEN:
    case UM_UNINSTALL:
    case WM_COMMAND:
      self->notices.push_back(Notice{message, wparam, lparam, ""});
      return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR: {
      MSG key = {window, message, wparam, lparam, 0, {0, 0}};
      self->keys.push_back(key);
      return 0;
    }
    case kSettleMarker:
      ++self->settled_;
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      self->window_ = nullptr;
      return DefWindowProcA(window, message, wparam, lparam);
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}
