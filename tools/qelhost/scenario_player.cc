#include "tools/qelhost/scenario_player.h"

#include <algorithm>

#include "platform/text_conversion.h"
#include "platform/window_text.h"
#include "tools/qelhost/browser_frame.h"
#include "tools/qelhost/event_log.h"
#include "tools/qelhost/frame_screenshot.h"
#include "tools/qelhost/host_application.h"
#include "tools/qelhost/input_driver.h"

namespace {

constexpr char kPlayerClass[] = "QelHostPlayer";
constexpr char kPopupMenuClass[] = "#32768";
constexpr char kDialogClass[] = "#32770";
constexpr UINT_PTR kTimerId = 1;

struct ThreadWindowSearch {
  const char* class_name;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectThreadWindow(HWND window, LPARAM lparam) {
  auto search = reinterpret_cast<ThreadWindowSearch*>(lparam);
  if (IsWindowVisible(window) && ClassNameOf(window) == search->class_name) {
    search->found.push_back(window);
  }
  return TRUE;
}

// Visible top-level windows of this thread with the class: popup menus and
// message boxes belong to the thread that opened them, which is ours.
std::vector<HWND> ThreadWindows(const char* class_name) {
  ThreadWindowSearch search = {class_name, {}};
  EnumThreadWindows(GetCurrentThreadId(), CollectThreadWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK CollectStaticText(HWND window, LPARAM lparam) {
  auto text = reinterpret_cast<std::string*>(lparam);
  LONG style = GetWindowLongA(window, GWL_STYLE);
  if (lstrcmpiA(ClassNameOf(window).c_str(), "Static") == 0 && (style & SS_TYPEMASK) != SS_ICON) {
    std::string piece = WindowTextOf(window);
    if (!piece.empty()) {
      if (!text->empty()) text->append(" ");
      text->append(piece);
    }
  }
  return TRUE;
}

// One log line per event: line breaks inside a message become spaces.
std::string OneLine(std::string text) {
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r') continue;
    line += c == '\n' ? ' ' : c;
  }
  return line;
}

std::string MenuEntryText(HMENU menu, int position) {
  char text[512];
  int length = GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof(text), MF_BYPOSITION);
  return length > 0 ? std::string(text, static_cast<std::size_t>(length)) : "";
}

std::string WithoutAccelerators(const std::string& text) {
  std::string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    plain += text[i];
  }
  return plain;
}

// The entry's position: the exact text first, then the text without "&"
// accelerator marks.
int FindMenuEntry(HMENU menu, const std::string& entry) {
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    if (MenuEntryText(menu, i) == entry) return i;
  }
  for (int i = 0; i < count; ++i) {
    if (WithoutAccelerators(MenuEntryText(menu, i)) == entry) return i;
  }
  return -1;
}

std::string MenuEntries(HMENU menu) {
  std::string list;
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    std::string text = MenuEntryText(menu, i);
    if (text.empty()) continue;  // separators
    if (!list.empty()) list += ", ";
    list += text;
  }
  return list.empty() ? "none" : list;
}

bool HasFocusIn(HWND target) {
  HWND focus = GetFocus();
  return focus != nullptr && (focus == target || IsChild(target, focus));
}

// Frames cascade over each other: the one a step acts on comes to the top,
// as a person would bring it forward before using it.
void RaiseFrameOf(HWND target) {
  SetWindowPos(GetAncestor(target, GA_ROOT), HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool OwnsForeground() {
  HWND foreground = GetForegroundWindow();
  return foreground != nullptr &&
         GetWindowThreadProcessId(foreground, nullptr) == GetCurrentThreadId();
}

// Keyboard input goes to the foreground thread: make sure it is ours.
void EnsureForeground(HWND target) {
  if (!OwnsForeground()) SetForegroundWindow(GetAncestor(target, GA_ROOT));
}

// Keys sent while another program has the foreground would go to it: they
// wait until the frame has it back.
bool ReadyForKeys(HWND target, std::string* why) {
  if (OwnsForeground()) return true;
  EnsureForeground(target);
  *why = "another program keeps the keyboard";
  return false;
}

// The result of handing input to the system.
ScenarioPlayer::Progress Sent(bool sent, std::string* why) {
  if (sent) return ScenarioPlayer::Progress::kDone;
  *why = "the input cannot be sent";
  return ScenarioPlayer::Progress::kFailed;
}

// The buttons a message box may have, in the order the host falls back on
// them when the one it was told to press is missing.
struct DialogButton {
  int id;
  const char* name;
};
constexpr DialogButton kDialogButtons[] = {
    {IDNO, "no"},       {IDYES, "yes"},     {IDCANCEL, "cancel"}, {IDOK, "ok"},
    {IDABORT, "abort"}, {IDRETRY, "retry"}, {IDIGNORE, "ignore"}};

const char* ButtonName(int id) {
  for (const DialogButton& button : kDialogButtons) {
    if (button.id == id) return button.name;
  }
  return "?";
}

}  // namespace

ScenarioPlayer::ScenarioPlayer(HostApplication* app, const std::vector<ScenarioStep>& steps)
    : app_(app), log_(app->log()), steps_(steps) {}

ScenarioPlayer::~ScenarioPlayer() = default;

bool ScenarioPlayer::TimerWindow::Create() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  RegisterWindowClass(instance, kPlayerClass, 0);
  CreateWindowExA(0, kPlayerClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, this);
  return window_ != nullptr && SetTimer(window_, kTimerId, kTickMilliseconds, nullptr) != 0;
}

