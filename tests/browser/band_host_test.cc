#include "browser/band_host.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "definition/toolbar_definition.h"
#include "platform/window_text.h"
#include "store/strings.h"
#include "tests/browser/fake_web_browser.h"
#include "tests/browser/strip_bitmap.h"
#include "tests/browser/test_frame.h"
#include "tests/support/drive_letter_dir.h"
#include "tests/support/fake_module_path.h"
#include "tests/support/gui_driver.h"
#include "tests/support/test_http_server.h"
#include "toolbar/text_box_control.h"
#include "toolbar/toolbar_messages.h"
#include "toolbar/toolbar_strip.h"

namespace {

int unregister_calls = 0;

HRESULT CountUnregister() {
  ++unregister_calls;
  return S_OK;
}

// A toolbar with one of everything the band host routes: a button, a text
// box with a button that submits it, a menu of four entries and a combo box.
std::string SampleDefinition(const std::string& image_list, const std::string& extra) {
  return "Qel.Title = \"Test bar\"\n"
         "Qel.ButtonImageList = \"" +
         image_list +
         "\"\n"
         "Qel.ButtonImageWidth = \"16\"\n"
         "Qel.AddObject \"go\", \"BUTTON\", \"Text=Go; ImageIndex=1\"\n"
         "Qel.SetAction \"go\", \"URL\", \"http://example.org/go\"\n"
         "Qel.AddObject \"search\", \"TEXTBOX\", \"Width=120\"\n"
         "Qel.SetAction \"search\", \"URL\", \"http://example.org/?q=<TEXTBOX>\"\n"
         "Qel.AddObject \"find\", \"BUTTON\", \"Text=Find\"\n"
         "Qel.SetAction \"find\", \"CMD_TEXTBOX\", \"search\"\n"
         "Qel.AddObject \"links\", \"BUTTON\", \"Text=Links\"\n"
         "Qel.AddObject \"m0;links\", \"MENUITEM\", \"Text=Zero\"\n"
         "Qel.SetAction \"m0\", \"URL\", \"http://example.org/m0\"\n"
         "Qel.AddObject \"m1;links\", \"MENUITEM\", \"Text=One\"\n"
         "Qel.SetAction \"m1\", \"URL\", \"http://example.org/m1\"\n"
         "Qel.AddObject \"m2;links\", \"MENUITEM\", \"Text=Two\"\n"
         "Qel.SetAction \"m2\", \"URL\", \"http://example.org/m2\"\n"
         "Qel.AddObject \"m3;links\", \"MENUITEM\", \"Text=Three\"\n"
         "Qel.SetAction \"m3\", \"URL\", \"http://example.org/m3\"\n"
         "Qel.AddObject \"sites\", \"COMBOBOX\", \"Width=100\"\n"
         "Qel.AddObject \"news;sites\", \"COMBOBOXITEM\", \"Text=News\"\n"
         "Qel.SetAction \"news\", \"URL\", \"http://example.org/news\"\n" +
         extra;
}

REBARBANDINFOA BandInfo(HWND rebar, UINT id) {
  REBARBANDINFOA band = {};
  band.cbSize = REBARBANDINFOA_V6_SIZE;
  band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_ID | RBBIM_TEXT;
  char text[64] = "untouched";
  band.lpText = text;
  band.cch = sizeof(text);
  LRESULT index = SendMessageA(rebar, RB_IDTOINDEX, id, 0);
  if (index < 0 || !SendMessageA(rebar, RB_GETBANDINFOA, static_cast<WPARAM>(index),
                                 reinterpret_cast<LPARAM>(&band))) {
    band.wID = 0;
  }
  band.lpText = nullptr;
  return band;
}

LRESULT BandCount(HWND rebar) { return SendMessageA(rebar, RB_GETBANDCOUNT, 0, 0); }

// The band host's module lies in a fresh directory; its definition and
// image strip are served on 127.0.0.1.
class BandHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    unregister_calls = 0;
    ASSERT_TRUE(server_.Start());
    server_.SetResponse("/strip.bmp", 200, StripBitmapBytes(64, 24));
    server_.SetResponse("/strip16.bmp", 200, StripBitmapBytes(48, 16));
  }

  // qel.ini naming /def.txt, which serves `definition`.
  void ServeDefinition(const std::string& definition) {
    ASSERT_TRUE(dir_.Write("qel.ini", "Qel.DataURL = \"" + server_.Url("/def.txt") + "\"\n"));
    server_.SetResponse("/def.txt", 200, definition);
  }

  void ServeSample(const std::string& extra = "") {
    ServeDefinition(SampleDefinition(server_.Url("/strip.bmp"), extra));
  }

  std::unique_ptr<BandHost> Load() {
    FakeModulePath module(dir_.PathOf("qel.dll"));
    return std::make_unique<BandHost>(GetModuleHandleA(nullptr), module, &CountUnregister);
  }

  DriveLetterDir dir_;
  TestHttpServer server_;
};

