#include "browser/browser_helper.h"

#include <commctrl.h>
#include <exdispid.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "browser/band_host.h"
#include "browser/module_state.h"
#include "browser/rebar_search.h"
#include "tests/browser/fake_web_browser.h"
#include "tests/browser/strip_bitmap.h"
#include "tests/browser/test_frame.h"
#include "tests/support/counted_unknown.h"
#include "tests/support/drive_letter_dir.h"
#include "tests/support/fake_module_path.h"
#include "tests/support/gui_driver.h"
#include "tests/support/test_http_server.h"
#include "toolbar/toolbar_messages.h"

namespace {

HRESULT NoUnregister() { return S_OK; }

LRESULT BandCount(HWND rebar) { return SendMessageA(rebar, RB_GETBANDCOUNT, 0, 0); }

class BrowserHelperTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server_.Start());
    server_.SetResponse("/strip.bmp", 200, StripBitmapBytes(32, 16));
    server_.SetResponse("/def.txt", 200,
                        "Qel.ButtonImageList = \"" + server_.Url("/strip.bmp") +
                            "\"\n"
                            "Qel.AddObject \"links\", \"BUTTON\", \"Text=Links\"\n"
                            "Qel.AddObject \"home;links\", \"MENUITEM\", \"Text=Home\"\n"
                            "Qel.SetAction \"home\", \"URL\", \"http://example.org/home\"\n");
  }

  // A helper whose band host loaded the toolbar (or, without `toolbar`,
  // found no qel.ini).
  std::unique_ptr<BrowserHelper> MakeHelper(bool toolbar) {
    if (toolbar) {
      dir_.Write("qel.ini", "Qel.DataURL = \"" + server_.Url("/def.txt") + "\"\n");
    } else {
      DeleteFileA(dir_.PathOf("qel.ini").c_str());
    }
    FakeModulePath module(dir_.PathOf("qel.dll"));
    return std::make_unique<BrowserHelper>(
        std::make_unique<BandHost>(GetModuleHandleA(nullptr), module, &NoUnregister));
  }

  DriveLetterDir dir_;
  TestHttpServer server_;
};

