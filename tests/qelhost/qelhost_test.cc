// qelhost.exe end to end under Wine, with the test helper object standing in
// for the toolbar module: real windows, real input, the log and the helper's
// trace read back.
#include <windows.h>

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "tests/qelhost/host_test_rig.h"
#include "tests/qelhost/png_picture.h"
#include "tests/qelhost/test_helper_ids.h"
#include "tests/support/test_http_server.h"

namespace {

constexpr char kBandLine[] = "band id=97 height=30";  // the helper's strip is 24 high, plus 6
constexpr char kQuestion[] = "messagebox Test Bar | Remove the toolbar? -> ";
constexpr COLORREF kBandColour = RGB(255, 0, 0);  // the helper's band window
constexpr int kFrameWidth = 800;                  // the host's frame, outer size
constexpr int kFrameHeight = 420;

// Expected lines; one ending in "..." matches any line that begins with the
// text before it.
void ExpectLines(const std::vector<std::string>& actual, const std::vector<std::string>& expected) {
  std::string all;
  for (const std::string& line : actual) all += "\n  " + line;
  SCOPED_TRACE("actual lines:" + all);
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const std::string& want = expected[i];
    if (want.size() >= 3 && want.compare(want.size() - 3, 3, "...") == 0) {
      EXPECT_EQ(actual[i].substr(0, want.size() - 3), want.substr(0, want.size() - 3));
    } else {
      EXPECT_EQ(actual[i], want);
    }
  }
}

// The position of the first line that begins with `prefix`; -1 if none.
int IndexOf(const std::vector<std::string>& lines, const std::string& prefix) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].compare(0, prefix.size(), prefix) == 0) return static_cast<int>(i);
  }
  return -1;
}

std::string AfterLast(const std::string& text, const std::string& marker) {
  std::size_t at = text.rfind(marker);
  return at == std::string::npos ? "" : text.substr(at + marker.size());
}

class QelhostTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(rig_.problem(), ""); }

  HostTestRig rig_;
};

struct StepCase {
  const char* name;
  const char* scenario;
  std::vector<std::string> log;  // after the band line
};

TEST_F(QelhostTest, StepsReachTheToolbarAndTheLogSaysWhatHappened) {
  const StepCase cases[] = {
      {"click", "click tbGo\n", {"navigate http://127.0.0.1/go"}},
      {"comments and blank lines",
       "# a comment\n\n  click tbGo\n",
       {"navigate http://127.0.0.1/go"}},
      {"type and enter",
       "type txtFirst hello world\nenter txtFirst\n",
       {"navigate edit1:hello world"}},
      {"the second text box by its place in the store",
       "type txtSecond abc\nenter txtSecond\n",
       {"navigate edit2:abc"}},
      {"each backspace removes one character",
       "type txtSecond abcd\nbackspace txtSecond 2\n"
       "enter txtSecond\n",
       {"navigate edit2:ab"}},
      {"a quoted text keeps its spaces",
       "type txtFirst \"  two  words \"\nenter txtFirst\n",
       {"navigate edit1:  two  words "}},
      {"typing again goes on where the caret is",
       "type txtFirst ab\ntype txtFirst cd\n"
       "enter txtFirst\n",
       {"navigate edit1:abcd"}},
      {"typing into a text box that has text replaces it",
       "type txtFirst old\n"
       "type txtSecond x\ntype txtFirst new\nenter txtFirst\n",
       {"navigate edit1:new"}},
      {"select", "select cboSites Gamma Ray\n", {"navigate combo:Gamma Ray"}},
      {"select the last entry", "select cboSites Delta\n", {"navigate combo:Delta"}},
      {"menu entry", "menu tbMenu Home\n", {"navigate menu:Home"}},
      {"submenu entry", "menu tbMenu Sites Two\n", {"navigate menu:Two"}},
      {"entry with an accelerator mark", "menu tbMenu Last\n", {"navigate menu:Last"}},
      {"a step after a menu",
       "menu tbMenu Sites One\nclick tbGo\n",
       {"navigate menu:One", "navigate http://127.0.0.1/go"}},
      {"answer no",
       "answer no\nclick tbAsk\n",
       {std::string(kQuestion) + "no", "navigate answer:no"}},
      {"answer yes",
       "answer yes\nclick tbAsk\n",
       {std::string(kQuestion) + "yes", "navigate answer:yes", "band hidden"}},
      {"wait", "wait 50\nclick tbGo\n", {"navigate http://127.0.0.1/go"}},
  };
  for (const StepCase& c : cases) {
    SCOPED_TRACE(c.name);
    HostRun run = rig_.Play(c.scenario);
    EXPECT_EQ(run.exit_code, 0);
    std::vector<std::string> expected = {kBandLine};
    expected.insert(expected.end(), c.log.begin(), c.log.end());
    ExpectLines(run.log, expected);
  }
}

