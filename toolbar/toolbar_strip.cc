#include "toolbar/toolbar_strip.h"

#include <algorithm>
#include <vector>

#include "definition/toolbar_definition.h"
#include "definition/vocabulary.h"
#include "images/button_picture_cutter.h"
#include "platform/gdi_handles.h"
#include "platform/window_text.h"
#include "store/object_store.h"
#include "store/strings.h"
#include "toolbar/button_control.h"
#include "toolbar/combo_box_control.h"
#include "toolbar/drop_down_menu.h"
#include "toolbar/font_catalog.h"
#include "toolbar/pointer_text.h"
#include "toolbar/slim_lock.h"
#include "toolbar/text_box_control.h"
#include "toolbar/tool_tip_window.h"
#include "toolbar/toolbar_messages.h"
#include "toolbar/window_placement.h"

namespace {

const char kSection[] = "Prop";
const char kHeapSection[] = "secHeap";
const char kButtonKey[] = "Button";
const char kTextBoxKey[] = "Edit";
const char kComboBoxKey[] = "ComboBox";

// The message hooks of every strip in the process, oldest first, and the
// one that the hook procedure passes messages on to. Strips of browser
// windows on different threads update it, hence the lock.
struct HookRegistry {
  SlimLock lock;
  std::vector<HHOOK> hooks;
  HHOOK current = nullptr;
};

HookRegistry hook_registry;
HookRegistry& Hooks() { return hook_registry; }

// With several strips on one thread every strip's hook sees each retrieved
// message in turn; only the first may act on it, or Backspace would reach a
// text box once per strip. So each thread keeps the message its hook is
// passing on, in a TLS slot of its own: the compiler's thread_local goes
// through the threads library, which keeps a record (a thread handle, an
// event, two semaphores) for every thread that touches it and, for threads
// it did not start itself, never frees it: four handles lost per browser
// window.
class MessagePassedOn {
 public:
  MessagePassedOn() : slot_(TlsAlloc()) {}
  ~MessagePassedOn() {
    if (slot_ != TLS_OUT_OF_INDEXES) TlsFree(slot_);
  }
  MessagePassedOn(const MessagePassedOn&) = delete;
  MessagePassedOn& operator=(const MessagePassedOn&) = delete;

  const MSG* Get() const {
    return slot_ == TLS_OUT_OF_INDEXES ? nullptr : static_cast<const MSG*>(TlsGetValue(slot_));
  }
  void Set(const MSG* message) {
    if (slot_ != TLS_OUT_OF_INDEXES) TlsSetValue(slot_, const_cast<MSG*>(message));
  }

 private:
  DWORD slot_;
};

MessagePassedOn message_passed_on;

template <typename Control>
Control* Owned(const std::vector<std::unique_ptr<Control>>& controls, void* address) {
  for (const auto& control : controls) {
    if (control.get() == address) return control.get();
  }
  return nullptr;
}

}  // namespace

ToolbarStrip::ToolbarStrip()
    : font_catalog_(new FontCatalog()),
      tooltip_(new ToolTipWindow()),
      drop_down_menu_(new DropDownMenu()) {
  controls_.SetCurrentSection(kSection);
  hook_ = SetWindowsHookExA(WH_GETMESSAGE, GetMessageHook, nullptr, GetCurrentThreadId());
  if (hook_ != nullptr) {
    HookRegistry& registry = Hooks();
    SlimLockHold guard(&registry.lock);
    if (std::find(registry.hooks.begin(), registry.hooks.end(), hook_) == registry.hooks.end()) {
      registry.hooks.push_back(hook_);
    }
    registry.current = hook_;
  }
}

ToolbarStrip::~ToolbarStrip() {
  if (window_ != nullptr && IsWindow(window_)) {
    ShowWindow(window_, SW_HIDE);
    DestroyWindow(window_);
  }
  FreeButtonPictures();
  DestroyControls();
  drop_down_menu_.reset();
  tooltip_.reset();
  font_catalog_.reset();
  if (hook_ != nullptr) {
    UnhookWindowsHookEx(hook_);
    HookRegistry& registry = Hooks();
    SlimLockHold guard(&registry.lock);
    registry.hooks.erase(std::remove(registry.hooks.begin(), registry.hooks.end(), hook_),
                         registry.hooks.end());
    registry.current = registry.hooks.empty() ? nullptr : registry.hooks.back();
  }
}

