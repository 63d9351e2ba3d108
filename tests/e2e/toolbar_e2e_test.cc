// The toolbar end to end: a copy of qel.dll registered with regsvr32 in the
// session's Wine prefix, its definition and picture strip served on
// 127.0.0.1, and qelhost.exe loading it as a browser does and playing
// scenarios against it with real input. What the toolbar made the browser do
// is read back from the host's event log, the registry and screenshots.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/e2e/toolbar_stage.h"
#include "tests/qelhost/png_picture.h"
#include "tests/support/program_run.h"
#include "tests/support/session_lock.h"

namespace {

constexpr char kClassId[] = "{EAA6B928-535A-42E6-9CD4-97367508DC34}";
constexpr char kHelperObjects[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";

constexpr int kStripHeight = 20;
constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kMagenta = RGB(200, 0, 200);

std::string BandLine(int strip_height) {
  return "band id=97 height=" + std::to_string(strip_height + 6);
}

bool KeyExists(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// Which of the keys that registration writes are there.
std::vector<std::string> RegisteredKeys() {
  struct Key {
    HKEY root;
    std::string shown;
    std::string path;
  };
  const std::vector<Key> keys = {
      {HKEY_CLASSES_ROOT, "HKCR\\Qel.IEHlprObj", "Qel.IEHlprObj"},
      {HKEY_CLASSES_ROOT, "HKCR\\Qel.IEHlprObj.1", "Qel.IEHlprObj.1"},
      {HKEY_CLASSES_ROOT, "HKCR\\CLSID\\{class}\\InprocServer32",
       std::string("CLSID\\") + kClassId + "\\InprocServer32"},
      {HKEY_LOCAL_MACHINE, "HKLM\\...\\Browser Helper Objects\\{class}",
       std::string(kHelperObjects) + "\\" + kClassId},
  };
  std::vector<std::string> present;
  for (const Key& key : keys) {
    if (KeyExists(key.root, key.path)) present.push_back(key.shown);
  }
  return present;
}

const std::vector<std::string> kAllRegisteredKeys = {"HKCR\\Qel.IEHlprObj", "HKCR\\Qel.IEHlprObj.1",
                                                     "HKCR\\CLSID\\{class}\\InprocServer32",
                                                     "HKLM\\...\\Browser Helper Objects\\{class}"};

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += "  " + line + "\n";
  return text;
}

// Where a picture of one colour lies in a screenshot.
struct Found {
  int left = -1;
  int top = -1;
  int bottom = -1;
};

Found Find(const PngPicture& picture, COLORREF colour) {
  Found found;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (picture.At(x, y) != colour) continue;
      if (found.left < 0 || x < found.left) found.left = x;
      if (found.top < 0) found.top = y;
      found.bottom = y;
    }
  }
  return found;
}

// Pixels of captions in the rectangle from (left, top) to (right, bottom):
// everything but the button face, the picture colours and the white and
// grey of the button borders. Captions are drawn in black and smoothed, so
// their pixels take many greys, none of them these.
int CaptionPixels(const PngPicture& picture, int left, int top, int right, int bottom) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF not_captions[] = {face, RGB(255, 255, 255), RGB(128, 128, 128), kGreen, kMagenta};
  int count = 0;
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) {
      COLORREF c = picture.At(x, y);
      bool caption = c != CLR_INVALID;
      for (COLORREF other : not_captions) caption = caption && c != other;
      if (caption) ++count;
    }
  }
  return count;
}

class ToolbarEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(desktop_.held()) << "the Wine desktop stayed busy";
    ASSERT_TRUE(registry_.held()) << "the registry stayed busy";
    ASSERT_EQ(stage_.problem(), "");
    stage_.ServeStrip(StripBytes(kStripHeight, {kGreen, kMagenta}));
    stage_.WriteQelIni();
    ASSERT_TRUE(stage_.Register()) << "regsvr32 " << stage_.ModulePath();
  }

  // Also after a failed test: a registration left behind would load the
  // module into every later browser frame of the session.
  void TearDown() override { stage_.Unregister(); }

  // Serves a definition of `controls`, plays `scenario` and expects the
  // host to finish without errors.
  HostPlay Play(const std::string& controls, const std::string& scenario) {
    stage_.ServeDefinition(stage_.Definition(controls));
    HostPlay play = stage_.Play(scenario);
    EXPECT_EQ(play.exit_code, 0) << "log:\n" << Joined(play.log) << play.err;
    return play;
  }

  std::string Screenshot(const std::string& name) const {
    return "screenshot \"" + stage_.dir().PathOf(name) + "\"\r\n";
  }

  DesktopLock desktop_;
  RegistryLock registry_;
  ToolbarStage stage_;
};

