#include "tests/qelhost/test_band.h"

#include <commctrl.h>

#include "definition/vocabulary.h"
#include "platform/com_handles.h"
#include "platform/text_conversion.h"
#include "platform/window_text.h"
#include "tests/qelhost/test_helper_ids.h"
#include "tests/qelhost/test_trace.h"
#include "toolbar/toolbar_strip.h"

extern HINSTANCE g_test_module;

namespace {

constexpr char kBandClass[] = "QelTestBand";
constexpr char kBandProperty[] = "QelTestBand";
constexpr int kGo = 1;
constexpr int kAsk = 2;
constexpr int kMenu = 3;
constexpr int kInfo = 4;

// The bands of one thread: the hook finds the band of a text box through
// its strip's property.
TestBand* BandOfStrip(HWND strip) { return static_cast<TestBand*>(GetPropA(strip, kBandProperty)); }

}  // namespace

TestBand::TestBand(int number, IWebBrowser2* browser, HWND rebar)
    : number_(number), browser_(browser), rebar_(rebar) {}

TestBand::~TestBand() {
  if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  if (window_ != nullptr && IsWindow(window_)) DestroyWindow(window_);
}

bool TestBand::Create() {
  WNDCLASSA window_class = {};
  window_class.style = CS_GLOBALCLASS;
  window_class.hInstance = g_test_module;
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  if (!GetClassInfoA(g_test_module, kBandClass, &window_class)) {
    window_class.lpfnWndProc = BandProc;
    window_class.hbrBackground = CreateSolidBrush(RGB(255, 0, 0));
    window_class.lpszClassName = kBandClass;
    RegisterClassA(&window_class);
    window_class.lpfnWndProc = StripProc;
    window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    window_class.lpszClassName = ToolbarStrip::kWindowClass;
    RegisterClassA(&window_class);
  }
  RECT rect;
  GetClientRect(rebar_, &rect);
  window_ = CreateWindowExA(0, kBandClass, "", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, rect.right,
                            rect.bottom, rebar_, nullptr, g_test_module, this);
  if (window_ == nullptr) return false;
  strip_ =
      CreateWindowExA(0, ToolbarStrip::kWindowClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0,
                      0, 460, kStripHeight, window_, nullptr, g_test_module, this);
  SetPropA(strip_, kBandProperty, this);
  int x = 0;
  MakeButton("tbGo", x, 40, kGo);
  x += 40;
  first_edit_ =
      CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, x, 2,
                      90, 20, strip_, nullptr, g_test_module, nullptr);
  x += 90;
  MakeButton("tbAsk", x, 40, kAsk);
  x += 40;
  combo_ = CreateWindowExA(WS_EX_CLIENTEDGE, "COMBOBOX", "",
                           WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, x, 1, 100, 200,
                           strip_, nullptr, g_test_module, nullptr);
  for (const char* entry : {"Alpha", "Beta", "Gamma Ray", "Delta"}) {
    SendMessageA(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
  }
  SendMessageA(combo_, CB_SETCURSEL, 0, 0);
  x += 100;
  menu_button_ = MakeButton("tbMenu", x, 40, kMenu);
  x += 40;
  second_edit_ =
      CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, x, 2,
                      90, 20, strip_, nullptr, g_test_module, nullptr);
  x += 90;
  MakeButton("tbInfo", x, 40, kInfo);
  hook_ = SetWindowsHookExA(WH_GETMESSAGE, KeyHook, nullptr, GetCurrentThreadId());

  if (TestTrace::Setting(QELHOST_TEST_NO_BAND_VARIABLE) == "1") return true;
  char empty[] = "";
  REBARBANDINFOA band = {};
  band.cbSize = REBARBANDINFOA_V6_SIZE;
  band.fMask = RBBIM_STYLE | RBBIM_COLORS | RBBIM_TEXT | RBBIM_CHILD | RBBIM_CHILDSIZE |
               RBBIM_SIZE | RBBIM_BACKGROUND | RBBIM_ID;
  band.fStyle = RBBS_BREAK | RBBS_NOVERT | RBBS_FIXEDBMP | RBBS_VARIABLEHEIGHT;
  band.clrFore = GetSysColor(COLOR_BTNTEXT);
  band.clrBack = GetSysColor(COLOR_BTNFACE);
  band.lpText = empty;
  band.hwndChild = window_;
  band.cxMinChild = 200;
  band.cyMinChild = band.cyChild = band.cyMaxChild = kStripHeight + 6;
  band.wID = kBandId;
  LRESULT count = SendMessageA(rebar_, RB_GETBANDCOUNT, 0, 0);
  SendMessageA(rebar_, RB_INSERTBANDA, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(&band));
  LRESULT index = SendMessageA(rebar_, RB_IDTOINDEX, kBandId, 0);
  SendMessageA(rebar_, RB_MAXIMIZEBAND, static_cast<WPARAM>(index), 0);
  return true;
}

HWND TestBand::MakeButton(const char* name, int x, int width, int number) {
  WNDCLASSA window_class = {};
  if (!GetClassInfoA(g_test_module, name, &window_class)) {
    window_class.style = CS_GLOBALCLASS;
    window_class.lpfnWndProc = ButtonProc;
    window_class.hInstance = g_test_module;
    window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
    window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    window_class.lpszClassName = name;
    RegisterClassA(&window_class);
  }
  HWND button = CreateWindowExA(0, name, name, WS_CHILD | WS_VISIBLE, x, 2, width, 20, strip_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(number)),
                                g_test_module, nullptr);
  return button;
}

