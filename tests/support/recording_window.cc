#include "tests/support/recording_window.h"

#include "tests/support/gui_driver.h"
#include "toolbar/toolbar_messages.h"

namespace {
const char kClassName[] = "QelTestRecorder";
constexpr UINT kSettleMarker = WM_APP + 7;

std::string TextOrNull(const char* text) { return text != nullptr ? text : "<null>"; }
}  // namespace

RecordingWindow::~RecordingWindow() {
  if (window_ != nullptr && IsWindow(window_)) DestroyWindow(window_);
  PumpPending();
}

bool RecordingWindow::Create(int x, int y, int width, int height, Shown shown) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!RegisterWindowClass(instance, kClassName, 0, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1))) {
    return false;
  }
  const bool foreground = shown == Shown::kForeground;
  CreateWindowExA(shown == Shown::kHidden ? 0 : WS_EX_TOPMOST, kClassName, "",
                  WS_POPUP | (foreground ? WS_CLIPCHILDREN : 0), x, y, width, height, nullptr,
                  nullptr, instance, this);
  if (window_ == nullptr) return false;
  if (foreground) {
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    SetActiveWindow(window_);
    UpdateWindow(window_);
  } else if (shown == Shown::kTopmost) {
    SetWindowPos(window_, HWND_TOPMOST, x, y, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    UpdateWindow(window_);
  }
  PumpPending();
  return true;
}

bool RecordingWindow::Settle() {
  const int expected = settled_ + 1;
  PostMessageA(window_, kSettleMarker, 0, 0);
  return PumpUntil([&] { return settled_ >= expected; });
}

std::vector<RecordingWindow::Notice> RecordingWindow::Of(UINT message) const {
  std::vector<Notice> found;
  for (const Notice& notice : notices) {
    if (notice.message == message) found.push_back(notice);
  }
  return found;
}

void RecordingWindow::Clear() {
  notices.clear();
  keys.clear();
}

LRESULT RecordingWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case UM_TEXTSUBMITTED:
    case UM_COMBOCHOSEN:
    case UM_MENUCLOSED:
      notices.push_back(
          Notice{message, wparam, lparam, TextOrNull(reinterpret_cast<const char*>(lparam))});
      return 0;
    case UM_BUTTONCLICKED: {
      const auto* record = reinterpret_cast<const ButtonClickRecord*>(lparam);
      const std::string name = TextOrNull(record != nullptr ? record->name : nullptr);
      notices.push_back(Notice{message, wparam, lparam, name});
      if (record != nullptr) clicks.push_back(Click{record->window, record->state, name, record});
      return 0;
    }
    case UM_MENUCHOSEN:
    case UM_UNINSTALL:
    case WM_COMMAND:
      notices.push_back(Notice{message, wparam, lparam, ""});
      return 0;
    case UM_ADDFONT: {
      const char* face = reinterpret_cast<const char*>(lparam);
      added_fonts.push_back(AddedFont{wparam, face});
      if (add_font) add_font(face, static_cast<int>(wparam & 0xFF));
      return 0;
    }
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
      keys.push_back(MSG{window_, message, wparam, lparam, 0, {0, 0}});
      return 0;
    case WM_LBUTTONUP:
      ++left_button_ups;
      return 0;
    case kSettleMarker:
      ++settled_;
      return 0;
    default:
      return DefaultHandling(message, wparam, lparam);
  }
}