ScenarioPlayer::TimerWindow::~TimerWindow() {
  if (window_ == nullptr) return;
  KillTimer(window_, kTimerId);
  DestroyWindow(window_);
}

LRESULT ScenarioPlayer::TimerWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_TIMER && wparam == kTimerId) {
    player_->Tick();
    return 0;
  }
  return DefaultHandling(message, wparam, lparam);
}

bool ScenarioPlayer::AttachThread() {
  auto window = std::make_unique<TimerWindow>(this);
  if (!window->Create()) return false;
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  windows_.push_back(std::move(window));
  return true;
}

void ScenarioPlayer::DetachThread() {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  for (auto it = windows_.begin(); it != windows_.end(); ++it) {
    if (GetWindowThreadProcessId((*it)->window(), nullptr) == GetCurrentThreadId()) {
      windows_.erase(it);
      return;
    }
  }
}

void ScenarioPlayer::Start() { started_ = true; }

void ScenarioPlayer::PlayWithoutFrames() {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  if (finished_) return;
  // Whatever was under way ended with the last frame.
  actions_.clear();
  while (next_step_ < steps_.size()) {
    BeginStep(steps_[next_step_++]);
    actions_.clear();
  }
  if (pending_answer_ != 0) log_->Error(answer_line_, "no message box appeared");
  finished_ = true;
}

void ScenarioPlayer::Tick() {
  std::unique_lock<std::recursive_mutex> lock(mutex_, std::try_to_lock);
  if (!lock.owns_lock() || !started_ || in_tick_ || finished_) return;
  BrowserFrame* frame = app_->CurrentFrame();
  if (frame == nullptr || frame->thread_id() != GetCurrentThreadId()) return;
  in_tick_ = true;
  if (AnswerMessageBox()) {
    in_tick_ = false;
    return;
  }
  if (!actions_.empty()) {
    PendingAction& action = actions_.front();
    if (!action_running_) {
      action_running_ = true;
      action_started_ = GetTickCount();
    }
    std::string reason;
    Progress progress = action.run(&reason);
    if (progress == Progress::kDone) {
      actions_.pop_front();
      action_running_ = false;
    } else if (progress == Progress::kFailed) {
      Fail(reason);
    } else if (action.limited && GetTickCount() - action_started_ > kWaitLimitMilliseconds) {
      // A waiting action may say what it is still waiting for.
      Fail(reason.empty() ? "timed out " + action.what : reason);
    }
  } else if (next_step_ < steps_.size()) {
    BeginStep(steps_[next_step_++]);
  } else if (Finish()) {
    finished_ = true;
    app_->FinishScenario();
  }
  in_tick_ = false;
}

bool ScenarioPlayer::AnswerMessageBox() {
  answered_.erase(std::remove_if(answered_.begin(), answered_.end(),
                                 [](HWND window) { return !IsWindow(window); }),
                  answered_.end());
  for (HWND dialog : ThreadWindows(kDialogClass)) {
    if (std::find(answered_.begin(), answered_.end(), dialog) != answered_.end()) continue;
    std::string title = WindowTextOf(dialog);
    std::string text;
    EnumChildWindows(dialog, CollectStaticText, reinterpret_cast<LPARAM>(&text));
    std::string step = current_line_.empty() ? "answer" : current_line_;
    int answer = pending_answer_;
    if (answer == 0) {
      // Nobody said what to answer: "no" changes the least.
      log_->Error(step, "a message box appeared without an answer");
      answer = IDNO;
    }
    pending_answer_ = 0;
    if (GetDlgItem(dialog, answer) == nullptr) {
      log_->Error(step, std::string("the message box has no ") + ButtonName(answer) + " button");
      for (const DialogButton& fallback : kDialogButtons) {
        if (GetDlgItem(dialog, fallback.id) != nullptr) {
          answer = fallback.id;
          break;
        }
      }
    }
    log_->Write("messagebox " + OneLine(title) + " | " + OneLine(text) + " -> " +
                ButtonName(answer));
    HWND button = GetDlgItem(dialog, answer);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
    answered_.push_back(dialog);
    return true;
  }
  return false;
}

