#include "platform/windows_host_services.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <string>

#include "tests/support/gui_driver.h"
#include "tests/support/recording_window.h"
#include "tests/support/session_lock.h"
#include "toolbar/toolbar_messages.h"

namespace {

// A hidden window standing in for the band host window; it keeps the
// uninstall requests that reach its window procedure.
class HostWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host_.Create(0, 0, 10, 10, RecordingWindow::Shown::kHidden));
    window_ = host_.window();
  }

  std::size_t uninstalls() const { return host_.Of(UM_UNINSTALL).size(); }

  RecordingWindow host_;
  HWND window_ = nullptr;
};

TEST_F(HostWindowTest, UninstallIsPostedToTheHostWindow) {
  WindowsHostServices services(window_, UM_UNINSTALL);
  services.RequestUninstall();
  EXPECT_EQ(uninstalls(), 0u) << "posted, not sent";
  ASSERT_TRUE(PumpUntil([this] { return uninstalls() == 1; }));
}

// What the timer saw of the question box, and the answer it gave.
struct Answering {
  int answer = 0;
  bool seen = false;
  std::string text;
  std::string title;
  int default_button = 0;  // the button drawn as the default
};
Answering* answering = nullptr;

BOOL CALLBACK FindStaticText(HWND child, LPARAM lparam) {
  char class_name[16] = {};
  GetClassNameA(child, class_name, sizeof(class_name));
  char text[256] = {};
  GetWindowTextA(child, text, sizeof(text));
  if (lstrcmpiA(class_name, "Static") == 0 && text[0] != '\0') {
    *reinterpret_cast<std::string*>(lparam) = text;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK FindDialog(HWND window, LPARAM lparam) {
  char class_name[16] = {};
  GetClassNameA(window, class_name, sizeof(class_name));
  if (std::string(class_name) != "#32770" || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(lparam) = window;
  return FALSE;
}

void CALLBACK Answer(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
  if (dialog == nullptr || answering == nullptr || answering->seen) return;
  KillTimer(nullptr, timer);
  answering->seen = true;
  char title[256] = {};
  GetWindowTextA(dialog, title, sizeof(title));
  answering->title = title;
  EnumChildWindows(dialog, FindStaticText, reinterpret_cast<LPARAM>(&answering->text));
  for (int id : {IDYES, IDNO}) {
    HWND button = GetDlgItem(dialog, id);
    if (button != nullptr && (GetWindowLongA(button, GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON) {
      answering->default_button = id;
    }
  }
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(answering->answer, BN_CLICKED), 0);
}

TEST_F(HostWindowTest, QuestionHasNoAsItsDefault) {
  DesktopLock lock;
  ASSERT_TRUE(lock.held());
  struct Case {
    int answer;
    bool confirmed;
  } cases[] = {{IDYES, true}, {IDNO, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    Answering state;
    state.answer = c.answer;
    answering = &state;
    SetTimer(nullptr, 0, 50, Answer);
    WindowsHostServices services(window_, UM_UNINSTALL);
    EXPECT_EQ(services.Confirm("Remove the toolbar?", "Qel"), c.confirmed);
    answering = nullptr;
    ASSERT_TRUE(state.seen);
    EXPECT_EQ(state.title, "Qel");
    EXPECT_EQ(state.text, "Remove the toolbar?");
    EXPECT_EQ(state.default_button, IDNO);
  }
}

BOOL CALLBACK CollectShownWindow(HWND window, LPARAM lparam) {
  if (IsWindowVisible(window)) reinterpret_cast<std::set<HWND>*>(lparam)->insert(window);
  return TRUE;
}

std::set<HWND> ShownWindows() {
  std::set<HWND> shown;
  EnumWindows(CollectShownWindow, reinterpret_cast<LPARAM>(&shown));
  return shown;
}

// The program that the shell starts may show a window of its own; the test
// holds the desktop until it has gone again.
TEST_F(HostWindowTest, ShellOpensTheTarget) {
  DesktopLock lock;
  ASSERT_TRUE(lock.held());
  const std::set<HWND> shown_before = ShownWindows();
  char directory[MAX_PATH] = {};
  GetTempPathA(sizeof(directory), directory);
  const std::string script = std::string(directory) + "qel open test.cmd";
  const std::string mark = std::string(directory) + "qel open test.txt";
  std::remove(mark.c_str());
  {
    std::ofstream out(script, std::ios::binary);
    out << "@echo opened> \"" << mark << "\"\r\n";
  }
  WindowsHostServices services(window_, UM_UNINSTALL);
  services.OpenThroughShell(script);
  EXPECT_TRUE(
      PumpUntil([&] { return GetFileAttributesA(mark.c_str()) != INVALID_FILE_ATTRIBUTES; }, 20000))
      << "the shell did not run " << script;
  EXPECT_TRUE(PumpUntil([&] { return ShownWindows() == shown_before; }, 20000))
      << "the opened program's window stayed";
  std::remove(script.c_str());
  std::remove(mark.c_str());
}

}  // namespace