HHOOK ToolbarStrip::CurrentHook() {
  HookRegistry& registry = Hooks();
  SlimLockHold guard(&registry.lock);
  return registry.current;
}

bool ToolbarStrip::Create(HINSTANCE instance, HWND parent, int x, int y, int width, int height) {
  if (parent == nullptr) return false;
  parent_ = parent;
  instance_ = instance;
  // Kept before the window exists: its first WM_SIZE already restores them.
  x_ = x;
  y_ = y;
  width_ = width;
  height_ = height;
  if (window_ == nullptr) {
    RegisterWindowClass(instance, kWindowClass, CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW);
    CreateWindowExA(0, kWindowClass, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, width,
                    height, parent, nullptr, instance, this);
    if (window_ == nullptr) return false;
  }
  font_catalog_->EnumerateFonts(window_);
  tooltip_->Create(instance, window_, 0, 0, 50, 20);
  tooltip_->SetFont(font_catalog_->CreatePlainFont("MS Sans Serif", 12));
  return true;
}

void ToolbarStrip::Attach(ToolbarDefinition* definition) {
  definition_ = definition;
  drop_down_menu_->SetStore(definition != nullptr ? definition->MenuItemStore() : nullptr);
}

void ToolbarStrip::Build() {
  DestroyControls();
  control_store_ = definition_ != nullptr ? definition_->ControlStore() : nullptr;
  controls_.SetStore(control_store_);
  if (control_store_ == nullptr) return;
  PrepareObjects();
  LayoutControls();
}

void ToolbarStrip::Relayout() {
  if (control_store_ != nullptr) LayoutControls();
}

void ToolbarStrip::Show(bool visible) {
  if (window_ != nullptr) ShowWindow(window_, visible ? SW_SHOW : SW_HIDE);
}

void ToolbarStrip::PrepareObjects() {
  // Pictures of an earlier build are no longer shown: the controls that
  // showed them are gone.
  FreeButtonPictures();
  const HBITMAP strip_bitmap = reinterpret_cast<HBITMAP>(
      static_cast<LONG_PTR>(StringToLong(definition_->GetBarString("BarBitmap"))));
  const int picture_width = StringToInt(definition_->GetBarString("ButtonImageWidth"));
  const int picture_height = StringToInt(definition_->GetBarString("BarBitmapHeight"));
  ButtonPictureCutter cutter(window_, strip_bitmap, picture_width, picture_height);
  const int count = control_store_->GetObjectCount();
  for (int i = 0; i < count; ++i) {
    const std::string name = control_store_->GetObjectNameAt(i);
    const ControlKind kind = ControlKindOf(control_store_->GetObjectType(name));
    control_store_->SetProperty(name, kSection, "Type", IntToString(static_cast<int>(kind)));
    control_store_->SetProperty(name, kSection, "TextVisible", "true");
    const int index = GetControlInt(name, "ImageIndex", -1);
    if (index < 0) continue;
    HBITMAP picture = cutter.Cut(index);
    if (picture != nullptr) pictures_.emplace_back(picture);
    // GDI handles keep their meaning in 32 bits, also on 64-bit Windows.
    control_store_->SetProperty(
        name, kSection, "hBitmap",
        LongToString(static_cast<long>(reinterpret_cast<LONG_PTR>(picture))));
  }
}

void ToolbarStrip::LayoutControls() {
  int x = 0;
  int last_width = 0;
  // Every caption and line is measured through this one DC: a DC per
  // control costs a round trip to the server under Wine, and a window's DC
  // measures no differently from its parent's.
  {
    const WindowDc dc = GetWindowDc(window_);
    const int count = control_store_->GetObjectCount();
    for (int i = 0; i < count; ++i) {
      x = PlaceControl(control_store_->GetObjectNameAt(i), x, dc.get(), &last_width);
    }
  }
  // The strip ends in a blank as wide as its last control.
  width_ = x + last_width;
  PlaceWindow(window_, x_, y_, width_, height_);
}