void ScenarioPlayer::Fail(const std::string& reason) {
  log_->Error(current_line_, reason);
  actions_.clear();
  action_running_ = false;
  // Leave no menu or list open for the next step.
  if (!ThreadWindows(kPopupMenuClass).empty()) EndMenu();
  if (dropped_combo_ != nullptr && IsWindow(dropped_combo_)) {
    SendMessageA(dropped_combo_, CB_SHOWDROPDOWN, FALSE, 0);
  }
  dropped_combo_ = nullptr;
}

bool ScenarioPlayer::Finish() {
  if (!ThreadWindows(kPopupMenuClass).empty()) {
    EndMenu();
    return false;
  }
  if (pending_answer_ != 0) {
    log_->Error(answer_line_, "no message box appeared");
    pending_answer_ = 0;
  }
  return true;
}

void ScenarioPlayer::Then(const std::string& what, Action run, bool limited) {
  actions_.push_back({what, std::move(run), limited});
}

void ScenarioPlayer::BeginStep(const ScenarioStep& step) {
  using Kind = ScenarioStep::Kind;
  current_line_ = step.line;
  if (step.kind == Kind::kInvalid) {
    log_->Error(step.line, step.problem);
    return;
  }
  if (step.kind == Kind::kAnswer) {
    // An answer is for the next message box; one that is overtaken by
    // another answer was never used.
    if (pending_answer_ != 0) log_->Error(answer_line_, "no message box appeared");
    pending_answer_ = step.args[0] == "yes" ? IDYES : IDNO;
    answer_line_ = step.line;
    return;
  }
  if (step.kind == Kind::kWait) {
    DWORD start = GetTickCount();
    DWORD duration = static_cast<DWORD>(step.count);
    Then(
        "waiting",
        [start, duration](std::string*) {
          return GetTickCount() - start >= duration ? Progress::kDone : Progress::kWaiting;
        },
        false);
    return;
  }
  BrowserFrame* frame = app_->CurrentFrame();
  if (frame == nullptr) {
    log_->Error(step.line, "no open frame");
    return;
  }
  if (step.kind == Kind::kClose) {
    PlanClose(frame);
    return;
  }
  if (step.kind == Kind::kScreenshot) {
    PlanScreenshot(frame, step.args[0]);
    return;
  }

  const std::string& name = step.args[0];
  std::string reason;
  HWND target = locator_.Find(frame, name, &reason);
  if (target == nullptr) {
    log_->Error(step.line, reason);
    return;
  }
  if (!IsWindowVisible(target)) {
    log_->Error(step.line, name + " is not visible");
    return;
  }
  switch (step.kind) {
    case Kind::kClick:
      PlanClick(target, name);
      break;
    case Kind::kType: {
      PlanFocus(target, name);
      std::wstring text = ToWide(step.args[1]);
      Then("typing into " + name, [target, text](std::string* why) {
        if (!ReadyForKeys(target, why)) return Progress::kWaiting;
        return Sent(InputDriver::TypeText(text), why);
      });
      break;
    }
    case Kind::kEnter:
    case Kind::kBackspace: {
      PlanFocus(target, name);
      WORD key = step.kind == Kind::kEnter ? VK_RETURN : VK_BACK;
      int count = step.kind == Kind::kEnter ? 1 : step.count;
      Then("pressing a key in " + name, [target, key, count](std::string* why) {
        if (!ReadyForKeys(target, why)) return Progress::kWaiting;
        return Sent(InputDriver::PressKey(key, count), why);
      });
      break;
    }
    case Kind::kSelect:
      if (!PlanSelect(target, name, step.args[1], &reason)) log_->Error(step.line, reason);
      break;
    case Kind::kMenu:
      PlanMenu(target, name, std::vector<std::string>(step.args.begin() + 1, step.args.end()));
      break;
    default:
      break;
  }
}