TEST_F(ToolbarEndToEnd, BandIsAsHighAsThePictureStripPlusSix) {
  for (int height : {16, 33}) {
    SCOPED_TRACE("strip height " + std::to_string(height));
    // The strip is taken from the cache beside the module once downloaded.
    DeleteFileA(stage_.dir().PathOf("strip.bmp").c_str());
    stage_.ServeStrip(StripBytes(height, {kGreen}));
    HostPlay play = Play(
        "Qel.AddObject \"btnHome\", \"BUTTON\", \"Text=Home; ImageIndex=0\"\r\n"
        "Qel.SetAction \"btnHome\", \"URL\", \"https://home.example/\"\r\n",
        "wait 100\r\n");
    EXPECT_EQ(play.log, std::vector<std::string>{BandLine(height)});
  }
}

TEST_F(ToolbarEndToEnd, SearchBoxesNavigateWithTheirTextInPlaceOfTextbox) {
  HostPlay play = Play(
      "Qel.AddObject \"txtWeb\", \"TEXTBOX\", \"Width=120\"\r\n"
      "Qel.SetAction \"txtWeb\", \"URL\", "
      "\"https://search.example/?q=<TEXTBOX>&again=<TEXTBOX>\"\r\n"
      "Qel.AddObject \"txtWiki\", \"TEXTBOX\", \"Width=120\"\r\n"
      "Qel.SetAction \"txtWiki\", \"URL\", \"https://wiki.example/<TEXTBOX>\"\r\n",
      "type txtWiki Wine\r\n"
      "enter txtWiki\r\n"
      "type txtWeb \"  two words & #more  \"\r\n"
      "enter txtWeb\r\n");
  const std::vector<std::string> expected = {
      BandLine(kStripHeight),
      "navigate https://wiki.example/Wine",
      // Trimmed, inserted verbatim, every occurrence replaced.
      "navigate https://search.example/?q=two words & #more&again=two words & #more",
  };
  EXPECT_EQ(play.log, expected);
}

TEST_F(ToolbarEndToEnd, SearchBoxSearchesTheSiteSelectedInItsComboBox) {
  HostPlay play = Play(
      "Qel.AddObject \"txtFind\", \"TEXTBOX\", \"Width=120\"\r\n"
      "Qel.SetAction \"txtFind\", \"CMD_COMBOBOX\", \"cboSites\"\r\n"
      "Qel.AddObject \"cboSites\", \"COMBOBOX\", \"Width=110\"\r\n"
      "Qel.AddObject \"cboWeb;cboSites\", \"COMBOBOXITEM\", \"Text=Web\"\r\n"
      "Qel.SetAction \"cboWeb\", \"URL\", \"https://web.example/?q=<TEXTBOX>\"\r\n"
      "Qel.AddObject \"cboNews;cboSites\", \"COMBOBOXITEM\", \"Text=News\"\r\n"
      "Qel.SetAction \"cboNews\", \"URL\", \"https://news.example/find?<TEXTBOX>\"\r\n"
      "Qel.AddObject \"cboHome;cboSites\", \"COMBOBOXITEM\", \"Text=Home page\"\r\n"
      "Qel.SetAction \"cboHome\", \"URL\", \"https://home.example/\"\r\n",
      "type txtFind qel\r\n"
      "enter txtFind\r\n"
      "select cboSites News\r\n"
      "enter txtFind\r\n"
      "select cboSites Home page\r\n");
  const std::vector<std::string> expected = {
      BandLine(kStripHeight),
      // The first entry is selected from the start.
      "navigate https://web.example/?q=qel",
      // Selecting an entry with <TEXTBOX> only chooses the site.
      "navigate https://news.example/find?qel",
      // An entry with a plain address goes there when selected.
      "navigate https://home.example/",
  };
  EXPECT_EQ(play.log, expected);
}

