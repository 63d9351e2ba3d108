// How long the toolbar strip takes to set itself up against the least the
// platform needs for the same controls, both timed in this process and run.
//
// For each kind of control the program builds a definition of N controls of
// that kind (as `make timings` generates them), then times, in turns:
// - toolbar: a ToolbarStrip constructed, created, attached and built, as the
//   band host sets it up;
// - floor: only the platform calls those controls need at the least: the
//   message hook, the windows of the same classes and styles made with
//   CreateWindowExA at their final places, one font per control, one text
//   measurement per control through one device context, the pictures cut
//   from the strip with their background filled, the combo boxes' entries
//   and the one move that gives a combo box's list its height.
// Both run in a hidden child of a top-level window, as the band host window
// is hidden in the rebar while the band is set up. Classes are registered
// before the first turn: the times are those of a later toolbar in the
// process, which finds the classes of its names registered.
//
// Usage: bench_toolbar_setup [--controls N] [--repetitions R]

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "definition/toolbar_definition.h"
#include "store/object_store.h"
#include "store/strings.h"
#include "tests/images/bmp_file.h"
#include "tests/support/gui_driver.h"
#include "toolbar/toolbar_strip.h"

namespace {

constexpr int kStripHeight = 22;
constexpr int kInitialStripWidth = 100;
constexpr int kPictureSize = 16;
constexpr int kPictureCount = 6;
constexpr DWORD kControlStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
const char kDefaultFace[] = "MS Sans Serif";
constexpr int kDefaultFontSize = 8;
const COLORREF kPictureBackground = RGB(0, 128, 128);

enum class Kind { kNone, kSeparator, kButton, kTextBox, kComboBox };

struct KindInfo {
  Kind kind;
  const char* name;
  const char* description;
};

const KindInfo kKinds[] = {
    {Kind::kNone, "none", "empty strip (the about button only)"},
    {Kind::kSeparator, "sep", "separators"},
    {Kind::kButton, "button", "buttons with pictures"},
    {Kind::kTextBox, "text", "text boxes"},
    {Kind::kComboBox, "combo", "combo boxes of 3 entries"},
};

// The script lines of `make timings` for `count` controls of one kind.
std::vector<std::string> DefinitionLines(Kind kind, int count) {
  std::vector<std::string> lines;
  lines.push_back("Qel.ButtonImageWidth = \"" + IntToString(kPictureSize) + "\"");
  if (kind == Kind::kNone) return lines;
  for (int i = 1; i <= count; ++i) {
    const std::string n = IntToString(i);
    switch (kind) {
      case Kind::kSeparator:
        lines.push_back("Qel.AddObject \"s" + n + "\", \"BUTTON_SEP\", \"\"");
        break;
      case Kind::kButton:
        lines.push_back("Qel.AddObject \"b" + n + "\", \"BUTTON\", \"Text=Button " + n +
                        "; ImageIndex=" + IntToString(i % kPictureCount) + "; ToolTip=Button " + n +
                        "\"");
        lines.push_back("Qel.SetAction \"b" + n + "\", \"URL\", \"http://127.0.0.1/" + n + "\"");
        break;
      case Kind::kTextBox:
        lines.push_back("Qel.AddObject \"t" + n + "\", \"TEXTBOX\", \"Width=80\"");
        lines.push_back("Qel.SetAction \"t" + n + "\", \"URL\", \"http://127.0.0.1/?q=<TEXTBOX>\"");
        break;
      case Kind::kComboBox:
        lines.push_back("Qel.AddObject \"c" + n + "\", \"COMBOBOX\", \"Width=80\"");
        for (int e = 1; e <= 3; ++e) {
          lines.push_back("Qel.AddObject \"c" + n + "_" + IntToString(e) + ";c" + n +
                          "\", \"COMBOBOXITEM\", \"Text=Entry " + IntToString(e) + "\"");
        }
        break;
      case Kind::kNone:
        break;
    }
  }
  return lines;
}

double Now() {
  static const double ticks_per_ms = [] {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / ticks_per_ms;
}

// The picture strip: kPictureCount pictures side by side, each a square on
// a background that touches the top-left corner, as a DIB section like the
// one the image strip loads.
HBITMAP MakePictureStrip() {
  return DibSection(kPictureSize * kPictureCount, kPictureSize, [](int x, int y) {
    const int inner = x % kPictureSize;
    const bool square = inner >= 4 && inner < 12 && y >= 4 && y < 12;
    return square ? 0x00FF8000u + static_cast<DWORD>(x / kPictureSize) * 0x20u : 0x00008080u;
  });
}

// A definition as the band host holds it once loaded: the script run after
// the reset, the picture strip's handle and height in the bar settings.
std::unique_ptr<ToolbarDefinition> MakeDefinition(const std::vector<std::string>& lines,
                                                  HBITMAP picture_strip) {
  auto definition = std::make_unique<ToolbarDefinition>();
  definition->Reset();
  definition->RunScriptLines(lines);
  ObjectStore* bar = definition->BarStore();
  bar->SetProperty(ToolbarDefinition::kBarObjectName, ToolbarDefinition::kPropertySection,
                   "BarBitmap",
                   LongToString(static_cast<long>(reinterpret_cast<LONG_PTR>(picture_strip))));
  bar->SetProperty(ToolbarDefinition::kBarObjectName, ToolbarDefinition::kPropertySection,
                   "BarBitmapHeight", IntToString(kPictureSize));
  return definition;
}

// The frame and the hidden band host window that the strips are made in.
class Frame {
 public:
  ~Frame() {
    if (frame_ != nullptr) DestroyWindow(frame_);
  }
  bool Create(HINSTANCE instance) {
    WNDCLASSA window_class = {};
    window_class.lpfnWndProc = DefWindowProcA;
    window_class.hInstance = instance;
    window_class.lpszClassName = "QelBenchFrame";
    if (RegisterClassA(&window_class) == 0) return false;
    frame_ = CreateWindowExA(0, "QelBenchFrame", "", WS_POPUP, 0, 0, 1200, 60, nullptr, nullptr,
                             instance, nullptr);
    if (frame_ == nullptr) return false;
    SetWindowPos(frame_, HWND_TOP, 0, 0, 1200, 60, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    host_ = CreateWindowExA(0, "QelBenchFrame", nullptr, WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 1200, 60,
                            frame_, nullptr, instance, nullptr);
    PumpPending();
    return host_ != nullptr;
  }
  HWND host() const { return host_; }

 private:
  HWND frame_ = nullptr;
  HWND host_ = nullptr;
};

// What a floor turn made, freed after the clock stopped.
struct FloorObjects {
  HHOOK hook = nullptr;
  HWND strip = nullptr;
  HWND tooltip = nullptr;
  std::vector<HGDIOBJ> objects;

  ~FloorObjects() {
    if (tooltip != nullptr) DestroyWindow(tooltip);
    if (strip != nullptr) DestroyWindow(strip);
    for (HGDIOBJ object : objects) DeleteObject(object);
    if (hook != nullptr) UnhookWindowsHookEx(hook);
  }
};

LRESULT CALLBACK PassOn(int code, WPARAM wparam, LPARAM lparam) {
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

HFONT Font(int size, bool bold) {
  return CreateFontA(-size, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, kDefaultFace);
}

// The extent of `text` with its terminating zero, as captions are measured.
SIZE Extent(HDC dc, HFONT font, const char* text) {
  HGDIOBJ previous = SelectObject(dc, font);
  SIZE extent = {0, 0};
  GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)) + 1, &extent);
  SelectObject(dc, previous);
  return extent;
}

// The floor of `count` controls of `kind`, with the about button in front.
void Floor(HINSTANCE instance, HWND host, HBITMAP picture_strip, Kind kind, int count,
           FloorObjects* made) {
  made->hook = SetWindowsHookExA(WH_GETMESSAGE, PassOn, nullptr, GetCurrentThreadId());
  made->strip = CreateWindowExA(0, ToolbarStrip::kWindowClass, nullptr, kControlStyle, 0, 0,
                                kInitialStripWidth, kStripHeight, host, nullptr, instance, nullptr);
  made->tooltip = CreateWindowExA(0, "OruToolTip", nullptr, WS_POPUP | WS_DISABLED | WS_BORDER, 0,
                                  0, 50, 20, made->strip, nullptr, instance, nullptr);
  made->objects.push_back(Font(12, false));

  HDC dc = GetDC(made->strip);
  HFONT about_font = Font(kDefaultFontSize, true);
  made->objects.push_back(about_font);
  const int about_width = Extent(dc, about_font, "Tarvelin").cx + 4;
  CreateWindowExA(0, ToolbarDefinition::kAboutObjectName, nullptr, kControlStyle, 0, 0, about_width,
                  kStripHeight, made->strip, nullptr, instance, nullptr);
  int x = about_width;
  int last_width = about_width;

  HDC source = nullptr;
  HDC target = nullptr;
  HBRUSH face = nullptr;
  if (kind == Kind::kButton) {
    source = CreateCompatibleDC(dc);
    target = CreateCompatibleDC(dc);
    SelectObject(source, picture_strip);
    face = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    SelectObject(target, face);
  }
  for (int i = 1; i <= count; ++i) {
    const std::string n = IntToString(i);
    switch (kind) {
      case Kind::kNone:
        break;
      case Kind::kSeparator:
        made->objects.push_back(Font(kDefaultFontSize, false));
        CreateWindowExA(0, ("s" + n).c_str(), nullptr, kControlStyle, x, 0, 7, kStripHeight,
                        made->strip, nullptr, instance, nullptr);
        last_width = 7;
        break;
      case Kind::kButton: {
        HBITMAP picture = CreateCompatibleBitmap(dc, kPictureSize, kPictureSize);
        made->objects.push_back(picture);
        HGDIOBJ previous = SelectObject(target, picture);
        BitBlt(target, 0, 0, kPictureSize, kPictureSize, source, (i % kPictureCount) * kPictureSize,
               0, SRCCOPY);
        ExtFloodFill(target, 0, 0, GetPixel(target, 0, 0), FLOODFILLSURFACE);
        SelectObject(target, previous);
        HFONT font = Font(kDefaultFontSize, false);
        made->objects.push_back(font);
        const int width = Extent(dc, font, ("Button " + n).c_str()).cx + kPictureSize + 4;
        CreateWindowExA(0, ("b" + n).c_str(), nullptr, kControlStyle, x, 0, width, kStripHeight,
                        made->strip, nullptr, instance, nullptr);
        last_width = width;
        break;
      }
      case Kind::kTextBox:
      case Kind::kComboBox: {
        HFONT font = Font(kDefaultFontSize, false);
        made->objects.push_back(font);
        const int line_height = static_cast<int>(
            static_cast<float>(static_cast<int>(Extent(dc, font, "World Wide Web").cy * 1.2)) *
            1.2f);
        const int y = (kStripHeight - line_height) / 2;
        HWND box;
        if (kind == Kind::kTextBox) {
          box = CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", nullptr,
                                WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, x, y, 80, line_height,
                                made->strip, nullptr, instance, nullptr);
          SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
        } else {
          box = CreateWindowExA(
              WS_EX_CLIENTEDGE, "COMBOBOX", nullptr,
              WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_NOINTEGRALHEIGHT | CBS_DROPDOWNLIST, x, y,
              80, 200, made->strip, nullptr, instance, nullptr);
          for (int e = 1; e <= 3; ++e) {
            const std::string entry = "Entry " + IntToString(e);
            SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
          }
          SendMessageA(box, CB_SETCURSEL, 0, 0);
          SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
          // The combo box sets its own height from the font; only a move
          // with the full height after that makes its list 200 high with
          // that font (with the system font's height otherwise).
          MoveWindow(box, x, y, 80, 200, TRUE);
        }
        last_width = 80;
        break;
      }
    }
    x += last_width;
  }
  if (kind == Kind::kButton) {
    DeleteDC(source);
    DeleteDC(target);
    DeleteObject(face);
  }
  ReleaseDC(made->strip, dc);
  MoveWindow(made->strip, 0, 0, x + last_width, kStripHeight, TRUE);
}