int ToolbarStrip::PlaceControl(const std::string& name, int x, HDC dc, int* width) {
  const ControlKind kind = ControlKindOf(control_store_->GetObjectType(name));
  const int top = GetControlInt(name, "Y", 0);
  const int control_width = GetControlInt(name, "Width", 60);
  const std::string face = GetControlString(name, "FontName", "MS Sans Serif");
  const int size = GetControlInt(name, "FontSize", 8);

  if (kind == ControlKind::kTextBox) {
    TextBoxControl* text_box = FindTextBox(name);
    if (text_box == nullptr) {
      text_boxes_.emplace_back(new TextBoxControl());
      text_box = text_boxes_.back().get();
      HFONT font = font_catalog_->CreatePlainFont(face, size);
      // Made where Recenter puts it, one line high: a box made at "Y" and
      // strip height would be moved at once.
      const int line_height = InputControl::LineHeightOf(dc, font);
      text_box->Create(instance_, window_, x, InputControl::CenteredTop(height_, line_height),
                       control_width, line_height, name);
      text_box->SetFont(font);
      Register(name, kTextBoxKey, text_box);
    }
    text_box->SetX(x);
    text_box->SetWidth(control_width);
    text_box->Recenter(height_, dc);
    *width = control_width;
    return x + control_width;
  }

  if (kind == ControlKind::kComboBox) {
    const int list_height = GetControlInt(name, "Height", 200);
    ComboBoxControl* combo_box = FindComboBox(name);
    if (combo_box == nullptr) {
      combo_boxes_.emplace_back(new ComboBoxControl());
      combo_box = combo_boxes_.back().get();
      combo_box->SetItemStore(definition_->ComboItemStore());
      HFONT font = font_catalog_->CreatePlainFont(face, size);
      combo_box->Create(instance_, window_, x, top, control_width, list_height, name);
      combo_box->SetFont(font);
      Register(name, kComboBoxKey, combo_box);
    }
    // A new one is moved too: only a move with the full height after its
    // font makes the drop-down list that high with that font.
    combo_box->SetX(x);
    combo_box->SetWidth(control_width);
    combo_box->Recenter(height_, dc);
    *width = control_width;
    return x + control_width;
  }

  ButtonControl* button = FindButton(name);
  if (button == nullptr) {
    const bool bold = GetControlBool(name, "FontBold", false);
    const bool italic = GetControlBool(name, "FontItalic", false);
    const bool underline = GetControlBool(name, "FontUnderline", false);
    buttons_.emplace_back(new ButtonControl());
    button = buttons_.back().get();
    button->SetToolTip(tooltip_.get());
    button->SetFont(font_catalog_->CreateFont(face, size, bold, italic, underline));
    // Measured first and made as wide as its layout: a button made "Width"
    // wide would be moved at once.
    button->Bind(name, control_store_);
    const int layout_width = button->Measure(dc);
    button->Create(instance_, window_, x, top, layout_width, height_, name, control_store_);
    Register(name, kButtonKey, button);
  }
  button->SetX(x);
  *width = button->LayoutButton(dc);
  return x + *width;
}

void ToolbarStrip::DestroyControls() {
  if (control_store_ != nullptr) {
    const int count = control_store_->GetObjectCount();
    for (int i = 0; i < count; ++i) {
      const std::string name = control_store_->GetObjectNameAt(i);
      switch (ControlKindOf(control_store_->GetObjectType(name))) {
        case ControlKind::kTextBox:
          if (FindTextBox(name) != nullptr) {
            control_store_->RemoveProperty(name, kHeapSection, kTextBoxKey);
          }
          break;
        case ControlKind::kComboBox:
          if (FindComboBox(name) != nullptr) {
            control_store_->RemoveProperty(name, kHeapSection, kComboBoxKey);
          }
          break;
        default:
          if (FindButton(name) != nullptr) {
            control_store_->RemoveProperty(name, kHeapSection, kButtonKey);
          }
          break;
      }
    }
  }
  // Every control this strip made goes, also one whose object has left the
  // store in the meantime.
  buttons_.clear();
  text_boxes_.clear();
  combo_boxes_.clear();
}

void ToolbarStrip::FreeButtonPictures() {
  // Only pictures made here: an "hBitmap" that the definition itself wrote
  // names nothing this strip owns.
  pictures_.clear();
}

