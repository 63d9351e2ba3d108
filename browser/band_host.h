#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "toolbar/window_object.h"

class CommandDispatcher;
class ImageStrip;
class ModulePath;
class ToolbarDefinition;
class ToolbarStrip;
class WebBrowserNavigator;
class WindowsHostServices;
struct IWebBrowser2;

// The toolbar's presence in one browser window. It loads in its constructor
// ("qel.ini" beside the module, the definition its "DataURL" names, then the
// button image strip) and, once the browser helper object hands it the
// browser and its rebar, sets up its window (class "VessikToolBandClass")
// with the toolbar strip and the command dispatcher and inserts it into the
// rebar as a band. Its window receives the strip's private messages and
// turns each into a call on the dispatcher. A failed load leaves it not
// loaded: set-up then does nothing and the browser window has no toolbar.
class BandHost : public WindowObject<BandHost> {
 public:
  static constexpr char kWindowClass[] = "VessikToolBandClass";
  static constexpr UINT kBandId = 97;
  // The band is this much higher than the image strip.
  static constexpr int kBandPadding = 6;
  static constexpr int kMinBandWidth = 200;
  static constexpr int kDefaultBarHeight = 22;
  static constexpr int kInitialStripWidth = 100;

  // What uninstalling calls to remove the module's registration.
  using Unregister = HRESULT (*)();

  // The load stage. `instance` is the module's (window classes, windows);
  // `module` locates "qel.ini" and the image-list cache and is used only
  // here.
  BandHost(HINSTANCE instance, const ModulePath& module, Unregister unregister);
  ~BandHost();
  BandHost(const BandHost&) = delete;
  BandHost& operator=(const BandHost&) = delete;

  // The set-up stage. The browser is borrowed: its owner keeps it alive as
  // long as this object. True when this call set the toolbar up; false when
  // it was set up before, is not loaded, lacks a browser or rebar, or its
  // window could not be made.
  bool SetUp(IWebBrowser2* browser, HWND rebar);

  bool loaded() const { return loaded_; }
  HWND rebar() const { return rebar_; }
  HWND strip_window() const { return strip_window_; }
  int image_height() const { return image_height_; }
  ToolbarDefinition* definition() const { return definition_.get(); }
  ToolbarStrip* strip() const { return strip_.get(); }

 private:
  friend class WindowObject<BandHost>;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

  bool Load(const ModulePath& module);
  bool CreateHostWindow();
  void InsertBand();
  void Uninstall();
  void Paint();
  void FitStrip();

  void OnTextSubmitted(const char* text);
  void OnButtonClicked(LPARAM record);
  void OnMenuChosen(WPARAM command);
  void OnComboChosen(const char* name);

  HINSTANCE instance_;
  Unregister unregister_;
  HWND rebar_ = nullptr;
  HWND strip_window_ = nullptr;
  IWebBrowser2* browser_ = nullptr;
  int image_height_ = 0;
  bool loaded_ = false;
  std::unique_ptr<ToolbarDefinition> definition_;
  std::unique_ptr<ImageStrip> image_strip_;
  std::unique_ptr<ToolbarStrip> strip_;
  std::unique_ptr<CommandDispatcher> dispatcher_;
  std::unique_ptr<WebBrowserNavigator> navigator_;
  std::unique_ptr<WindowsHostServices> host_services_;
};