TEST_F(ToolbarEndToEnd, MenuEntriesAndSubmenuEntriesNavigate) {
  HostPlay play = Play(
      "Qel.AddObject \"btnLinks\", \"BUTTON\", \"Text=Links; ImageIndex=0\"\r\n"
      "Qel.SetAction \"btnLinks\", \"MENU\", \"\"\r\n"
      "Qel.AddObject \"mnuNews;btnLinks\", \"MENUITEM\", \"Text=News, sports\"\r\n"
      "Qel.SetAction \"mnuNews\", \"URL\", \"https://news.example/sports\"\r\n"
      "Qel.AddObject \"mnuSep;btnLinks\", \"MENUITEM_SEP\", \"\"\r\n"
      "Qel.AddObject \"mnuMore;btnLinks\", \"MENUITEM\", \"Text=More\"\r\n"
      "Qel.SetAction \"mnuMore\", \"MENU\", \"\"\r\n"
      "Qel.AddObject \"mnuMaps;mnuMore\", \"MENUITEM\", \"Text=Maps\"\r\n"
      "Qel.SetAction \"mnuMaps\", \"URL\", \"https://maps.example/\"\r\n"
      "Qel.AddObject \"mnuHelp;mnuMore\", \"MENUITEM\", \"Text=Help\"\r\n"
      "Qel.SetAction \"mnuHelp\", \"URL\", \"https://help.example/\"\r\n",
      "menu btnLinks \"News, sports\"\r\n"
      "menu btnLinks More Help\r\n"
      "menu btnLinks More Maps\r\n");
  const std::vector<std::string> expected = {
      BandLine(kStripHeight),
      "navigate https://news.example/sports",
      "navigate https://help.example/",
      "navigate https://maps.example/",
  };
  EXPECT_EQ(play.log, expected);
}

// The caption toggle, seen in screenshots of the frame: captions shown,
// hidden after one click, shown again after the second.
TEST_F(ToolbarEndToEnd, CaptionToggleHidesAndShowsTheCaptions) {
  HostPlay play = Play(
      "Qel.AddObject \"tglCaptions\", \"BUTTON_TOGGLE\", \"Text=Captions; ImageIndex=0; "
      "On=true\"\r\n"
      "Qel.SetAction \"tglCaptions\", \"CMD_TOGGLE\", \"ShowButtonText=1 | ShowButtonText=0\"\r\n"
      "Qel.AddObject \"btnMarker\", \"BUTTON\", \"Text=Marker; ImageIndex=1\"\r\n"
      "Qel.SetAction \"btnMarker\", \"URL\", \"https://marker.example/\"\r\n",
      Screenshot("shown.png") + "click tglCaptions\r\n" + Screenshot("hidden.png") +
          "click tglCaptions\r\n" + Screenshot("again.png"));
  EXPECT_EQ(play.log, std::vector<std::string>{BandLine(kStripHeight)});

  struct Shot {
    const char* file;
    bool captions;
    PngPicture picture;
    Found toggle;
    Found marker;
    int caption_pixels = 0;
  };
  Shot shots[] = {{"shown.png", true, {}, {}, {}, 0},
                  {"hidden.png", false, {}, {}, {}, 0},
                  {"again.png", true, {}, {}, {}, 0}};
  for (Shot& shot : shots) {
    SCOPED_TRACE(shot.file);
    ASSERT_TRUE(shot.picture.Load(stage_.dir().PathOf(shot.file)));
    shot.toggle = Find(shot.picture, kGreen);
    shot.marker = Find(shot.picture, kMagenta);
    ASSERT_GE(shot.toggle.left, 0) << "no toggle picture";
    ASSERT_GT(shot.marker.left, shot.toggle.left) << "no marker picture right of the toggle";
    // The band from the toggle's picture rightwards: the toggle's and the
    // marker's captions, or nothing but pictures and face.
    shot.caption_pixels = CaptionPixels(shot.picture, shot.toggle.left, shot.toggle.top - 4,
                                        shot.picture.width() - 1, shot.toggle.bottom + 4);
    if (shot.captions) {
      EXPECT_GT(shot.caption_pixels, 50) << "the captions are missing";
    } else {
      EXPECT_EQ(shot.caption_pixels, 0) << "caption pixels left";
    }
  }
  // Nothing left of the toggle moves; the marker moves left, then back.
  EXPECT_EQ(shots[1].toggle.left, shots[0].toggle.left);
  EXPECT_LT(shots[1].marker.left, shots[0].marker.left);
  EXPECT_EQ(shots[2].toggle.left, shots[0].toggle.left);
  EXPECT_EQ(shots[2].marker.left, shots[0].marker.left);
  EXPECT_EQ(shots[2].caption_pixels, shots[0].caption_pixels);
}