void ToolbarStrip::Register(const std::string& name, const char* key, const void* control) {
  control_store_->SetProperty(name, kHeapSection, key, PointerToText(control));
}

void* ToolbarStrip::HeapAddress(const std::string& name, const char* key) const {
  if (control_store_ == nullptr || !control_store_->PropertyExists(name, kHeapSection, key)) {
    return nullptr;
  }
  return TextToPointer(control_store_->GetProperty(name, kHeapSection, key));
}

// The text leads back only to a control that this strip made and still
// holds.
ButtonControl* ToolbarStrip::FindButton(const std::string& name) const {
  return Owned(buttons_, HeapAddress(name, kButtonKey));
}

TextBoxControl* ToolbarStrip::FindTextBox(const std::string& name) const {
  return Owned(text_boxes_, HeapAddress(name, kTextBoxKey));
}

ComboBoxControl* ToolbarStrip::FindComboBox(const std::string& name) const {
  return Owned(combo_boxes_, HeapAddress(name, kComboBoxKey));
}

std::string ToolbarStrip::InputControlNameOf(ControlKind kind, HWND window) const {
  if (control_store_ == nullptr || window == nullptr) return "";
  const int count = control_store_->GetObjectCount();
  for (int i = 0; i < count; ++i) {
    const std::string name = control_store_->GetObjectNameAt(i);
    if (ControlKindOf(control_store_->GetObjectType(name)) != kind) continue;
    const InputControl* control = kind == ControlKind::kTextBox
                                      ? static_cast<const InputControl*>(FindTextBox(name))
                                      : FindComboBox(name);
    if (control != nullptr && control->window() == window) return name;
  }
  return "";
}

std::string ToolbarStrip::TextBoxNameOf(HWND window) const {
  return InputControlNameOf(ControlKind::kTextBox, window);
}

std::string ToolbarStrip::ComboBoxNameOf(HWND window) const {
  return InputControlNameOf(ControlKind::kComboBox, window);
}

bool ToolbarStrip::GetControlBool(const std::string& name, const std::string& key,
                                  bool default_value) const {
  return controls_.GetBool(name, key, default_value);
}

int ToolbarStrip::GetControlInt(const std::string& name, const std::string& key,
                                int default_value) const {
  return controls_.GetInt(name, key, default_value);
}

std::string ToolbarStrip::GetControlString(const std::string& name, const std::string& key,
                                           const std::string& default_value) const {
  return controls_.GetString(name, key, default_value);
}

int ToolbarStrip::SelectedComboIndex(const std::string& combo_name) {
  const ComboBoxControl* combo_box = FindComboBox(combo_name);
  if (combo_box == nullptr || combo_box->window() == nullptr) return -1;
  return static_cast<int>(SendMessageA(combo_box->window(), CB_GETCURSEL, 0, 0));
}

void ToolbarStrip::SubmitText(HWND window) {
  if (parent_ == nullptr) return;
  std::string text = WindowTextOf(window);
  if (text.empty()) return;
  submitted_text_ = std::move(text);
  PostMessageA(parent_, UM_TEXTSUBMITTED, 0, reinterpret_cast<LPARAM>(submitted_text_.c_str()));
}

LRESULT ToolbarStrip::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE:
      // The strip keeps the rectangle that its layout gave it.
      PlaceWindow(window_, x_, y_, width_, height_);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_COMMAND:
      OnCommand(wparam, lparam);
      return 0;
    case UM_ADDFONT:
      if (lparam != 0) {
        font_catalog_->AddFont(reinterpret_cast<const char*>(lparam),
                               static_cast<int>(wparam & 0xFF));
      }
      return 0;
    case UM_BUTTONCLICKED:
      OnButtonClicked(lparam);
      return 0;
    case UM_MENUCLOSED:
      OnMenuClosed(reinterpret_cast<const char*>(lparam));
      return 0;
    default:
      return DefaultHandling(message, wparam, lparam);
  }
}

void ToolbarStrip::Paint() {
  PaintDc paint(window_);
  RECT client;
  GetClientRect(window_, &client);
  FillSolid(paint.get(), client, GetSysColor(COLOR_BTNFACE));
}