TEST_F(QelhostTest, AStepThatCannotBeCarriedOutIsAnErrorAndTheRestStillRuns) {
  const StepCase cases[] = {
      {"unknown control",
       "click tbNothing\n",
       {"error click tbNothing: no control named tbNothing"}},
      {"a control without a window",
       "click __Nam_Comm\n",
       {"error click __Nam_Comm: no window of class __Nam_Comm (a BUTTON in the control store)"}},
      {"unknown step",
       "frobnicate now\nclick tbGo\n",
       {"error frobnicate now: unknown step frobnicate", "navigate http://127.0.0.1/go"}},
      {"bad arguments", "answer maybe\n", {"error answer maybe: answer is yes or no"}},
      {"missing menu entry, menu closed afterwards",
       "menu tbMenu Nope\nclick tbGo\n",
       {"error menu tbMenu Nope: the menu has no entry Nope (it has: Home, Sites, &Last)",
        "navigate http://127.0.0.1/go"}},
      {"an entry that opens a submenu",
       "menu tbMenu Sites\nmenu tbMenu Home\n",
       {"error menu tbMenu Sites: Sites opens a submenu; name one of its entries too",
        "navigate menu:Home"}},
      {"a plain entry named as a submenu",
       "menu tbMenu Home One\n",
       {"error menu tbMenu Home One: Home has no submenu"}},
      {"missing combo entry",
       "select cboSites Omega\nselect cboSites Beta\n",
       {"error select cboSites Omega: cboSites has no entry Omega (it has: Alpha, Beta, Gamma Ray, "
        "Delta)",
        "navigate combo:Beta"}},
      {"an answer no message box used",
       "answer yes\n",
       {"error answer yes: no message box appeared"}},
      {"an answer overtaken by another",
       "answer yes\nanswer no\nclick tbAsk\n",
       {"error answer yes: no message box appeared", std::string(kQuestion) + "no",
        "navigate answer:no"}},
      {"a message box without an answer gets no",
       "click tbAsk\n",
       {"error click tbAsk: a message box appeared without an answer",
        std::string(kQuestion) + "no", "navigate answer:no"}},
      {"a message box without the button named",
       "answer yes\nclick tbInfo\n",
       {"error click tbInfo: the message box has no yes button",
        "messagebox Test Bar | Nothing to ask -> ok", "navigate info:seen"}},
      {"a hidden control",
       "answer yes\nclick tbAsk\nclick tbGo\n",
       {std::string(kQuestion) + "yes", "navigate answer:yes", "band hidden",
        "error click tbGo: tbGo is not visible"}},
      {"steps after the last frame",
       "close\nclick tbGo\nscreenshot x.png\nwait 10\nanswer no\n",
       {"error click tbGo: no open frame", "error screenshot x.png: no open frame",
        "error answer no: no message box appeared"}},
  };
  for (const StepCase& c : cases) {
    SCOPED_TRACE(c.name);
    HostRun run = rig_.Play(c.scenario);
    EXPECT_EQ(run.exit_code, 1);
    std::vector<std::string> expected = {kBandLine};
    expected.insert(expected.end(), c.log.begin(), c.log.end());
    ExpectLines(run.log, expected);
  }
}

TEST_F(QelhostTest, AStepWaitsForWhatItNeedsOnlySoLong) {
  // tbGo opens no menu: the step gives up after its wait limit, and the
  // next step runs.
  HostRun run = rig_.Play("menu tbGo Home\nclick tbGo\n");
  EXPECT_EQ(run.exit_code, 1);
  ExpectLines(run.log, {kBandLine, "navigate http://127.0.0.1/go",
                        "error menu tbGo Home: timed out waiting for the menu of tbGo",
                        "navigate http://127.0.0.1/go"});
}