void ScenarioPlayer::PlanClick(HWND target, const std::string& name) {
  Then("bringing the frame of " + name + " forward", [target](std::string*) {
    RaiseFrameOf(target);
    EnsureForeground(target);
    return Progress::kDone;
  });
  // Raising a frame may take effect only after the window system's own
  // events have come back; until then another frame may still lie on top.
  Then("waiting for " + name + " to be uncovered", [target, name](std::string* why) {
    RECT rect;
    if (!IsWindow(target) || !GetWindowRect(target, &rect)) {
      *why = name + " has gone";
      return Progress::kFailed;
    }
    POINT center = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    HWND hit = WindowFromPoint(center);
    if (hit == target || IsChild(target, hit)) return Progress::kDone;
    *why = name + " is covered by a window of class " + (hit ? ClassNameOf(hit) : "(none)");
    RaiseFrameOf(target);
    return Progress::kWaiting;
  });
  Then("moving to " + name, [target, name](std::string* why) {
    RECT rect;
    if (!IsWindow(target) || !GetWindowRect(target, &rect)) {
      *why = name + " has gone";
      return Progress::kFailed;
    }
    return Sent(InputDriver::MoveTo((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2),
                why);
  });
  Then("pressing on " + name, [target, name](std::string* why) {
    POINT cursor;
    GetCursorPos(&cursor);
    HWND hit = WindowFromPoint(cursor);
    if (hit != target && !IsChild(target, hit)) {
      *why = name + " is covered by a window of class " + (hit ? ClassNameOf(hit) : "(none)");
      return Progress::kFailed;
    }
    return Sent(InputDriver::ButtonDown(), why);
  });
  Then("releasing on " + name, [](std::string* why) { return Sent(InputDriver::ButtonUp(), why); });
}

void ScenarioPlayer::PlanFocus(HWND target, const std::string& name) {
  if (!HasFocusIn(target)) {
    if (lstrcmpiA(ClassNameOf(target).c_str(), "Edit") == 0) {
      // A person clicks into a text box.
      PlanClick(target, name);
    } else {
      // A click would open a combo box's list; the focus alone is wanted.
      Then("focusing " + name, [target](std::string*) {
        EnsureForeground(target);
        SetFocus(target);
        return Progress::kDone;
      });
    }
  }
  Then("waiting for the focus on " + name, [target](std::string*) {
    // The thread's focus shows only while its frame is in the foreground.
    EnsureForeground(target);
    return HasFocusIn(target) ? Progress::kDone : Progress::kWaiting;
  });
}

bool ScenarioPlayer::PlanSelect(HWND combo, const std::string& name, const std::string& entry,
                                std::string* reason) {
  int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
  int index = -1;
  std::string entries;
  for (int i = 0; i < count; ++i) {
    int length = static_cast<int>(SendMessageA(combo, CB_GETLBTEXTLEN, i, 0));
    if (length < 0) continue;
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<std::size_t>(length));
    if (text == entry && index < 0) index = i;
    if (!entries.empty()) entries += ", ";
    entries += text;
  }
  if (index < 0) {
    *reason =
        name + " has no entry " + entry + " (it has: " + (entries.empty() ? "none" : entries) + ")";
    return false;
  }
  PlanClick(combo, name);
  Then("waiting for the list of " + name + " to open", [this, combo](std::string*) {
    if (!SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0)) return Progress::kWaiting;
    dropped_combo_ = combo;
    return Progress::kDone;
  });
  Then("pointing at " + entry, [combo, index, entry](std::string* why) {
    COMBOBOXINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetComboBoxInfo(combo, &info) || info.hwndList == nullptr) {
      *why = "the list cannot be found";
      return Progress::kFailed;
    }
    RECT item;
    RECT client;
    GetClientRect(info.hwndList, &client);
    SendMessageA(info.hwndList, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    if (item.top < client.top || item.bottom > client.bottom) {
      // Scroll the entry into view, as a person would with the scroll bar.
      SendMessageA(info.hwndList, LB_SETTOPINDEX, index, 0);
      SendMessageA(info.hwndList, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    }
    POINT center = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(info.hwndList, &center);
    return Sent(InputDriver::MoveTo(center.x, center.y), why);
  });
  Then("pressing on " + entry,
       [](std::string* why) { return Sent(InputDriver::ButtonDown(), why); });
  Then("releasing on " + entry,
       [](std::string* why) { return Sent(InputDriver::ButtonUp(), why); });
  Then("waiting for the list of " + name + " to close", [this, combo](std::string*) {
    if (SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0)) return Progress::kWaiting;
    dropped_combo_ = nullptr;
    return Progress::kDone;
  });
  return true;
}