void ToolbarStrip::OnCommand(WPARAM wparam, LPARAM lparam) {
  HWND control = reinterpret_cast<HWND>(lparam);
  switch (HIWORD(wparam)) {
    case EN_SETFOCUS:
      PostMessageA(control, EM_SETSEL, 0, -1);
      current_control_name_ = TextBoxNameOf(control);
      return;
    case CBN_SETFOCUS:
      current_control_name_ = ComboBoxNameOf(control);
      return;
    case CBN_SELENDOK: {
      const LRESULT index = SendMessageA(control, CB_GETCURSEL, 0, 0);
      if (index < 0 || definition_ == nullptr) return;
      // The entries of the combo box that sent the notice, which is the
      // focused one whenever the user chooses.
      const std::vector<std::string> entries =
          ToolbarDefinition::ListChildren(*definition_->ComboItemStore(), ComboBoxNameOf(control));
      if (static_cast<std::size_t>(index) >= entries.size()) return;
      chosen_entry_name_ = entries[static_cast<std::size_t>(index)];
      PostMessageA(parent_, UM_COMBOCHOSEN, wparam,
                   reinterpret_cast<LPARAM>(chosen_entry_name_.c_str()));
      return;
    }
    default: {
      const int command = LOWORD(wparam);
      if (IsMenuCommand(command)) {
        PostMessageA(parent_, UM_MENUCHOSEN, wparam, lparam);
      }
      return;
    }
  }
}

void ToolbarStrip::OnButtonClicked(LPARAM lparam) {
  const auto* record = reinterpret_cast<const ButtonClickRecord*>(lparam);
  if (record == nullptr || record->name == nullptr) return;
  const std::string name = record->name;
  const std::string action_type = GetControlString(name, "ActionType", "MENU");
  if (action_type == "MENU") {
    RECT button;
    if (!GetWindowRect(record->window, &button)) return;
    drop_down_menu_->ShowMenu(button.left, button.bottom, window_, name);
  } else if (action_type == "CMD_TEXTBOX") {
    const std::string target = Trim(GetControlString(name, "Action", ""));
    TextBoxControl* text_box = FindTextBox(target);
    if (text_box == nullptr) return;
    current_control_name_ = target;
    SubmitText(text_box->window());
  } else {
    PostMessageA(parent_, UM_BUTTONCLICKED, 0, lparam);
  }
}

void ToolbarStrip::OnMenuClosed(const char* name) {
  if (name == nullptr) return;
  ButtonControl* button = FindButton(name);
  if (button != nullptr) button->DrawRestFrame();
}

LRESULT CALLBACK ToolbarStrip::GetMessageHook(int code, WPARAM wparam, LPARAM lparam) {
  MSG* message = reinterpret_cast<MSG*>(lparam);
  // Only a message that leaves the queue: a peek that leaves it there would
  // otherwise submit the same Enter twice.
  if (code == HC_ACTION && (wparam & PM_REMOVE) != 0 && message != nullptr &&
      message != message_passed_on.Get()) {
    try {
      HandleRetrievedMessage(message);
    } catch (...) {
      // Nothing may stop the message on its way to the browser.
    }
  }
  const MSG* outer = message_passed_on.Get();
  message_passed_on.Set(message);
  const LRESULT result = CallNextHookEx(CurrentHook(), code, wparam, lparam);
  message_passed_on.Set(outer);
  return result;
}

void ToolbarStrip::HandleRetrievedMessage(MSG* message) {
  if (message->message != WM_KEYDOWN) return;
  if (message->wParam != VK_BACK && message->wParam != VK_RETURN) return;
  // The real parent, not the owner: a popup menu owned by the strip keeps
  // its own Enter.
  HWND parent = GetAncestor(message->hwnd, GA_PARENT);
  if (parent == nullptr) return;
  if (ClassNameOf(parent).find(kWindowClass) == std::string::npos) return;
  if (message->wParam == VK_BACK) {
    // Repeat count 1, scan code 0x0E: what a Backspace key gives.
    SendMessageA(message->hwnd, WM_CHAR, VK_BACK, 0xE0001);
    return;
  }
  // Neither the browser nor the control sees this Enter.
  message->message = WM_LBUTTONUP;
  auto* strip = reinterpret_cast<ToolbarStrip*>(GetWindowLongPtrA(parent, GWLP_USERDATA));
  if (strip != nullptr) strip->SubmitText(message->hwnd);
}
