#include "browser/band_host.h"

#include <commctrl.h>
#include <exdisp.h>

#include <cstddef>

#include "definition/command_dispatcher.h"
#include "definition/definition_paths.h"
#include "definition/toolbar_definition.h"
#include "definition/vocabulary.h"
#include "images/image_strip.h"
#include "platform/gdi_handles.h"
#include "platform/module_path.h"
#include "platform/web_browser_navigator.h"
#include "platform/windows_host_services.h"
#include "store/strings.h"
#include "toolbar/toolbar_messages.h"
#include "toolbar/toolbar_strip.h"

namespace {

// The band structure without the fields Vista added (rcChevronLocation,
// uChevronState), so that rebars older than Vista's accept it: the size of
// REBARBANDINFOA_V6_SIZE, computed here as a constant. 80 bytes on 32-bit
// Windows.
constexpr UINT kBandInfoSize =
    offsetof(REBARBANDINFOA, cxHeader) + sizeof(REBARBANDINFOA::cxHeader);
#ifndef _WIN64
static_assert(kBandInfoSize == 80, "the band structure without the Vista fields");
#endif

constexpr UINT kBandMask = RBBIM_STYLE | RBBIM_COLORS | RBBIM_TEXT | RBBIM_CHILD | RBBIM_CHILDSIZE |
                           RBBIM_SIZE | RBBIM_BACKGROUND | RBBIM_ID;
constexpr UINT kBandStyle = RBBS_BREAK | RBBS_NOVERT | RBBS_FIXEDBMP | RBBS_VARIABLEHEIGHT;

}  // namespace

BandHost::BandHost(HINSTANCE instance, const ModulePath& module, Unregister unregister)
    : instance_(instance),
      unregister_(unregister),
      definition_(std::make_unique<ToolbarDefinition>()),
      image_strip_(std::make_unique<ImageStrip>()) {
  loaded_ = Load(module);
}

BandHost::~BandHost() {
  // The strip window goes with ours, being its child.
  if (window_ != nullptr && IsWindow(window_)) DestroyWindow(window_);
  // The strip's controls are registered in the definition's stores, so the
  // strip goes before the definition.
  strip_.reset();
  definition_.reset();
  image_strip_.reset();
  dispatcher_.reset();
}

bool BandHost::Load(const ModulePath& module) {
  // "qel.ini" names the definition; loading that replaces everything the
  // local file defined.
  if (!definition_->LoadAtStartup(module)) return false;

  std::string image_list = definition_->GetBarString("ButtonImageList");
  if (image_list.empty()) return false;
  bool refresh = StringToBool(definition_->GetBarString("ButtonImageListRefresh"));
  std::string directory = ModuleDirectory(module);
  if (!image_strip_->Load(directory, image_list, directory, refresh)) return false;

  image_height_ = image_strip_->height();
  ObjectStore* bar = definition_->BarStore();
  bar->SetProperty(ToolbarDefinition::kBarObjectName, ToolbarDefinition::kPropertySection,
                   "BarBitmap", LongToString(HandleToLong(image_strip_->bitmap())));
  bar->SetProperty(ToolbarDefinition::kBarObjectName, ToolbarDefinition::kPropertySection,
                   "BarBitmapHeight", IntToString(image_height_));
  return true;
}

bool BandHost::SetUp(IWebBrowser2* browser, HWND rebar) {
  // The strip stays once made, also when the browser destroyed our window.
  if (strip_ != nullptr || rebar == nullptr || browser == nullptr || !loaded_) return false;
  browser_ = browser;
  rebar_ = rebar;
  // Nothing else may run on a missing parent window.
  if (!CreateHostWindow()) return false;

  strip_ = std::make_unique<ToolbarStrip>();
  dispatcher_ = std::make_unique<CommandDispatcher>();

  strip_->Create(instance_, window_, 0, 0, kInitialStripWidth,
                 definition_->GetBarInt("BarHeight", kDefaultBarHeight));
  strip_window_ = strip_->window();
  strip_->Attach(definition_.get());
  strip_->Build();

  navigator_ = std::make_unique<WebBrowserNavigator>(browser_);
  host_services_ = std::make_unique<WindowsHostServices>(window_, UM_UNINSTALL);
  dispatcher_->Attach(navigator_.get(), definition_.get(), strip_.get(), host_services_.get());

  InsertBand();

  if (!definition_->GetBarBool("AddressBarVisible", true)) browser_->put_AddressBar(VARIANT_FALSE);
  return true;
}

