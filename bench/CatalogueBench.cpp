// Opening a library of many small records and listing its names, as the game, `vx8tool list`
// and `unpack` start, beside std::sort of the same names: both should grow as n log n.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "image/VX8Library.h"
#include "tests/support/TestLibraryWriter.h"
#include "tools/vx8tool/ToolSupport.h"

namespace {

using namespace vx8test;

// Names of 6 base-36 digits; one record in a hundred repeats an earlier name, so that the
// rule for names alike is exercised too.
std::string NameOf(int64_t i) {
  if (i % 100 == 99) i /= 2;
  std::string name = "r00000";
  for (size_t at = name.size() - 1; at > 0 && i > 0; --at, i /= 36)
    name[at] = "0123456789abcdefghijklmnopqrstuvwxyz"[i % 36];
  return name;
}

// A library of `count` records of one pixel, written once per count to a temporary file.
std::string LibraryOf(int64_t count) {
  const std::string path =
      "/tmp/bench-catalogue-" + std::to_string(::getpid()) + "-" + std::to_string(count) + ".vx8";
  const Bytes record = RecordBytes(MakeRecord("x", Pixels(1, 1, 7), Coding::Finished));
  Bytes file = LibraryBytes({});
  file.reserve(file.size() + size_t(count) * record.size());
  for (int64_t i = 0; i < count; ++i) {
    const size_t at = file.size();
    file.insert(file.end(), record.begin(), record.end());
    const std::string name = NameOf(i);
    std::copy(name.begin(), name.end(), file.begin() + int64_t(at));
  }
  WriteBytes(path, file);
  return path;
}

void BM_OpenAndList(benchmark::State& state) {
  const std::string path = LibraryOf(state.range(0));
  for (auto _ : state) {
    TVX8Library library;
    vx8tool::OpenLibrary(library, path);
    benchmark::DoNotOptimize(vx8tool::RecordNames(library, path));
    benchmark::DoNotOptimize(library.ImageNames());
  }
  std::remove(path.c_str());
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_SortNames(benchmark::State& state) {
  std::vector<std::string> names;
  for (int64_t i = 0; i < state.range(0); ++i) names.push_back(NameOf(i * 7919 % state.range(0)));
  for (auto _ : state) {
    std::vector<std::string> copy = names;
    std::sort(copy.begin(), copy.end());
    benchmark::DoNotOptimize(copy.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_OpenAndList)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortNames)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