void ScenarioPlayer::PlanMenu(HWND button, const std::string& name,
                              const std::vector<std::string>& entries) {
  PlanClick(button, name);
  Then("waiting for the menu of " + name, [this](std::string* why) {
    std::vector<HWND> menus = ThreadWindows(kPopupMenuClass);
    if (menus.empty()) return Progress::kWaiting;
    menu_window_ = menus.front();
    menu_ = reinterpret_cast<HMENU>(SendMessageA(menu_window_, MN_GETHMENU, 0, 0));
    if (menu_ == nullptr) {
      *why = "the popup menu window has no menu";
      return Progress::kFailed;
    }
    return Progress::kDone;
  });
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::string entry = entries[i];
    bool last = i + 1 == entries.size();
    Then("finding " + entry, [this, entry](std::string* why) {
      menu_entry_ = FindMenuEntry(menu_, entry);
      menu_presses_ = 0;
      if (menu_entry_ >= 0) return Progress::kDone;
      *why = "the menu has no entry " + entry + " (it has: " + MenuEntries(menu_) + ")";
      return Progress::kFailed;
    });
    // Keys sent as input do not reach a popup menu's loop under every
    // system; keys posted to the menu window do, as the menu reads its
    // thread's queue.
    Then("highlighting " + entry, [this, entry](std::string* why) {
      if (!IsWindow(menu_window_)) {
        *why = "the menu closed before " + entry + " was chosen";
        return Progress::kFailed;
      }
      if (GetMenuState(menu_, static_cast<UINT>(menu_entry_), MF_BYPOSITION) & MF_HILITE) {
        return Progress::kDone;
      }
      if (menu_presses_ > 2 * GetMenuItemCount(menu_) + 2) {
        *why = entry + " cannot be highlighted";
        return Progress::kFailed;
      }
      ++menu_presses_;
      PostMessageA(menu_window_, WM_KEYDOWN, VK_DOWN, 1);
      return Progress::kWaiting;
    });
    if (!last) {
      Then("opening " + entry, [this, entry](std::string* why) {
        HMENU submenu = GetSubMenu(menu_, menu_entry_);
        if (submenu == nullptr) {
          *why = entry + " has no submenu";
          return Progress::kFailed;
        }
        PostMessageA(menu_window_, WM_KEYDOWN, VK_RIGHT, 1);
        menu_ = submenu;
        menu_window_ = nullptr;
        return Progress::kDone;
      });
      Then("waiting for the submenu " + entry, [this](std::string*) {
        for (HWND window : ThreadWindows(kPopupMenuClass)) {
          if (reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0)) == menu_) {
            menu_window_ = window;
            return Progress::kDone;
          }
        }
        return Progress::kWaiting;
      });
    } else {
      Then("choosing " + entry, [this, entry](std::string* why) {
        if (GetSubMenu(menu_, menu_entry_) != nullptr) {
          *why = entry + " opens a submenu; name one of its entries too";
          return Progress::kFailed;
        }
        PostMessageA(menu_window_, WM_CHAR, '\r', 1);
        return Progress::kDone;
      });
    }
  }
  Then("waiting for the menu to close", [](std::string*) {
    return ThreadWindows(kPopupMenuClass).empty() ? Progress::kDone : Progress::kWaiting;
  });
}

void ScenarioPlayer::PlanClose(BrowserFrame* frame) {
  Then("closing frame " + std::to_string(frame->number()), [frame](std::string*) {
    // A frame closes from the message loop, never under an open menu.
    if (!ThreadWindows(kPopupMenuClass).empty()) {
      EndMenu();
      return Progress::kWaiting;
    }
    if (frame->is_open()) PostMessageA(frame->window(), WM_CLOSE, 0, 0);
    return Progress::kDone;
  });
  Then("waiting for frame " + std::to_string(frame->number()) + " to close",
       [frame](std::string*) { return frame->is_open() ? Progress::kWaiting : Progress::kDone; });
}

void ScenarioPlayer::PlanScreenshot(BrowserFrame* frame, const std::string& path) {
  Then("raising the frame", [frame](std::string* why) {
    if (!frame->is_open()) {
      *why = "the frame has closed";
      return Progress::kFailed;
    }
    SetWindowPos(frame->window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return Progress::kDone;
  });
  Then("taking the screenshot", [frame, path](std::string* why) {
    if (!frame->is_open()) {
      *why = "the frame has closed";
      return Progress::kFailed;
    }
    return FrameScreenshot::Save(frame->window(), path, why) ? Progress::kDone : Progress::kFailed;
  });
}