TEST_F(BandHostTest, LoadFailuresLeaveNoToolbar) {
  TestHttpServer gone;
  ASSERT_TRUE(gone.Start());
  std::string unreachable = gone.Url("/def.txt");
  gone.Stop();

  struct Case {
    const char* name;
    std::string local_file;  // "" for none
    std::string definition;
  };
  const std::string strip = server_.Url("/strip.bmp");
  const std::vector<Case> cases = {
      {"no qel.ini", "", SampleDefinition(strip, "")},
      {"qel.ini without DataURL",
       "Qel.Title = \"local\"\nQel.ButtonImageList = \"" + strip + "\"\n",
       SampleDefinition(strip, "")},
      {"DataURL of one character", "Qel.DataURL = \"x\"\n", SampleDefinition(strip, "")},
      {"unreachable DataURL", "Qel.DataURL = \"" + unreachable + "\"\n",
       SampleDefinition(strip, "")},
      {"definition without ButtonImageList", "Qel.DataURL = \"" + server_.Url("/def.txt") + "\"\n",
       "Qel.Title = \"t\"\nQel.AddObject \"go\", \"BUTTON\", \"Text=Go\"\n"},
      {"empty ButtonImageList", "Qel.DataURL = \"" + server_.Url("/def.txt") + "\"\n",
       SampleDefinition("", "")},
      {"image strip that is no bitmap", "Qel.DataURL = \"" + server_.Url("/def.txt") + "\"\n",
       SampleDefinition(server_.Url("/missing.bmp"), "")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DeleteFileA(dir_.PathOf("qel.ini").c_str());
    if (!c.local_file.empty()) {
      ASSERT_TRUE(dir_.Write("qel.ini", c.local_file));
    }
    server_.SetResponse("/def.txt", 200, c.definition);

    TestFrame frame;
    ASSERT_TRUE(frame.Create());
    FakeWebBrowser browser(frame.frame());
    std::unique_ptr<BandHost> host = Load();
    EXPECT_FALSE(host->loaded());
    EXPECT_FALSE(host->SetUp(&browser, frame.rebar()));
    EXPECT_EQ(host->window(), nullptr);
    EXPECT_EQ(FindWindowExA(frame.rebar(), nullptr, BandHost::kWindowClass, nullptr), nullptr);
    EXPECT_EQ(BandCount(frame.rebar()), 1);
    EXPECT_TRUE(browser.address_bar_calls.empty());
    EXPECT_EQ(browser.references, 1u);
  }
}

TEST_F(BandHostTest, LoadKeepsOnlyTheDefinitionAtDataUrlAndRecordsTheImageStrip) {
  ASSERT_TRUE(dir_.Write("qel.ini", "Qel.DataURL = \"" + server_.Url("/def.txt") +
                                        "\"\nQel.AddObject \"local\", \"BUTTON\", \"Text=L\"\n"));
  server_.SetResponse("/def.txt", 200, SampleDefinition(server_.Url("/strip.bmp"), ""));
  std::unique_ptr<BandHost> host = Load();
  ASSERT_TRUE(host->loaded());
  ToolbarDefinition* definition = host->definition();
  EXPECT_FALSE(definition->ControlStore()->ObjectExists("local"));
  EXPECT_TRUE(definition->ControlStore()->ObjectExists("go"));
  EXPECT_EQ(host->image_height(), 24);
  EXPECT_EQ(definition->GetBarString("BarBitmapHeight"), "24");
  HBITMAP bitmap = reinterpret_cast<HBITMAP>(
      static_cast<LONG_PTR>(StringToLong(definition->GetBarString("BarBitmap"))));
  BITMAP info = {};
  ASSERT_EQ(GetObjectA(bitmap, sizeof(info), &info), static_cast<int>(sizeof(info)));
  EXPECT_EQ(info.bmWidth, 64);
  EXPECT_EQ(info.bmHeight, 24);
  // Cached beside the module for the next browser window.
  EXPECT_EQ(dir_.Read("strip.bmp"), StripBitmapBytes(64, 24));
}

TEST_F(BandHostTest, DataUrlRelativeToTheModuleIsReadFromItsDirectory) {
  ASSERT_TRUE(dir_.Write("qel.ini", "Qel.DataURL = \".\\defs.txt\"\n"));
  ASSERT_TRUE(dir_.Write("defs.txt", SampleDefinition(server_.Url("/strip.bmp"), "")));
  std::unique_ptr<BandHost> host = Load();
  EXPECT_TRUE(host->loaded());
  EXPECT_EQ(server_.RequestCount("/def.txt"), 0);
}

TEST_F(BandHostTest, SetUpInsertsOneBandAfterTheBrowsersOwn) {
  ServeSample();
  TestFrame frame;
  ASSERT_TRUE(frame.Create());
  FakeWebBrowser browser(frame.frame());
  std::unique_ptr<BandHost> host = Load();
  ASSERT_TRUE(host->loaded());

  EXPECT_FALSE(host->SetUp(nullptr, frame.rebar()));
  EXPECT_FALSE(host->SetUp(&browser, nullptr));
  EXPECT_EQ(host->window(), nullptr);

  ASSERT_TRUE(host->SetUp(&browser, frame.rebar()));
  HWND band_window = host->window();
  ASSERT_NE(band_window, nullptr);
  EXPECT_EQ(ClassNameOf(band_window), "VessikToolBandClass");
  EXPECT_EQ(GetParent(band_window), frame.rebar());
  EXPECT_EQ(SendMessageA(band_window, UM_GETOBJECT, 0, 0), reinterpret_cast<LRESULT>(host.get()));

  EXPECT_EQ(BandCount(frame.rebar()), 2);
  EXPECT_EQ(SendMessageA(frame.rebar(), RB_IDTOINDEX, BandHost::kBandId, 0), 1);
  REBARBANDINFOA band = BandInfo(frame.rebar(), BandHost::kBandId);
  EXPECT_EQ(band.wID, 97u);
  EXPECT_EQ(band.hwndChild, band_window);
  EXPECT_EQ(band.cxMinChild, 200u);
  EXPECT_EQ(band.cyMinChild, 30u);  // image strip 24 + 6
  EXPECT_EQ(band.cyChild, 30u);
  EXPECT_EQ(band.cyMaxChild, 30u);
  const UINT style = RBBS_BREAK | RBBS_NOVERT | RBBS_FIXEDBMP | RBBS_VARIABLEHEIGHT;
  EXPECT_EQ(band.fStyle & style, style);
  EXPECT_EQ(band.fStyle & RBBS_HIDDEN, 0u);

  // The strip inside, built from the definition.
  HWND strip = host->strip_window();
  ASSERT_NE(strip, nullptr);
  EXPECT_EQ(GetParent(strip), band_window);
  EXPECT_EQ(ClassNameOf(strip), "OruBar");
  EXPECT_NE(host->strip()->FindTextBox("search"), nullptr);
  // The strip cut the button's picture from the image strip the band host
  // loaded: the bitmap handle went through the bar settings intact.
  std::string picture = host->definition()->ControlStore()->GetProperty("go", "Prop", "hBitmap");
  EXPECT_NE(picture, "");
  EXPECT_NE(picture, "0");

  // A second set-up changes nothing.
  EXPECT_FALSE(host->SetUp(&browser, frame.rebar()));
  EXPECT_EQ(BandCount(frame.rebar()), 2);
  EXPECT_EQ(host->window(), band_window);
  // The browser is borrowed, never kept by a reference of the band host.
  EXPECT_EQ(browser.references, 1u);
}

TEST_F(BandHostTest, BandHeightFollowsTheImageStripAndBarHeightSizesTheStrip) {
  struct Case {
    const char* name;
    const char* image;
    std::string bar_height;  // assignment line, "" for none
    UINT band_height;
    int strip_height;
  };
  const std::vector<Case> cases = {
      {"defaults", "/strip.bmp", "", 30, 22},
      {"BarHeight 40, image 16", "/strip16.bmp", "Qel.BarHeight = \"40\"\n", 22, 40},
      {"BarHeight empty", "/strip.bmp", "Qel.BarHeight = \"\"\n", 30, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ServeDefinition(SampleDefinition(server_.Url(c.image), c.bar_height));
    TestFrame frame;
    ASSERT_TRUE(frame.Create());
    FakeWebBrowser browser(frame.frame());
    std::unique_ptr<BandHost> host = Load();
    ASSERT_TRUE(host->loaded());
    ASSERT_TRUE(host->SetUp(&browser, frame.rebar()));
    EXPECT_EQ(BandInfo(frame.rebar(), BandHost::kBandId).cyMinChild, c.band_height);
    RECT strip = {};
    GetClientRect(host->strip_window(), &strip);
    EXPECT_EQ(strip.bottom, c.strip_height);
  }
}

TEST_F(BandHostTest, AddressBarIsSwitchedOffOnlyWhenAddressBarVisibleIsFalse) {
  struct Case {
    const char* name;
    std::string line;
    std::vector<VARIANT_BOOL> calls;
  };
  const std::vector<Case> cases = {
      {"absent", "", {}},
      {"false", "Qel.AddressBarVisible = \"false\"\n", {VARIANT_FALSE}},
      {"FALSE", "Qel.AddressBarVisible = \"FALSE\"\n", {VARIANT_FALSE}},
      {"0", "Qel.AddressBarVisible = \"0\"\n", {VARIANT_FALSE}},
      {"empty", "Qel.AddressBarVisible = \"\"\n", {VARIANT_FALSE}},
      {"true", "Qel.AddressBarVisible = \"true\"\n", {}},
      {"no", "Qel.AddressBarVisible = \"no\"\n", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ServeSample(c.line);
    TestFrame frame;
    ASSERT_TRUE(frame.Create());
    FakeWebBrowser browser(frame.frame());
    std::unique_ptr<BandHost> host = Load();
    ASSERT_TRUE(host->SetUp(&browser, frame.rebar()));
    EXPECT_EQ(browser.address_bar_calls, c.calls);
  }
}

class SetUpBandHostTest : public BandHostTest {
 protected:
  void SetUp() override {
    BandHostTest::SetUp();
    ServeSample();
    ASSERT_TRUE(frame_.Create());
    host_ = Load();
    ASSERT_TRUE(host_->SetUp(&browser_, frame_.rebar()));
  }

  // The navigation that `message` to `window` causes, waiting for what it
  // posts in turn; "" when none comes.
  std::string NavigationAfter(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    std::size_t before = browser_.navigations.size();
    SendMessageA(window, message, wparam, lparam);
    PumpPending();
    return browser_.navigations.size() > before ? browser_.navigations.back() : "";
  }

  TestFrame frame_;
  FakeWebBrowser browser_{nullptr};
  std::unique_ptr<BandHost> host_;
};

TEST_F(SetUpBandHostTest, PrivateMessagesReachTheDispatcher) {
  HWND band = host_->window();
  const char* go_name = "go";
  ButtonClickRecord go = {nullptr, 0, 0, go_name, 0, 0, 0};
  static const char kNews[] = "news";

  struct Case {
    const char* name;
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
    std::string navigation;
  };
  const std::vector<Case> cases = {
      {"button click", UM_BUTTONCLICKED, 0, reinterpret_cast<LPARAM>(&go), "http://example.org/go"},
      {"first menu entry", UM_MENUCHOSEN, 9000, 0, "http://example.org/m0"},
      {"fourth menu entry", UM_MENUCHOSEN, 9003, 0, "http://example.org/m3"},
      {"menu command with a high word", UM_MENUCHOSEN, MAKEWPARAM(9001, 1), 0,
       "http://example.org/m1"},
      {"menu index past the store", UM_MENUCHOSEN, 9004, 0, ""},
      {"menu index below the store", UM_MENUCHOSEN, 8999, 0, ""},
      {"combo entry", UM_COMBOCHOSEN, 0, reinterpret_cast<LPARAM>(kNews),
       "http://example.org/news"},
      {"click without a record", UM_BUTTONCLICKED, 0, 0, ""},
      {"combo entry without a name", UM_COMBOCHOSEN, 0, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(NavigationAfter(band, c.message, c.wparam, c.lparam), c.navigation);
  }
}

TEST_F(SetUpBandHostTest, SubmittedTextNavigatesWithTheCurrentTextBox) {
  // A "CMD_TEXTBOX" button makes the strip submit its text box, as Enter
  // in it would: the strip posts the text, the band host names the control.
  TextBoxControl* search = host_->strip()->FindTextBox("search");
  ASSERT_NE(search, nullptr);
  SetWindowTextA(search->window(), "  red cats ");
  const char* find_name = "find";
  ButtonClickRecord find = {nullptr, 0, 0, find_name, 0, 0, 0};
  EXPECT_EQ(
      NavigationAfter(host_->strip_window(), UM_BUTTONCLICKED, 0, reinterpret_cast<LPARAM>(&find)),
      "http://example.org/?q=red cats");
}

TEST_F(SetUpBandHostTest, UninstallUnregistersAndHidesTheBandEveryTime) {
  HWND band = host_->window();
  for (int round = 1; round <= 2; ++round) {
    SCOPED_TRACE(round);
    PostMessageA(band, UM_UNINSTALL, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return unregister_calls == round; }));
    EXPECT_NE(BandInfo(frame_.rebar(), BandHost::kBandId).fStyle & RBBS_HIDDEN, 0u);
    // Everything stays until the browser window closes.
    EXPECT_TRUE(IsWindow(band));
    EXPECT_EQ(BandCount(frame_.rebar()), 2);
  }
  EXPECT_EQ(BandInfo(frame_.rebar(), TestFrame::kAddressBandId).fStyle & RBBS_HIDDEN, 0u);
}

TEST_F(SetUpBandHostTest, ResizingPutsTheStripBackInTheCornerAtItsOwnSize) {
  HWND strip = host_->strip_window();
  RECT before = {};
  GetClientRect(strip, &before);
  MoveWindow(strip, 7, 3, before.right, before.bottom, FALSE);
  SendMessageA(host_->window(), WM_SIZE, 0, 0);
  RECT after = {};
  GetWindowRect(strip, &after);
  MapWindowPoints(nullptr, host_->window(), reinterpret_cast<POINT*>(&after), 2);
  EXPECT_EQ(after.left, 0);
  EXPECT_EQ(after.top, 0);
  EXPECT_EQ(after.right - after.left, before.right);
  EXPECT_EQ(after.bottom - after.top, before.bottom);
}

TEST_F(SetUpBandHostTest, DestructionTakesTheWindowsAlong) {
  HWND band = host_->window();
  HWND strip = host_->strip_window();
  host_.reset();
  EXPECT_FALSE(IsWindow(band));
  EXPECT_FALSE(IsWindow(strip));
  EXPECT_EQ(browser_.references, 1u);
}

}  // namespace