void TestBand::Navigate(const std::string& address) {
  ScopedVariant url(ToWide(address).c_str());
  browser_->Navigate2(&url, nullptr, nullptr, nullptr, nullptr);
}

void TestBand::OnButton(int number) {
  if (number == kGo) {
    Navigate("http://127.0.0.1/go");
  } else if (number == kAsk) {
    int answer = MessageBoxA(window_, "Remove the toolbar?", "Test Bar", MB_YESNO | MB_DEFBUTTON2);
    Navigate(answer == IDYES ? "answer:yes" : "answer:no");
    if (answer == IDYES) {
      LRESULT index = SendMessageA(rebar_, RB_IDTOINDEX, kBandId, 0);
      SendMessageA(rebar_, RB_SHOWBAND, static_cast<WPARAM>(index), FALSE);
    }
  } else if (number == kInfo) {
    MessageBoxA(window_, "Nothing to ask", "Test Bar", MB_OK);
    Navigate("info:seen");
  } else if (number == kMenu) {
    HMENU sites = CreatePopupMenu();
    AppendMenuA(sites, MF_STRING, MenuCommandOf(2), "One");
    AppendMenuA(sites, MF_STRING, MenuCommandOf(3), "Two");
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, MenuCommandOf(1), "Home");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(sites), "Sites");
    AppendMenuA(menu, MF_STRING, MenuCommandOf(4), "&Last");
    RECT rect;
    GetWindowRect(menu_button_, &rect);
    TrackPopupMenu(menu, 0, rect.left, rect.bottom, 0, strip_, nullptr);
    DestroyMenu(menu);
  }
}

LRESULT TestBand::HandleBandMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case kButtonClicked:
      OnButton(static_cast<int>(wparam));
      return 0;
    case kTextSubmitted: {
      HWND edit = reinterpret_cast<HWND>(wparam);
      Navigate((edit == first_edit_ ? "edit1:" : "edit2:") + WindowTextOf(edit));
      return 0;
    }
    default:
      return DefWindowProcA(window_, message, wparam, lparam);
  }
}

LRESULT CALLBACK TestBand::BandProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto create = reinterpret_cast<CREATESTRUCTA*>(lparam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    static_cast<TestBand*>(create->lpCreateParams)->window_ = window;
  }
  auto band = reinterpret_cast<TestBand*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (band == nullptr || band->window_ != window) {
    return DefWindowProcA(window, message, wparam, lparam);
  }
  if (message == WM_NCDESTROY) band->window_ = nullptr;
  return band->HandleBandMessage(message, wparam, lparam);
}

LRESULT CALLBACK TestBand::StripProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  TestBand* band = BandOfStrip(window);
  if (band != nullptr && message == WM_COMMAND) {
    if (HIWORD(wparam) == EN_SETFOCUS) {
      // As the toolbar does: a text box that gets the focus has all its
      // text selected, so typing replaces it.
      PostMessageA(reinterpret_cast<HWND>(lparam), EM_SETSEL, 0, -1);
    } else if (HIWORD(wparam) == CBN_SELENDOK && reinterpret_cast<HWND>(lparam) == band->combo_) {
      LRESULT index = SendMessageA(band->combo_, CB_GETCURSEL, 0, 0);
      char text[256] = {};
      if (index >= 0) {
        SendMessageA(band->combo_, CB_GETLBTEXT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(text));
        band->Navigate(std::string("combo:") + text);
      }
    } else if (lparam == 0 && MenuIndexOf(LOWORD(wparam)) > 0) {
      const char* names[] = {"", "Home", "One", "Two", "Last"};
      const int item = MenuIndexOf(LOWORD(wparam));
      if (item < 5) band->Navigate(std::string("menu:") + names[item]);
    }
    return 0;
  }
  if (message == WM_NCDESTROY) RemovePropA(window, kBandProperty);
  return DefWindowProcA(window, message, wparam, lparam);
}

LRESULT CALLBACK TestBand::ButtonProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_LBUTTONDOWN:
      SetCapture(window);
      SetPropA(window, "pressed", reinterpret_cast<HANDLE>(1));
      return 0;
    case WM_LBUTTONUP: {
      bool pressed = RemovePropA(window, "pressed") != nullptr;
      ReleaseCapture();
      POINT cursor;
      GetCursorPos(&cursor);
      RECT rect;
      GetWindowRect(window, &rect);
      HWND strip = GetParent(window);
      TestBand* band = BandOfStrip(strip);
      if (pressed && PtInRect(&rect, cursor) && band != nullptr) {
        PostMessageA(band->window_, kButtonClicked, GetDlgCtrlID(window), 0);
      }
      return 0;
    }
    case WM_NCDESTROY:
      RemovePropA(window, "pressed");
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

// Like the toolbar's own hook: Backspace reaches a text box of the strip as
// a character, Enter submits its text and never reaches the browser.
LRESULT CALLBACK TestBand::KeyHook(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HC_ACTION) {
    auto message = reinterpret_cast<MSG*>(lparam);
    HWND parent = message->hwnd != nullptr ? GetParent(message->hwnd) : nullptr;
    if (message->message == WM_KEYDOWN && parent != nullptr &&
        ClassNameOf(parent) == ToolbarStrip::kWindowClass) {
      TestBand* band = BandOfStrip(parent);
      if (message->wParam == VK_BACK) {
        SendMessageA(message->hwnd, WM_CHAR, VK_BACK, 0xE0001);
      } else if (message->wParam == VK_RETURN && band != nullptr) {
        PostMessageA(band->window_, kTextSubmitted, reinterpret_cast<WPARAM>(message->hwnd), 0);
        message->message = WM_NULL;
      }
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}
