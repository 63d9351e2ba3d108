#pragma once

#include <windows.h>
#include <exdisp.h>

#include <string>

// A toolbar band made the way the real one is, only smaller: a band window
// in the browser's rebar (band 97), a strip of the toolbar's class inside it and, left to
// right, a button "tbGo", a text box, a button "tbAsk", a combo box, a
// button "tbMenu", a second text box and a button "tbInfo". Buttons are windows whose class is
// their name. As in the toolbar, a text box that gets the focus has its text
// selected, Backspace reaches it through a message hook and Enter submits
// it. What the user does ends in Navigate2 with an address that says what
// happened ("edit1:TEXT", "combo:TEXT", "menu:TEXT", ...).
class TestBand {
 public:
  static constexpr UINT kBandId = 97;
  static constexpr int kStripHeight = 24;

  TestBand(int number, IWebBrowser2* browser, HWND rebar);
  ~TestBand();
  TestBand(const TestBand&) = delete;
  TestBand& operator=(const TestBand&) = delete;

  bool Create();
  HWND window() const { return window_; }

 private:
  static constexpr UINT kButtonClicked = WM_APP + 10;  // wParam: button number
  static constexpr UINT kTextSubmitted = WM_APP + 11;  // wParam: edit window

  static LRESULT CALLBACK BandProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK StripProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK ButtonProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK KeyHook(int code, WPARAM wparam, LPARAM lparam);

  LRESULT HandleBandMessage(UINT message, WPARAM wparam, LPARAM lparam);
  HWND MakeButton(const char* name, int x, int width, int number);
  void OnButton(int number);
  void Navigate(const std::string& address);

  int number_;
  IWebBrowser2* browser_;  // borrowed from the helper object
  HWND rebar_;
  HWND window_ = nullptr;
  HWND strip_ = nullptr;
  HWND first_edit_ = nullptr;
  HWND second_edit_ = nullptr;
  HWND combo_ = nullptr;
  HWND menu_button_ = nullptr;
  HHOOK hook_ = nullptr;
};