TEST_F(QelhostTest, AScreenshotThatCannotBeWrittenIsAnError) {
  std::string path = rig_.dir().PathOf("missing\\shot.png");
  HostRun run = rig_.Play("screenshot " + path + "\n");
  EXPECT_EQ(run.exit_code, 1);
  ExpectLines(run.log,
              {kBandLine, "error screenshot " + path + ": opening " + path + " failed..."});
  EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(QelhostTest, AMissingScenarioIsAnError) {
  std::string path = rig_.dir().PathOf("none.txt");
  HostRun run = rig_.Run({"--play", path, "--log", rig_.dir().PathOf("log.txt")});
  EXPECT_EQ(run.exit_code, 1);
  ExpectLines(run.log, {"error play " + path + ": the scenario cannot be read"});
  EXPECT_TRUE(run.trace.empty()) << "no frame should have opened";
}

TEST_F(QelhostTest, BadCommandLinesAreRefusedWithTheUsage) {
  const std::vector<std::vector<std::string>> cases = {
      {"--windows", "0"}, {"--windows"}, {"--bogus"}, {"--log"}};
  for (const auto& args : cases) {
    SCOPED_TRACE(args[0]);
    HostRun run = rig_.Run(args);
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_NE(run.err.find("usage: qelhost"), std::string::npos) << run.err;
    EXPECT_TRUE(run.trace.empty());
  }
  HostRun help = rig_.Run({"--help"});
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_NE(help.out.find("usage: qelhost"), std::string::npos);
}

TEST_F(QelhostTest, TheHelperFindsTheRebarDownTheFirstChildrenOfTheTopWindow) {
  HostRun run = rig_.Play("wait 0\n");
  EXPECT_EQ(run.exit_code, 0);
  ExpectLines(run.log, {kBandLine});
  ExpectLines(run.trace,
              {"create 1",
               "setsite 1 browser top=QelHostFrame toplevel=yes "
               "rebar-depth=2 thread=...",
               "event 1 OnQuit", "setsite 1 null", "release 1 band=alive frame=alive site=kept"});
}

TEST_F(QelhostTest, NavigationFiresTheEventsThenCloseSetsTheSiteToNullBeforeTheRelease) {
  HostRun run = rig_.Play("click tbGo\n");
  EXPECT_EQ(run.exit_code, 0);
  ExpectLines(run.trace,
              {"create 1", "setsite 1 browser ...", "event 1 BeforeNavigate2 http://127.0.0.1/go",
               "event 1 NavigateComplete2 http://127.0.0.1/go",
               "event 1 DocumentComplete http://127.0.0.1/go", "event 1 OnQuit", "setsite 1 null",
               "release 1 band=alive frame=alive site=kept"});
}

TEST_F(QelhostTest, ANavigationCancelledInBeforeNavigate2NeverCompletes) {
  rig_.SetEnvironment(QELHOST_TEST_CANCEL_VARIABLE, "/go");
  HostRun run = rig_.Play("click tbGo\ntype txtFirst x\nenter txtFirst\n");
  EXPECT_EQ(run.exit_code, 0);
  ExpectLines(run.log, {kBandLine, "navigate http://127.0.0.1/go", "navigate edit1:x"});
  ExpectLines(run.trace, {"create 1", "setsite 1 browser ...",
                          "event 1 BeforeNavigate2 http://127.0.0.1/go (cancelled)",
                          "event 1 BeforeNavigate2 edit1:x", "event 1 NavigateComplete2 edit1:x",
                          "event 1 DocumentComplete edit1:x", "event 1 OnQuit", "setsite 1 null",
                          "release 1 ..."});
}

TEST_F(QelhostTest, ScreenshotShowsTheFrameWithTheBand) {
  std::string path = rig_.dir().PathOf("shot.png");
  HostRun run = rig_.Play("screenshot " + path + "\n");
  EXPECT_EQ(run.exit_code, 0);
  PngPicture picture;
  ASSERT_TRUE(picture.Load(path));
  // The frame's client area: its outer size less what the system adds.
  RECT frame = {0, 0, 0, 0};
  AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_TOPMOST);
  EXPECT_EQ(picture.width(), kFrameWidth - (frame.right - frame.left));
  EXPECT_EQ(picture.height(), kFrameHeight - (frame.bottom - frame.top));
  // The band row below the address band, the view below the rebar.
  EXPECT_GT(picture.Count(kBandColour), 1000);
  EXPECT_EQ(picture.At(picture.width() / 2, picture.height() - 20), RGB(255, 255, 255));
}

TEST_F(QelhostTest, PutAddressBarFalseHidesTheAddressBand) {
  std::string shown_path = rig_.dir().PathOf("shown.png");
  HostRun shown = rig_.Play("screenshot " + shown_path + "\n");
  ExpectLines(shown.log, {kBandLine});

  rig_.SetEnvironment(QELHOST_TEST_ADDRESS_BAR_VARIABLE, "off");
  std::string hidden_path = rig_.dir().PathOf("hidden.png");
  HostRun hidden = rig_.Play("screenshot " + hidden_path + "\n");
  EXPECT_EQ(hidden.exit_code, 0);
  ExpectLines(hidden.log, {kBandLine, "addressbar hidden"});
  EXPECT_NE(IndexOf(hidden.trace, "addressbar 1 hidden"), -1);

  // Without the address band the toolbar's band moves up by at least the
  // height of the address text box.
  PngPicture with_address;
  PngPicture without_address;
  ASSERT_TRUE(with_address.Load(shown_path));
  ASSERT_TRUE(without_address.Load(hidden_path));
  int shown_row = with_address.FirstRowWith(kBandColour);
  int hidden_row = without_address.FirstRowWith(kBandColour);
  ASSERT_NE(hidden_row, -1);
  EXPECT_GE(shown_row - hidden_row, 22);
}