TEST_F(ToolbarEndToEnd, AddressBarVisibleFalseSwitchesTheAddressBarOff) {
  struct Case {
    const char* name;
    const char* assignment;  // "" for none
    bool hidden;
  };
  const std::vector<Case> cases = {
      {"false", "Qel.AddressBarVisible = false\r\n", true},
      {"0", "Qel.AddressBarVisible = \"0\"\r\n", true},
      {"empty", "Qel.AddressBarVisible = \"\"\r\n", true},
      {"no (not a false word)", "Qel.AddressBarVisible = no\r\n", false},
      {"absent", "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HostPlay play =
        Play(std::string(c.assignment) +
                 "Qel.AddObject \"btnHome\", \"BUTTON\", \"Text=Home; ImageIndex=0\"\r\n"
                 "Qel.SetAction \"btnHome\", \"URL\", \"https://home.example/\"\r\n",
             "wait 100\r\n");
    std::vector<std::string> expected = {BandLine(kStripHeight)};
    if (c.hidden) expected.push_back("addressbar hidden");
    EXPECT_EQ(play.log, expected);
  }
}

TEST_F(ToolbarEndToEnd, UninstallQuestionAnsweredNoChangesNothingYesRemovesTheToolbar) {
  const std::string controls =
      "Qel.AddObject \"btnHome\", \"BUTTON\", \"Text=Home; ImageIndex=0\"\r\n"
      "Qel.SetAction \"btnHome\", \"URL\", \"https://home.example/\"\r\n"
      "Qel.AddObject \"btnRemove\", \"BUTTON\", \"Text=Remove; ImageIndex=1\"\r\n"
      "Qel.SetAction \"btnRemove\", \"CMD\", \"Uninstall=Remove the toolbar?\"\r\n";
  const std::string question =
      std::string("messagebox ") + ToolbarStage::Title() + " | Remove the toolbar? -> ";
  struct Case {
    const char* answer;
    std::string scenario;
    std::vector<std::string> log;
    std::vector<std::string> keys;    // registry keys left afterwards
    std::vector<std::string> reload;  // the log of the next browser
  };
  const std::vector<Case> cases = {
      // The toolbar stays and goes on working.
      {"no",
       "answer no\r\nclick btnRemove\r\nclick btnHome\r\n",
       {BandLine(kStripHeight), question + "no", "navigate https://home.example/"},
       kAllRegisteredKeys,
       {BandLine(kStripHeight)}},
      {"yes",
       "answer yes\r\nclick btnRemove\r\nwait 100\r\n",
       {BandLine(kStripHeight), question + "yes", "band hidden"},
       {},
       {"toolbar none"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("answer ") + c.answer);
    ASSERT_TRUE(stage_.Register());
    ASSERT_EQ(RegisteredKeys(), kAllRegisteredKeys);
    HostPlay play = Play(controls, c.scenario);
    EXPECT_EQ(play.log, c.log);
    EXPECT_EQ(RegisteredKeys(), c.keys);
    HostPlay next = Play(controls, "wait 100\r\n");
    EXPECT_EQ(next.log, c.reload);
  }
}

TEST_F(ToolbarEndToEnd, ExeActionOpensTheProgramThroughTheShell) {
  const std::string record = stage_.dir().PathOf("record.txt");
  SetEnvironmentVariableA("QEL_E2E_RECORD", record.c_str());
  HostPlay play = Play(
      "Qel.AddObject \"btnNotes\", \"BUTTON\", \"Text=Notes; ImageIndex=0\"\r\n"
      "Qel.SetAction \"btnNotes\", \"EXE\", \"" +
          WindowsPath(RECORDER_PATH) + "\"\r\n",
      "click btnNotes\r\n");
  EXPECT_EQ(play.log, std::vector<std::string>{BandLine(kStripHeight)});
  // The shell starts the program and returns; it may still be on its way.
  std::string recorded;
  for (int i = 0; i < 100 && recorded.empty(); ++i) {
    recorded = stage_.dir().Read("record.txt");
    if (recorded.empty()) Sleep(100);
  }
  SetEnvironmentVariableA("QEL_E2E_RECORD", nullptr);
  EXPECT_EQ(recorded, "run\n");
}

TEST_F(ToolbarEndToEnd, StartUpFailuresLeaveNoToolbar) {
  // An address where nothing listens.
  TestHttpServer gone;
  ASSERT_TRUE(gone.Start());
  const std::string unreachable = gone.Url("/toolbar.qel");
  gone.Stop();

  const std::string controls =
      "Qel.AddObject \"btnHome\", \"BUTTON\", \"Text=Home; ImageIndex=0\"\r\n"
      "Qel.SetAction \"btnHome\", \"URL\", \"https://home.example/\"\r\n";
  const std::string complete = stage_.Definition(controls);
  const std::string data_url = "Qel.DataURL = \"" + stage_.DefinitionUrl() + "\"\r\n";
  const std::string strip = StripBytes(kStripHeight, {kGreen});
  struct Case {
    const char* name;
    const char* qel_ini;  // nullptr: none beside the module
    std::string ini_text;
    std::string definition;
    std::string strip;
    std::vector<std::string> log;
  };
  const std::vector<Case> cases = {
      {"everything there (the stage works)",
       "",
       data_url,
       complete,
       strip,
       {BandLine(kStripHeight)}},
      {"no qel.ini", nullptr, "", complete, strip, {"toolbar none"}},
      // The controls of the local file alone are never shown.
      {"no DataURL", "", complete, complete, strip, {"toolbar none"}},
      {"unreachable DataURL",
       "",
       "Qel.DataURL = \"" + unreachable + "\"\r\n",
       complete,
       strip,
       {"toolbar none"}},
      {"no ButtonImageList",
       "",
       data_url,
       "Qel.ButtonImageWidth = 16\r\n" + controls,
       strip,
       {"toolbar none"}},
      {"picture strip not a bitmap", "", data_url, complete, "not a bitmap", {"toolbar none"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DeleteFileA(stage_.dir().PathOf("qel.ini").c_str());
    DeleteFileA(stage_.dir().PathOf("strip.bmp").c_str());
    if (c.qel_ini != nullptr) stage_.WriteQelIni(c.ini_text);
    stage_.ServeDefinition(c.definition);
    stage_.ServeStrip(c.strip);
    HostPlay play = stage_.Play("wait 100\r\n");
    EXPECT_EQ(play.exit_code, 0) << play.err;
    EXPECT_EQ(play.log, c.log);
  }
}

TEST_F(ToolbarEndToEnd, HostNamedExplorerCannotCreateTheClass) {
  stage_.ServeDefinition(
      stage_.Definition("Qel.AddObject \"btnHome\", \"BUTTON\", \"Text=Home; ImageIndex=0\"\r\n"
                        "Qel.SetAction \"btnHome\", \"URL\", \"https://home.example/\"\r\n"));
  // The same stage loads in the host under its own name.
  HostPlay own = stage_.Play("wait 100\r\n");
  EXPECT_EQ(own.log, std::vector<std::string>{BandLine(kStripHeight)});

  const std::string explorer = stage_.dir().PathOf("explorer.exe");
  ASSERT_TRUE(CopyFileA(WindowsPath(QELHOST_PATH).c_str(), explorer.c_str(), FALSE));
  HostPlay shell = stage_.Play("wait 100\r\n", explorer);
  EXPECT_EQ(shell.exit_code, 0) << shell.err;
  ASSERT_EQ(shell.log.size(), 2u) << Joined(shell.log);
  EXPECT_EQ(shell.log[0].rfind(std::string("helper ") + kClassId + " not created: 0x", 0), 0u)
      << shell.log[0];
  EXPECT_EQ(shell.log[1], "toolbar none");
}

// The sample toolbar that `make demo` shows is free of mistakes a
// publisher's checker knows about.
TEST(SampleToolbar, QeldefCheckReportsNoErrorAndNoWarning) {
  const std::string sample = WindowsPath(QEL_EXAMPLES_DIR "/toolbar.qel");
  ProgramRun run = RunProgram(WindowsPath(QELDEF_PATH), {"check", sample});
  std::string out;
  for (char c : run.out) {
    if (c != '\r') out += c;
  }
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(out, "0 errors, 0 warnings in " + sample + "\n");
}

}  // namespace
