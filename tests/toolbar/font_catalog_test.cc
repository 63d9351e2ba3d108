#include "toolbar/font_catalog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/recording_window.h"
#include "toolbar/toolbar_messages.h"

namespace {

LOGFONTA LogFontOf(HFONT font) {
  LOGFONTA description = {};
  GetObjectA(font, sizeof(description), &description);
  return description;
}

TEST(FontCatalogTest, CreatedFontCarriesSizeStyleAndCatalogueCharset) {
  FontCatalog catalog;
  catalog.AddFont("Alpha Face", SHIFTJIS_CHARSET);
  catalog.AddFont("Twice", GREEK_CHARSET);
  catalog.AddFont("Twice", TURKISH_CHARSET);
  catalog.AddFont("Western", ANSI_CHARSET);
  struct Case {
    const char* face;
    int size;
    bool bold, italic, underline;
    int charset;
  } cases[] = {
      {"Alpha Face", 8, false, false, false, SHIFTJIS_CHARSET},
      {"Alpha Face", 13, true, true, true, SHIFTJIS_CHARSET},
      {"Twice", 10, true, false, false, GREEK_CHARSET},  // the first entry wins
      {"Western", 12, false, true, false, ANSI_CHARSET},
      {"alpha face", 8, false, false, true, DEFAULT_CHARSET},  // letter case matters
      {"Never Enumerated", 9, false, false, false, DEFAULT_CHARSET},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.face) + " " + std::to_string(c.size));
    EXPECT_EQ(catalog.CharsetOf(c.face), c.charset);
    HFONT font = catalog.CreateFont(c.face, c.size, c.bold, c.italic, c.underline);
    ASSERT_NE(font, nullptr);
    LOGFONTA description = LogFontOf(font);
    EXPECT_EQ(description.lfHeight, -c.size) << "pixels, not points";
    EXPECT_EQ(description.lfWidth, 0);
    EXPECT_EQ(description.lfWeight, c.bold ? FW_BOLD : FW_NORMAL);
    EXPECT_EQ(description.lfItalic, c.italic ? 1 : 0);
    EXPECT_EQ(description.lfUnderline, c.underline ? 1 : 0);
    EXPECT_EQ(description.lfStrikeOut, 0);
    EXPECT_EQ(description.lfCharSet, c.charset);
    EXPECT_STREQ(description.lfFaceName, c.face);
    DeleteObject(font);
  }
}

TEST(FontCatalogTest, CreatePlainFontIsThePlainStyle) {
  FontCatalog catalog;
  catalog.AddFont("Alpha Face", HEBREW_CHARSET);
  HFONT font = catalog.CreatePlainFont("Alpha Face", 12);
  LOGFONTA description = LogFontOf(font);
  EXPECT_EQ(description.lfHeight, -12);
  EXPECT_EQ(description.lfWeight, FW_NORMAL);
  EXPECT_EQ(description.lfItalic, 0);
  EXPECT_EQ(description.lfUnderline, 0);
  EXPECT_EQ(description.lfCharSet, HEBREW_CHARSET);
  DeleteObject(font);
}

int CALLBACK CollectFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM data) {
  if (font->lfFaceName[0] != '\0') {
    reinterpret_cast<std::vector<LOGFONTA>*>(data)->push_back(*font);
  }
  return 1;
}

// The strip window learns every installed family, in the system's order,
// through UM_ADDFONT, and the catalogue then knows each face's charset.
TEST(FontCatalogTest, EnumerationReachesTheWindowOncePerFamily) {
  RecordingWindow host;
  ASSERT_TRUE(host.Create(0, 0, 50, 20, RecordingWindow::Shown::kHidden));
  FontCatalog catalog;
  host.add_font = [&catalog](const char* face, int charset) { catalog.AddFont(face, charset); };
  catalog.EnumerateFonts(host.window());

  std::vector<LOGFONTA> families;
  HDC dc = GetDC(host.window());
  EnumFontFamiliesA(dc, nullptr, CollectFamily, reinterpret_cast<LPARAM>(&families));
  ReleaseDC(host.window(), dc);

  ASSERT_FALSE(families.empty()) << "no fonts installed";
  ASSERT_EQ(host.added_fonts.size(), families.size());
  EXPECT_EQ(catalog.font_count(), static_cast<int>(families.size()));
  for (std::size_t i = 0; i < families.size(); ++i) {
    SCOPED_TRACE(families[i].lfFaceName);
    EXPECT_EQ(host.added_fonts[i].face, families[i].lfFaceName);
    EXPECT_EQ(host.added_fonts[i].wparam, 0x1E00u + families[i].lfCharSet);
  }
  for (const LOGFONTA& family : families) {
    // The first family of that face decides.
    for (const LOGFONTA& first : families) {
      if (std::string(first.lfFaceName) == family.lfFaceName) {
        EXPECT_EQ(catalog.CharsetOf(family.lfFaceName), first.lfCharSet) << family.lfFaceName;
        break;
      }
    }
  }
}

TEST(FontCatalogTest, EmptyCatalogueAnswersTheDefaultCharset) {
  FontCatalog catalog;
  EXPECT_EQ(catalog.CharsetOf("MS Sans Serif"), DEFAULT_CHARSET);
  EXPECT_EQ(catalog.CharsetOf(""), DEFAULT_CHARSET);
}

}  // namespace