TEST_F(QelhostTest, NoBandMeansToolbarNone) {
  rig_.SetEnvironment(QELHOST_TEST_NO_BAND_VARIABLE, "1");
  HostRun run = rig_.Play("wait 0\n");
  EXPECT_EQ(run.exit_code, 0);
  ExpectLines(run.log, {"toolbar none"});
}

TEST_F(QelhostTest, AClassThatCannotBeCreatedIsLoggedAndLeavesNoToolbar) {
  rig_.RegisterServerPath(rig_.dir().PathOf("absent.dll"));
  HostRun run = rig_.Play("wait 0\n");
  EXPECT_EQ(run.exit_code, 0);
  ExpectLines(run.log, {"helper " QELHOST_TEST_HELPER_CLSID " not created: 0x...", "toolbar none"});
  EXPECT_TRUE(run.trace.empty());
}

TEST_F(QelhostTest, TextBoxesAreFoundThroughADefinitionDownloadedLikeTheModuleDoes) {
  TestHttpServer server;
  ASSERT_TRUE(server.Start());
  server.SetResponse("/defs.txt", 200, rig_.dir().Read("defs.txt"));
  rig_.WriteQelIni(server.Url("/defs.txt"));
  HostRun run = rig_.Play("type txtSecond via http\nenter txtSecond\n");
  EXPECT_EQ(run.exit_code, 0);
  ExpectLines(run.log, {kBandLine, "navigate edit2:via http"});
  EXPECT_EQ(server.RequestCount("/defs.txt"), 1);
  server.Stop();
}

TEST_F(QelhostTest, EachFrameHasItsOwnThreadAndCloseClosesTheFirstOpenFrame) {
  HostRun run = rig_.Play("click tbGo\nclose\nclick tbGo\n", {"--windows", "2"});
  EXPECT_EQ(run.exit_code, 0);
  ExpectLines(run.log, {kBandLine, kBandLine, "navigate http://127.0.0.1/go",
                        "navigate http://127.0.0.1/go"});
  int first_site = IndexOf(run.trace, "setsite 1 browser");
  int second_site = IndexOf(run.trace, "setsite 2 browser");
  ASSERT_NE(first_site, -1);
  ASSERT_NE(second_site, -1);
  EXPECT_NE(AfterLast(run.trace[first_site], "thread="),
            AfterLast(run.trace[second_site], "thread="));
  // The first frame's toolbar got the first click; closing it released its
  // helper; the second click went to the second frame.
  int first_click = IndexOf(run.trace, "event 1 BeforeNavigate2");
  int first_null = IndexOf(run.trace, "setsite 1 null");
  int first_release = IndexOf(run.trace, "release 1 band=alive frame=alive");
  int second_click = IndexOf(run.trace, "event 2 BeforeNavigate2");
  int second_release = IndexOf(run.trace, "release 2 band=alive frame=alive");
  EXPECT_LT(first_click, first_null);
  EXPECT_LT(first_null, first_release);
  EXPECT_LT(first_release, second_click);
  EXPECT_LT(second_click, second_release);
  for (std::size_t i = static_cast<std::size_t>(first_release) + 1; i < run.trace.size(); ++i) {
    EXPECT_EQ(run.trace[i].find(" 1 "), std::string::npos) << "after its release: " << run.trace[i];
  }
}

TEST_F(QelhostTest, TimingsPrintTheTimeFromCreationToTheBand) {
  HostRun run = rig_.Run({"--timings"});
  EXPECT_EQ(run.exit_code, 0);
  std::string clsid = QELHOST_TEST_HELPER_CLSID;
  std::string escaped = "\\{" + clsid.substr(1, clsid.size() - 2) + "\\}";
  std::regex line(
      "timing frame=1 helper=" + escaped +
      " create=[0-9]+\\.[0-9] ms setsite=[0-9]+\\.[0-9] ms band=[0-9]+\\.[0-9] ms\r?\n");
  EXPECT_TRUE(std::regex_search(run.out, line)) << run.out;
  // Without a scenario --timings closes the frame once it is measured.
  EXPECT_NE(IndexOf(run.trace, "release 1 band=alive frame=alive"), -1);
}

}  // namespace
