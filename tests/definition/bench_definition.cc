// How fast definitions are interpreted, against how fast the same text is
// only split into lines. Run: build/native/tests/definition/bench_definition
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "definition/toolbar_definition.h"
#include "store/strings.h"

namespace {

constexpr std::size_t kMegabyte = 1024 * 1024;

// A definition of about `bytes` bytes with the mix a real one has: a
// button per group with its action, a drop-down menu of three entries, a
// combo box entry, comments and bar settings. Names never repeat, so the
// stores grow with the text.
std::string GenerateDefinition(std::size_t bytes) {
  std::string text;
  text.reserve(bytes + 1024);
  text += "' generated toolbar definition\r\n";
  text += "Qel.Title = \"Generated links\"\r\n";
  text += "Qel.ButtonImageList = \"http://127.0.0.1/images.bmp\"\r\n";
  text += "Qel.AddObject \"cboFind\", \"COMBOBOX\", \"Width=120; Height=200\"\r\n";
  for (int i = 0; text.size() < bytes; ++i) {
    std::string n = std::to_string(i);
    text += "' group " + n + "\r\n";
    text += "Qel.AddObject \"btn" + n + "\", \"BUTTON\", \"Text=Button " + n +
            "; ToolTip=Opens page " + n + "; ImageIndex=" + std::to_string(i % 24) +
            "; FontBold=false\"\r\n";
    text += "Qel.SetAction \"btn" + n + "\", \"MENU\", \"\"\r\n";
    for (int j = 0; j < 3; ++j) {
      std::string m = "mnu" + n + "_" + std::to_string(j);
      text += "Qel.AddObject \"" + m + ";btn" + n + "\", \"MENUITEM\", \"Text=Entry " +
              std::to_string(j) + ", more\"\r\n";
      text += "Qel.SetAction \"" + m + "\", \"URL\", \"http://www.example.org/" + n + "/" +
              std::to_string(j) + "?q=<TEXTBOX>\" ' entry " + std::to_string(j) + "\r\n";
    }
    text +=
        "Qel.AddObject \"cbo" + n + ";cboFind\", \"COMBOBOXITEM\", \"Text=Engine " + n + "\"\r\n";
    text += "Qel.SetAction \"cbo" + n + "\", \"URL\", \"http://search.example.org/?e=" + n +
            "&q=<TEXTBOX>\"\r\n";
    if (i % 10 == 0) text += "Qel.BarHeight = " + std::to_string(22 + i % 5) + "\r\n";
  }
  return text;
}

const std::string& Definition(int megabytes) {
  static const std::string one = GenerateDefinition(kMegabyte);
  static const std::string ten = GenerateDefinition(10 * kMegabyte);
  return megabytes == 1 ? one : ten;
}

void BM_RunScriptLines(benchmark::State& state) {
  const std::string& text = Definition(static_cast<int>(state.range(0)));
  std::vector<std::string> lines;
  Split(text, "\n", &lines);
  ToolbarDefinition definition;
  for (auto _ : state) {
    definition.Reset();
    definition.RunScriptLines(lines);
    benchmark::DoNotOptimize(definition.ControlStore()->GetObjectCount());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(text.size()));
  state.counters["objects"] = static_cast<double>(definition.ControlStore()->GetObjectCount() +
                                                  definition.MenuItemStore()->GetObjectCount() +
                                                  definition.ComboItemStore()->GetObjectCount());
}

void BM_SplitLines(benchmark::State& state) {
  const std::string& text = Definition(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::vector<std::string> lines;
    Split(text, "\n", &lines);
    benchmark::DoNotOptimize(lines.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(text.size()));
}

BENCHMARK(BM_RunScriptLines)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SplitLines)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

}  // namespace