TEST(RebarSearch, FollowsOnlyTheChainOfFirstChildren) {
  struct Case {
    const char* name;
    std::vector<TestFrame::Child> tree;
    int rebar;  // index of the expected window, -1 for none
  };
  const std::vector<Case> cases = {
      {"rebar as the frame's first child", {{-1, REBARCLASSNAMEA}}, 0},
      {"frame, container, rebar", {{-1, "QelContainer"}, {0, REBARCLASSNAMEA}}, 1},
      {"first rebar on the chain wins",
       {{-1, "QelContainer"}, {0, REBARCLASSNAMEA}, {1, REBARCLASSNAMEA}},
       1},
      {"class name containing ReBarWindow32", {{-1, "QelContainer"}, {0, "MyReBarWindow32Box"}}, 1},
      {"rebar as a second child", {{-1, "QelContainer"}, {-1, REBARCLASSNAMEA}}, -1},
      {"rebar below a second child",
       {{-1, "QelContainer"}, {-1, "QelPane"}, {1, REBARCLASSNAMEA}},
       -1},
      {"rebar beside a first grandchild",
       {{-1, "QelContainer"}, {0, "QelPane"}, {0, REBARCLASSNAMEA}},
       -1},
      {"other letter case", {{-1, "QelContainer"}, {0, "MyREBARWINDOW32"}}, -1},
      {"chain without a rebar", {{-1, "QelContainer"}, {0, "QelPane"}}, -1},
      {"no children", {}, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestFrame frame;
    ASSERT_TRUE(frame.Create(c.tree));
    HWND expected = c.rebar < 0 ? nullptr : frame.child(static_cast<std::size_t>(c.rebar));
    EXPECT_EQ(FindRebar(frame.frame()), expected);
  }
  // The window the search starts from is never a candidate.
  TestFrame frame;
  ASSERT_TRUE(frame.Create({{-1, REBARCLASSNAMEA}}));
  EXPECT_EQ(FindRebar(frame.child(0)), nullptr);
  EXPECT_EQ(FindRebar(nullptr), nullptr);
}

TEST_F(BrowserHelperTest, SetSiteFailsOnEveryPath) {
  TestFrame browser_frame;
  ASSERT_TRUE(browser_frame.Create());
  TestFrame bare_frame;
  ASSERT_TRUE(bare_frame.Create({{-1, "QelContainer"}}));
  FakeWebBrowser browser(browser_frame.frame());
  FakeWebBrowser browser_without_rebar(bare_frame.frame());
  CountedUnknown plain;  // a site that is not a browser

  struct Case {
    const char* name;
    IUnknown* site;
    bool toolbar;
    IWebBrowser2* kept;
    LRESULT bands;
  };
  const std::vector<Case> cases = {
      {"null site", nullptr, true, nullptr, 1},
      {"site that is no browser", &plain, true, nullptr, 1},
      {"browser without a rebar", browser_without_rebar.site(), true, &browser_without_rebar, 1},
      {"browser, band host not loaded", browser.site(), false, &browser, 1},
      {"browser with a rebar", browser.site(), true, &browser, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::unique_ptr<BrowserHelper> helper = MakeHelper(c.toolbar);
    EXPECT_EQ(helper->SetSite(c.site), E_FAIL);
    EXPECT_EQ(helper->browser(), c.kept);
    EXPECT_EQ(BandCount(browser_frame.rebar()), c.bands);
  }
  // Every reference taken went with its helper.
  EXPECT_EQ(browser.references, 1u);
  EXPECT_EQ(browser_without_rebar.references, 1u);
  EXPECT_EQ(plain.references, 1u);
}

TEST_F(BrowserHelperTest, RepeatedSiteSetsTheToolbarUpOnce) {
  TestFrame frame;
  ASSERT_TRUE(frame.Create());
  FakeWebBrowser browser(frame.frame());
  std::unique_ptr<BrowserHelper> helper = MakeHelper(true);
  EXPECT_EQ(helper->SetSite(browser.site()), E_FAIL);
  EXPECT_EQ(helper->SetSite(browser.site()), E_FAIL);
  EXPECT_EQ(BandCount(frame.rebar()), 2);
  // The browser closing its window: nothing changes.
  EXPECT_EQ(helper->SetSite(nullptr), E_FAIL);
  EXPECT_EQ(helper->browser(), &browser);
  EXPECT_TRUE(IsWindow(helper->band_host()->window()));
  HWND band = helper->band_host()->window();
  helper.reset();
  EXPECT_FALSE(IsWindow(band));
  EXPECT_EQ(browser.references, 1u);
}

TEST_F(BrowserHelperTest, TheBrowserTheToolbarUsesOutlivesALaterSite) {
  TestFrame first_frame;
  ASSERT_TRUE(first_frame.Create());
  TestFrame second_frame;
  ASSERT_TRUE(second_frame.Create());
  FakeWebBrowser first(first_frame.frame());
  FakeWebBrowser second(second_frame.frame());
  std::unique_ptr<BrowserHelper> helper = MakeHelper(true);
  helper->SetSite(first.site());
  helper->SetSite(second.site());
  EXPECT_EQ(helper->browser(), &second);
  EXPECT_EQ(BandCount(second_frame.rebar()), 1);
  // The toolbar's commands still go to the browser it was set up with,
  // which must therefore still be held.
  EXPECT_GT(first.references, 1u);
  PostMessageA(helper->band_host()->window(), UM_MENUCHOSEN, 9000, 0);
  ASSERT_TRUE(PumpUntil([&] { return !first.navigations.empty(); }));
  EXPECT_EQ(first.navigations.back(), "http://example.org/home");
  EXPECT_TRUE(second.navigations.empty());
  helper.reset();
  EXPECT_EQ(first.references, 1u);
  EXPECT_EQ(second.references, 1u);
}

TEST_F(BrowserHelperTest, GetSiteNeverHandsOutASite) {
  std::unique_ptr<BrowserHelper> helper = MakeHelper(false);
  void* site = &site;
  EXPECT_EQ(helper->GetSite(IID_IUnknown, &site), E_FAIL);
  EXPECT_EQ(site, nullptr);
  EXPECT_EQ(helper->GetSite(IID_IUnknown, nullptr), E_POINTER);
}

TEST_F(BrowserHelperTest, ManageConnectionAdvisesAndUnadvisesTheSink) {
  TestFrame frame;
  ASSERT_TRUE(frame.Create({}));
  FakeWebBrowser sink(nullptr);  // any IDispatch

  struct Case {
    const char* name;
    FakeWebBrowser::Events events;
    bool site;
    bool advised;
  };
  const std::vector<Case> cases = {
      {"no browser", FakeWebBrowser::kEventsPoint, false, false},
      {"browser without connection points", FakeWebBrowser::kNoContainer, true, false},
      {"browser without the events point", FakeWebBrowser::kNoEventsPoint, true, false},
      {"browser with the events point", FakeWebBrowser::kEventsPoint, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeWebBrowser browser(frame.frame(), c.events);
    std::unique_ptr<BrowserHelper> helper = MakeHelper(false);
    if (c.site) helper->SetSite(browser.site());
    EXPECT_EQ(helper->ManageConnection(BrowserHelper::kAdvise, &sink), c.advised);
    EXPECT_EQ(browser.events_point.sinks.size(), c.advised ? 1u : 0u);
    EXPECT_EQ(helper->ManageConnection(BrowserHelper::kUnadvise, nullptr), c.advised);
    if (c.advised) {
      EXPECT_EQ(browser.events_point.unadvised,
                std::vector<DWORD>{EventConnectionPoint::kFirstCookie});
      EXPECT_TRUE(browser.events_point.sinks.empty());
    }
    helper.reset();
    EXPECT_EQ(browser.references, 1u);
    EXPECT_EQ(browser.events_point.references, 1u);
  }
  EXPECT_EQ(sink.references, 1u);
}

TEST_F(BrowserHelperTest, EventsPassExceptQuitWhichEndsTheConnection) {
  TestFrame frame;
  ASSERT_TRUE(frame.Create({}));
  FakeWebBrowser sink(nullptr);
  DISPPARAMS none = {nullptr, nullptr, 0, 0};

  struct Case {
    const char* name;
    DISPID id;
    DISPPARAMS* parameters;
    HRESULT result;
    bool unadvised;
  };
  const std::vector<Case> cases = {
      {"quit without parameters", DISPID_QUIT, nullptr, E_INVALIDARG, false},
      {"status text without parameters", DISPID_STATUSTEXTCHANGE, nullptr, E_INVALIDARG, false},
      {"quit", DISPID_QUIT, &none, S_OK, true},
      {"status text", DISPID_STATUSTEXTCHANGE, &none, S_OK, false},
      {"before navigate", DISPID_BEFORENAVIGATE2, &none, S_OK, false},
      {"navigate complete", DISPID_NAVIGATECOMPLETE2, &none, S_OK, false},
      {"GetRefCount's identifier", 1, &none, S_OK, false},
      {"unknown identifier", 7777, &none, S_OK, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeWebBrowser browser(frame.frame());
    std::unique_ptr<BrowserHelper> helper = MakeHelper(false);
    helper->SetSite(browser.site());
    ASSERT_TRUE(helper->ManageConnection(BrowserHelper::kAdvise, &sink));
    EXPECT_EQ(helper->OnEvent(c.id, c.parameters), c.result);
    EXPECT_EQ(browser.events_point.unadvised.size(), c.unadvised ? 1u : 0u);
    if (!c.unadvised) helper->ManageConnection(BrowserHelper::kUnadvise, nullptr);
  }
}

TEST_F(BrowserHelperTest, GetRefCountCountsTheLiveHelpersOfTheProcess) {
  LONG base = 0;
  ASSERT_EQ(BrowserHelper::GetRefCount(&base), S_OK);
  std::unique_ptr<BrowserHelper> first = MakeHelper(false);
  std::unique_ptr<BrowserHelper> second = MakeHelper(false);
  LONG count = 0;
  EXPECT_EQ(BrowserHelper::GetRefCount(&count), S_OK);
  EXPECT_EQ(count, base + 2);
  first.reset();
  EXPECT_EQ(BrowserHelper::GetRefCount(&count), S_OK);
  EXPECT_EQ(count, base + 1);
  EXPECT_EQ(BrowserHelper::GetRefCount(nullptr), E_POINTER);
}

TEST(ModuleState, CountsStayExactUnderConcurrentUse) {
  const LONG instances = ModuleState::InstanceCount();
  const LONG locks = ModuleState::LockCount();
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([] {
      for (int i = 0; i < 50000; ++i) {
        ModuleState::AddInstance();
        ModuleState::Lock();
        ModuleState::RemoveInstance();
        ModuleState::Unlock();
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(ModuleState::InstanceCount(), instances);
  EXPECT_EQ(ModuleState::LockCount(), locks);
}

}  // namespace
