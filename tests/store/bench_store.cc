#include <cstdint>
#include <string>

#include <benchmark/benchmark.h>

#include "store/strings.h"

namespace {

// `megabytes` MB of filler text with 10,000 "<TEXTBOX>" per MB spread evenly.
std::string TextWithTextBoxes(int megabytes) {
  const std::size_t size = static_cast<std::size_t>(megabytes) << 20;
  const std::size_t count = static_cast<std::size_t>(megabytes) * 10000;
  const std::string search = "<TEXTBOX>";
  const std::size_t gap = size / count - search.size();
  std::string text;
  text.reserve(size);
  for (std::size_t i = 0; i < count; ++i) {
    for (std::size_t j = 0; j < gap; ++j) text += static_cast<char>('a' + (i + j) % 26);
    text += search;
  }
  text.resize(size, '.');
  return text;
}

void BM_ReplaceAllTextBoxes(benchmark::State& state) {
  const std::string text = TextWithTextBoxes(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::string result = ReplaceAll(text, "<TEXTBOX>", "two+words");
    benchmark::DoNotOptimize(result);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ReplaceAllTextBoxes)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

// Every removal forms the next occurrence: "<TEX" * n "<TEXTBOX>" "TBOX>" * n,
// about `megabytes` MB, collapses to "".
void BM_ReplaceAllNested(benchmark::State& state) {
  const std::size_t depth = (static_cast<std::size_t>(state.range(0)) << 20) / 9;
  std::string text;
  for (std::size_t i = 0; i < depth; ++i) text += "<TEX";
  text += "<TEXTBOX>";
  for (std::size_t i = 0; i < depth; ++i) text += "TBOX>";
  for (auto _ : state) {
    std::string result = ReplaceAll(text, "<TEXTBOX>", "");
    benchmark::DoNotOptimize(result);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ReplaceAllNested)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

}  // namespace
