#include "tools/qelhost/host_application.h"

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <algorithm>
#include <cstdio>

#include "tools/qelhost/browser_frame.h"
#include "tools/qelhost/process_resources.h"
#include "tools/qelhost/scenario.h"
#include "tools/qelhost/scenario_player.h"

namespace {

constexpr int kFrameWidth = 800;
constexpr int kFrameHeight = 420;
constexpr int kCascadeStep = 40;

// What the process holds now, as one line of standard output.
void PrintResources(int cycle, const char* when) {
  std::printf("resources cycle=%d %s %s\n", cycle, when, ProcessResources::Now().Text().c_str());
  std::fflush(stdout);
}

}  // namespace

HostApplication::HostApplication(const HostOptions& options) : options_(options) {}

HostApplication::~HostApplication() {
  for (std::thread& thread : threads_) {
    if (thread.joinable()) thread.join();
  }
}

int HostApplication::Run() {
  if (!log_.Open(options_.log())) {
    std::fprintf(stderr, "qelhost: cannot write the log %s\n", options_.log().c_str());
    return 2;
  }
  if (!options_.scenario().empty()) {
    Scenario scenario;
    if (!scenario.LoadFile(options_.scenario())) {
      log_.Error("play " + options_.scenario(), "the scenario cannot be read");
      return 1;
    }
    player_ = std::make_unique<ScenarioPlayer>(this, scenario.steps());
  }

  helpers_ = BrowserHelperRegistry::ListHelpers();
  if (options_.cycles() > 0) return RunCycles();
  // All frame objects exist before the first thread starts: other threads
  // look through the list.
  for (int i = 0; i < options_.windows(); ++i) {
    frames_.push_back(std::make_unique<BrowserFrame>(i + 1, &log_, this));
  }
  HANDLE ready = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  for (std::size_t i = 0; i < frames_.size(); ++i) {
    int offset = static_cast<int>(i) * kCascadeStep;
    threads_.emplace_back(&HostApplication::RunFrame, this, frames_[i].get(), offset, offset,
                          ready);
    WaitForSingleObject(ready, INFINITE);
  }
  CloseHandle(ready);

  if (player_ != nullptr) {
    player_->Start();
  } else if (options_.timings()) {
    CloseAllFrames();
  }
  for (std::thread& thread : threads_) thread.join();
  threads_.clear();
  // Steps left when the last frame went have nothing to act on.
  if (player_ != nullptr) player_->PlayWithoutFrames();
  return log_.had_error() ? 1 : 0;
}

void HostApplication::RunFrame(BrowserFrame* frame, int x, int y, HANDLE ready) {
  if (FAILED(OleInitialize(nullptr))) {
    log_.Error("start",
               "OleInitialize failed on the thread of frame " + std::to_string(frame->number()));
    SetEvent(ready);
    return;
  }
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_COOL_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  bool created = frame->Create(x, y, kFrameWidth, kFrameHeight);
  if (created) {
    frame->LoadHelpers(helpers_);
    if (options_.timings()) {
      for (const std::string& line : frame->TimingLines()) std::printf("%s\n", line.c_str());
      std::fflush(stdout);
    }
    if (player_ != nullptr) player_->AttachThread();
  } else {
    log_.Error("start", "frame " + std::to_string(frame->number()) + " cannot be created");
  }
  SetEvent(ready);

  if (created) {
    // The browser's loop: Backspace is its own key (Back), so the key-down
    // is not translated into a character for whatever window has the
    // focus; a band that wants Backspace has to take it on its own, as in
    // the browser.
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
      if (message.message == WM_KEYDOWN && message.wParam == VK_BACK) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  if (player_ != nullptr) player_->DetachThread();
  frame->Close();
  OleUninitialize();
}

int HostApplication::RunCycles() {
  // The first cycles load the modules and fill the caches of the system;
  // what the process holds after them is the baseline.
  const int baseline = std::max(1, options_.cycles() / 10);
  // A browser with one more window open keeps the helpers' modules loaded;
  // otherwise COM unloads them with the last frame's apartment.
  std::vector<HMODULE> kept;
  if (options_.keep_loaded()) {
    for (const HelperClass& helper : helpers_) {
      HMODULE module = LoadLibraryA(helper.server_path.c_str());
      if (module != nullptr) kept.push_back(module);
    }
  }
  HANDLE ready = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  for (int cycle = 1; cycle <= options_.cycles(); ++cycle) {
    BrowserFrame frame(cycle, &log_, this);
    std::thread thread(&HostApplication::RunFrame, this, &frame, 0, 0, ready);
    WaitForSingleObject(ready, INFINITE);
    if (cycle == baseline) PrintResources(cycle, "open");
    if (frame.is_open()) PostMessageA(frame.window(), WM_CLOSE, 0, 0);
    thread.join();
    if (cycle == baseline || cycle == options_.cycles()) PrintResources(cycle, "closed");
  }
  CloseHandle(ready);
  for (HMODULE module : kept) FreeLibrary(module);
  return log_.had_error() ? 1 : 0;
}

BrowserFrame* HostApplication::CurrentFrame() {
  for (const auto& frame : frames_) {
    if (frame->is_open()) return frame.get();
  }
  return nullptr;
}

void HostApplication::OnFrameClosed(BrowserFrame*) { PostQuitMessage(0); }

void HostApplication::FinishScenario() { CloseAllFrames(); }

void HostApplication::CloseAllFrames() {
  // Each frame closes on its own thread, from its message loop.
  for (const auto& frame : frames_) {
    if (frame->is_open()) PostMessageA(frame->window(), WM_CLOSE, 0, 0);
  }
}
