#pragma once

#include <memory>
#include <thread>
#include <vector>

#include "tools/qelhost/browser_helper_registry.h"
#include "tools/qelhost/event_log.h"
#include "tools/qelhost/host_options.h"

class BrowserFrame;
class ScenarioPlayer;

// The host program. Like a browser it gives every frame a user-interface
// thread of its own (a single-threaded COM apartment with its own message
// loop), and loads the browser helper objects into each frame on that
// thread. Frames start one after the other, so the start-up lines of the
// log come frame by frame. A scenario, if there is one, starts when all
// frames are up.
class HostApplication {
 public:
  explicit HostApplication(const HostOptions& options);
  ~HostApplication();
  HostApplication(const HostApplication&) = delete;
  HostApplication& operator=(const HostApplication&) = delete;

  // The process's exit status: 0, or 1 when something failed.
  int Run();

  // The first frame that is still open; null when all have closed.
  BrowserFrame* CurrentFrame();

  // Called on a frame's thread when its windows are gone: that thread's
  // message loop ends.
  void OnFrameClosed(BrowserFrame* frame);

  // The scenario has run its last step: every frame closes.
  void FinishScenario();

  EventLog* log() { return &log_; }

 private:
  // The body of a frame's thread. `ready` is signalled once the frame is up
  // with its helper objects (or failed to come up).
  void RunFrame(BrowserFrame* frame, int x, int y, HANDLE ready);
  void CloseAllFrames();
  // --cycles: one frame at a time, each on a thread of its own as a
  // browser opens windows, closed as soon as its helpers are loaded.
  int RunCycles();

  HostOptions options_;
  EventLog log_;
  std::vector<HelperClass> helpers_;
  std::vector<std::unique_ptr<BrowserFrame>> frames_;
  std::vector<std::thread> threads_;
  std::unique_ptr<ScenarioPlayer> player_;
};