bool BandHost::CreateHostWindow() {
  RegisterWindowClass(instance_, kWindowClass, CS_VREDRAW | CS_HREDRAW | CS_GLOBALCLASS);
  RECT area = {};
  GetClientRect(rebar_, &area);
  // The window procedure keeps the handle on WM_NCCREATE.
  CreateWindowExA(0, kWindowClass, nullptr, WS_CHILD | WS_CLIPSIBLINGS, area.left, area.top,
                  area.right - area.left, area.bottom - area.top, rebar_, nullptr, instance_, this);
  return window_ != nullptr;
}

void BandHost::InsertBand() {
  static char empty_text[] = "";
  int height = image_height_ + kBandPadding;
  REBARBANDINFOA band = {};
  band.cbSize = kBandInfoSize;
  band.fMask = kBandMask;
  band.fStyle = kBandStyle;
  band.clrFore = GetSysColor(COLOR_BTNTEXT);
  band.clrBack = GetSysColor(COLOR_BTNFACE);
  band.lpText = empty_text;
  band.cch = 0;
  band.hwndChild = window_;
  band.cxMinChild = kMinBandWidth;
  band.cyMinChild = height;
  band.cx = kMinBandWidth;
  band.hbmBack = nullptr;
  band.wID = kBandId;
  band.cyChild = height;
  band.cyMaxChild = height;
  band.cyIntegral = 0;

  LRESULT count = SendMessageA(rebar_, RB_GETBANDCOUNT, 0, 0);
  SendMessageA(rebar_, RB_INSERTBANDA, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(&band));
  LRESULT index = SendMessageA(rebar_, RB_IDTOINDEX, kBandId, 0);
  // Full width, not the band's ideal width.
  if (index >= 0) SendMessageA(rebar_, RB_MAXIMIZEBAND, static_cast<WPARAM>(index), 0);
}

void BandHost::Uninstall() {
  if (unregister_ != nullptr) unregister_();
  LRESULT index = SendMessageA(rebar_, RB_IDTOINDEX, kBandId, 0);
  if (index >= 0) SendMessageA(rebar_, RB_SHOWBAND, static_cast<WPARAM>(index), FALSE);
}

LRESULT BandHost::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE:
      FitStrip();
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_COMMAND:
      return 0;
    case UM_TEXTSUBMITTED:
      OnTextSubmitted(reinterpret_cast<const char*>(lparam));
      return 0;
    case UM_BUTTONCLICKED:
      OnButtonClicked(lparam);
      return 0;
    case UM_MENUCHOSEN:
      OnMenuChosen(wparam);
      return 0;
    case UM_UNINSTALL:
      Uninstall();
      return 0;
    case UM_COMBOCHOSEN:
      OnComboChosen(reinterpret_cast<const char*>(lparam));
      return 0;
    default:
      return DefaultHandling(message, wparam, lparam);
  }
}

void BandHost::FitStrip() {
  if (strip_window_ == nullptr) return;
  // The strip keeps the size it gave itself; it only goes to our corner.
  RECT strip = {};
  GetClientRect(strip_window_, &strip);
  MoveWindow(strip_window_, 0, 0, strip.right, strip.bottom, TRUE);
}

void BandHost::Paint() {
  PaintDc paint(window_);
  RECT area = {};
  GetClientRect(window_, &area);
  FillSolid(paint.get(), area, GetSysColor(COLOR_BTNFACE));
}

void BandHost::OnTextSubmitted(const char* text) {
  // The text belongs to the strip until its next submission: copied first.
  std::string submitted = text != nullptr ? text : "";
  if (dispatcher_ == nullptr || strip_ == nullptr) return;
  dispatcher_->OnTextSubmitted(strip_->current_control_name(), submitted);
}

void BandHost::OnButtonClicked(LPARAM record_address) {
  const auto* record = reinterpret_cast<const ButtonClickRecord*>(record_address);
  if (record == nullptr || record->name == nullptr || dispatcher_ == nullptr) return;
  dispatcher_->OnButtonClicked(record->name, record->state != 0);
}

void BandHost::OnMenuChosen(WPARAM command) {
  if (dispatcher_ == nullptr) return;
  const int index = MenuIndexOf(LOWORD(command));
  dispatcher_->OnMenuItemChosen(definition_->MenuItemStore()->GetObjectNameAt(index));
}

void BandHost::OnComboChosen(const char* name) {
  std::string chosen = name != nullptr ? name : "";
  if (dispatcher_ == nullptr) return;
  dispatcher_->OnComboItemChosen(chosen);
}
