#include "tests/browser/test_frame.h"

#include <commctrl.h>

namespace {

constexpr char kFrameClass[] = "QelTestFrame";

void RegisterPlainClass(const std::string& name) {
  WNDCLASSA existing = {};
  if (GetClassInfoA(GetModuleHandleA(nullptr), name.c_str(), &existing)) return;
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = DefWindowProcA;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszClassName = name.c_str();
  RegisterClassA(&window_class);
}

HWND MakeRebar(HWND parent) {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_COOL_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  HWND rebar = CreateWindowExA(0, REBARCLASSNAMEA, nullptr,
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN |
                                   RBS_VARHEIGHT | RBS_BANDBORDERS | CCS_NODIVIDER,
                               0, 0, 600, 60, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  return rebar;
}

}  // namespace

TestFrame::~TestFrame() {
  if (frame_ != nullptr && IsWindow(frame_)) DestroyWindow(frame_);
}

bool TestFrame::Create() {
  if (!Create({{-1, "QelTestContainer"}, {0, REBARCLASSNAMEA}})) return false;
  // The address band the toolbar's band goes after.
  HWND address = CreateWindowExA(0, "EDIT", "about:blank", WS_CHILD | WS_VISIBLE, 0, 0, 200, 20,
                                 rebar(), nullptr, GetModuleHandleA(nullptr), nullptr);
  REBARBANDINFOA band = {};
  band.cbSize = REBARBANDINFOA_V3_SIZE;
  band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_ID | RBBIM_STYLE;
  band.fStyle = RBBS_BREAK;
  band.hwndChild = address;
  band.cxMinChild = 100;
  band.cyMinChild = 20;
  band.wID = kAddressBandId;
  return SendMessageA(rebar(), RB_INSERTBANDA, 0, reinterpret_cast<LPARAM>(&band)) != 0;
}

bool TestFrame::Create(const std::vector<Child>& children) {
  RegisterPlainClass(kFrameClass);
  frame_ = CreateWindowExA(0, kFrameClass, "Qel test frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40,
                           40, 640, 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (frame_ == nullptr) return false;
  for (const Child& child : children) {
    HWND parent = child.parent < 0 ? frame_ : children_.at(static_cast<std::size_t>(child.parent));
    HWND window = nullptr;
    if (child.class_name == REBARCLASSNAMEA) {
      window = MakeRebar(parent);
    } else {
      RegisterPlainClass(child.class_name);
      window = CreateWindowExA(0, child.class_name.c_str(), nullptr,
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 600, 200, parent,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    if (window == nullptr) return false;
    children_.push_back(window);
  }
  // The earlier of two siblings is the first child, whatever order the
  // system stacks new windows in.
  for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
    SetWindowPos(*it, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  return true;
}