struct Samples {
  std::vector<double> toolbar;
  std::vector<double> floor;
  // Per turn: the two times were taken one after the other, so their ratio
  // holds better than either time while the machine's load changes.
  std::vector<double> ratio;
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double Min(const std::vector<double>& values) {
  return *std::min_element(values.begin(), values.end());
}

}  // namespace

int main(int argc, char** argv) {
  int count = 100;
  int repetitions = 11;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--controls") == 0) count = std::atoi(argv[i + 1]);
    if (std::strcmp(argv[i], "--repetitions") == 0) repetitions = std::atoi(argv[i + 1]);
  }
  if (count < 1 || repetitions < 1) {
    std::fprintf(stderr, "usage: bench_toolbar_setup [--controls N] [--repetitions R]\n");
    return 2;
  }

  HINSTANCE instance = GetModuleHandleA(nullptr);
  Frame frame;
  HBITMAP picture_strip = MakePictureStrip();
  if (!frame.Create(instance) || picture_strip == nullptr) {
    std::fprintf(stderr, "bench_toolbar_setup: no window or picture strip\n");
    return 1;
  }

  std::vector<std::vector<std::string>> lines;
  for (const KindInfo& info : kKinds) lines.push_back(DefinitionLines(info.kind, count));
  std::vector<Samples> samples(sizeof(kKinds) / sizeof(kKinds[0]));

  // Turn 0 registers the classes and warms the caches; it is not counted.
  // The toolbar goes first in even turns and the floor in odd ones, so that
  // neither always follows the other's clean-up.
  for (int turn = 0; turn <= repetitions; ++turn) {
    for (std::size_t k = 0; k < samples.size(); ++k) {
      double toolbar_time = 0;
      double floor_time = 0;
      for (int half = 0; half < 2; ++half) {
        if ((half == 0) == (turn % 2 == 0)) {
          std::unique_ptr<ToolbarDefinition> definition = MakeDefinition(lines[k], picture_strip);
          const double start = Now();
          auto strip = std::make_unique<ToolbarStrip>();
          strip->Create(instance, frame.host(), 0, 0, kInitialStripWidth, kStripHeight);
          strip->Attach(definition.get());
          strip->Build();
          toolbar_time = Now() - start;
        } else {
          FloorObjects made;
          const double start = Now();
          Floor(instance, frame.host(), picture_strip, kKinds[k].kind, count, &made);
          floor_time = Now() - start;
        }
        PumpPending();
      }
      if (turn > 0) {
        samples[k].toolbar.push_back(toolbar_time);
        samples[k].floor.push_back(floor_time);
        samples[k].ratio.push_back(toolbar_time / floor_time);
      }
    }
  }

  std::printf(
      "%d controls per kind, %d repetitions; milliseconds, median (min); ratio: median of the "
      "turns' toolbar / floor\n\n",
      count, repetitions);
  std::printf("| kind | toolbar | floor | ratio |\n|---|---|---|---|\n");
  for (std::size_t k = 0; k < samples.size(); ++k) {
    std::printf("| %s | %.1f (%.1f) | %.1f (%.1f) | %.2f |\n", kKinds[k].description,
                Median(samples[k].toolbar), Min(samples[k].toolbar), Median(samples[k].floor),
                Min(samples[k].floor), Median(samples[k].ratio));
  }
  DeleteObject(picture_strip);
  return 0;
}
