#pragma once

#include <windows.h>

#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "toolbar/window_object.h"
#include "tools/qelhost/control_locator.h"
#include "tools/qelhost/scenario.h"

class BrowserFrame;
class EventLog;
class HostApplication;

// Plays a scenario against the toolbar of the first open frame.
//
// Every frame's thread has a timer of the player; only the thread of the
// first open frame acts on it, so every step runs on the thread where that
// frame's toolbar lives. A timer message is only delivered when no input or
// posted message is waiting, so each action sees the effects of the previous
// one (a click, the messages it posted, the navigation it caused). Timer
// messages are also dispatched by the modal loops of message boxes and popup
// menus, which is how the player answers a message box and walks a menu
// while the toolbar waits in MessageBoxA or TrackPopupMenu.
class ScenarioPlayer {
 public:
  ScenarioPlayer(HostApplication* app, const std::vector<ScenarioStep>& steps);
  ~ScenarioPlayer();
  ScenarioPlayer(const ScenarioPlayer&) = delete;
  ScenarioPlayer& operator=(const ScenarioPlayer&) = delete;

  // On each frame's thread, before its message loop starts and after it
  // ended.
  bool AttachThread();
  void DetachThread();
  // All frames are up: the first step may run.
  void Start();
  // On the main thread once every frame has gone: the steps still to come
  // can only report that no frame is open.
  void PlayWithoutFrames();

  static constexpr UINT kTickMilliseconds = 20;
  // A step that waits for something (a menu, a list, the focus) longer than
  // this fails.
  static constexpr DWORD kWaitLimitMilliseconds = 10000;

  // What an action reports on each tick.
  enum class Progress { kDone, kWaiting, kFailed };

 private:
  using Action = std::function<Progress(std::string* reason)>;
  struct PendingAction {
    std::string what;  // for the error line when it takes too long
    Action run;
    bool limited;  // fails after kWaitLimitMilliseconds
  };

  // The message-only window of one frame thread, which owns the thread's
  // timer and never shows.
  class TimerWindow : public WindowObject<TimerWindow> {
   public:
    explicit TimerWindow(ScenarioPlayer* player) : player_(player) {}
    ~TimerWindow();
    // False when the window or its timer could not be made.
    bool Create();

   private:
    friend class WindowObject<TimerWindow>;
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
    ScenarioPlayer* player_;
  };

  void Tick();
  bool AnswerMessageBox();
  void BeginStep(const ScenarioStep& step);
  void Fail(const std::string& reason);
  bool Finish();

  void Then(const std::string& what, Action run, bool limited = true);
  void PlanClick(HWND target, const std::string& name);
  void PlanFocus(HWND target, const std::string& name);
  bool PlanSelect(HWND combo, const std::string& name, const std::string& entry,
                  std::string* reason);
  void PlanMenu(HWND button, const std::string& name, const std::vector<std::string>& entries);
  void PlanClose(BrowserFrame* frame);
  void PlanScreenshot(BrowserFrame* frame, const std::string& path);

  HostApplication* app_;
  EventLog* log_;
  std::vector<ScenarioStep> steps_;
  std::size_t next_step_ = 0;
  std::string current_line_;
  std::deque<PendingAction> actions_;
  DWORD action_started_ = 0;
  bool action_running_ = false;
  std::recursive_mutex mutex_;                         // one thread acts at a time
  std::vector<std::unique_ptr<TimerWindow>> windows_;  // one per frame thread
  std::atomic<bool> started_{false};
  bool in_tick_ = false;
  bool finished_ = false;
  int pending_answer_ = 0;  // IDYES, IDNO or 0
  std::string answer_line_;
  std::vector<HWND> answered_;
  ControlLocator locator_;
  HWND dropped_combo_ = nullptr;
  // The menu walk: the popup at hand, its window and the entry sought.
  HMENU menu_ = nullptr;
  HWND menu_window_ = nullptr;
  int menu_entry_ = -1;
  int menu_presses_ = 0;
};
