#pragma once

#include <windows.h>
#include <ocidl.h>

#include <atomic>
#include <deque>
#include <string>
#include <vector>

#include "platform/com_handles.h"
#include "platform/gdi_handles.h"
#include "toolbar/window_object.h"
#include "tools/qelhost/browser_helper_registry.h"

class EventLog;
class HostApplication;
class WebBrowser;

// A browser helper object as one frame holds it.
struct LoadedHelper {
  HelperClass helper;
  ComPtr<IObjectWithSite> object;  // the frame's reference; null when creation failed
  std::string module_file;         // the loaded module's file name, as it sees itself
  double create_ms = -1;           // CoCreateInstance, including the module's own load
  double set_site_ms = -1;         // SetSite with the browser
  double band_ms = -1;             // from CoCreateInstance to its band's insertion
};

// One browser window: a top-level frame whose chain of first children leads
// to the rebar (frame, container, "ReBarWindow32"), an address band in the
// rebar, a view below that shows the current address, and the browser
// object that helper objects get as their site. It watches the rebar, so
// the log tells when a band is inserted or hidden.
//
// Like a browser window it lives on a user-interface thread of its own:
// everything but is_open(), number(), window() and thread_id() is called on
// that thread.
class BrowserFrame : public WindowObject<BrowserFrame> {
 public:
  static constexpr UINT kAddressBandId = 1;
  static constexpr char kFrameClass[] = "QelHostFrame";
  static constexpr char kContainerClass[] = "QelHostContainer";
  static constexpr char kViewClass[] = "QelHostView";

  BrowserFrame(int number, EventLog* log, HostApplication* app);
  ~BrowserFrame();
  BrowserFrame(const BrowserFrame&) = delete;
  BrowserFrame& operator=(const BrowserFrame&) = delete;

  // On the frame's thread, which becomes thread_id().
  bool Create(int x, int y, int width, int height);

  // Creates every helper class with CoCreateInstance and hands it the
  // browser with SetSite, in order. Logs "toolbar none" when no band came.
  void LoadHelpers(const std::vector<HelperClass>& helpers);

  // "timing ..." lines, one per helper class.
  std::vector<std::string> TimingLines() const;

  // SetSite(NULL) and Release for every helper, in load order, then the
  // windows go. Safe to call more than once, also after the window was
  // destroyed from elsewhere.
  void Close();

  // Open from a successful Create until Close begins.
  bool is_open() const { return open_; }
  int number() const { return number_; }
  // The frame's window handle, kept after the window has gone (the live one
  // is WindowObject's).
  HWND window() const { return handle_; }
  DWORD thread_id() const { return thread_id_; }
  const std::vector<LoadedHelper>& helpers() const { return helpers_; }
  const std::string& address() const { return address_; }

  // What the browser object asks of its window.
  bool address_bar_visible() const { return address_bar_visible_; }
  void SetAddressBarVisible(bool visible);
  // Logs the request, fires BeforeNavigate2 and, unless a sink cancels,
  // shows the address and completes the navigation from the message loop.
  void Navigate(const std::string& address);

 private:
  static constexpr UINT kNavigatedMessage = WM_APP + 1;
  static constexpr UINT kLayoutMessage = WM_APP + 2;

  // A child of the frame with a class of its own, whose messages go to a
  // member of the frame.
  class Pane : public WindowObject<Pane> {
   public:
    using Handler = LRESULT (BrowserFrame::*)(UINT message, WPARAM wparam, LPARAM lparam);
    Pane(BrowserFrame* frame, Handler handler) : frame_(frame), handler_(handler) {}
    using WindowObject<Pane>::RegisterWindowClass;
    using WindowObject<Pane>::DefaultHandling;

   private:
    friend class WindowObject<Pane>;
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
      return (frame_->*handler_)(message, wparam, lparam);
    }
    BrowserFrame* frame_;
    Handler handler_;
  };

  friend class WindowObject<BrowserFrame>;
  static bool RegisterClasses(HINSTANCE instance);
  static LRESULT CALLBACK RebarProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleContainerMessage(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleViewMessage(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleRebarMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void PaintView();
  void Layout();
  bool InsertAddressBand();
  UINT BandIdAt(int index) const;
  void OnBandInserted(UINT id);
  void FinishNavigation();
  double MillisecondsSince(LONGLONG start) const;

  int number_;
  EventLog* log_;
  HostApplication* app_;
  HWND handle_ = nullptr;
  DWORD thread_id_ = 0;
  std::atomic<bool> open_{false};
  Pane container_{this, &BrowserFrame::HandleContainerMessage};
  HWND rebar_ = nullptr;
  HWND address_edit_ = nullptr;
  Pane view_{this, &BrowserFrame::HandleViewMessage};
  WNDPROC rebar_proc_ = nullptr;
  GdiObject<HFONT> font_;
  ComPtr<WebBrowser> browser_;
  std::vector<LoadedHelper> helpers_;
  int loading_helper_ = -1;  // index of the helper in CoCreateInstance or SetSite
  LONGLONG load_start_ = 0;
  LONGLONG ticks_per_second_ = 1;
  int foreign_bands_ = 0;
  bool address_bar_visible_ = true;
  bool closing_ = false;
  bool released_ = false;  // the helpers have had SetSite(NULL) and Release
  std::string address_ = "about:blank";
  std::deque<std::string> pending_navigations_;
};
