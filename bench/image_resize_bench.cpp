// Smooth reduction of a 24-megapixel picture (6000 x 4000) to 1600 x 1067 and
// to 800 x 533, the fast resampler beside the cell-by-cell definition it must
// match byte for byte. The ratio and whether the bytes agree are printed after
// the timings.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>

#include "image/smooth_resize.h"
#include "image/smooth_resize_reference.h"
#include "bench_row.h"

namespace zk::bench {
namespace {

// A photograph-like picture: smooth gradients, sharp edges and grain.
const PixelBuffer& Photo() {
  static const PixelBuffer photo = [] {
    PixelBuffer p(6000, 4000);
    std::mt19937 rng(6000);
    for (int y = 0; y < p.height; ++y) {
      uint8_t* row = p.Row(y);
      for (int x = 0; x < p.width; ++x) {
        const int grain = static_cast<int>(rng() % 17) - 8;
        const int edge = ((x / 97 + y / 61) % 2) ? 60 : 0;
        row[3 * x] = static_cast<uint8_t>(std::clamp((x * 200) / p.width + grain + edge, 0, 255));
        row[3 * x + 1] = static_cast<uint8_t>(std::clamp((y * 220) / p.height + grain, 0, 255));
        row[3 * x + 2] = static_cast<uint8_t>(std::clamp(128 + grain * 4 - edge, 0, 255));
      }
    }
    return p;
  }();
  return photo;
}

void BM_ResizeFast(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  SmoothResizeStats stats;
  for (auto _ : state) benchmark::DoNotOptimize(SmoothResize(Photo().View(), w, h, &stats).bytes.data());
  state.counters["double_checked"] = static_cast<double>(stats.double_checked_pixels);
  state.counters["exact"] = static_cast<double>(stats.exact_pixels);
  state.SetItemsProcessed(state.iterations() * int64_t{6000} * 4000);
}

void BM_ResizeReference(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  for (auto _ : state) benchmark::DoNotOptimize(reference::SmoothResize(Photo().View(), w, h).bytes.data());
  state.SetItemsProcessed(state.iterations() * int64_t{6000} * 4000);
}

// The picture is made before the clock starts.
void MakePhoto(const benchmark::State&) { Photo(); }

BENCHMARK(BM_ResizeFast)->Setup(MakePhoto)->Args({1600, 1067})->Args({800, 533})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResizeReference)
    ->Setup(MakePhoto)
    ->Args({1600, 1067})
    ->Args({800, 533})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// The best of several runs of each (the first run of a process also pays for
// fresh memory), their ratio and a byte comparison of the results.
void PrintRatios() {
  using Clock = std::chrono::steady_clock;
  auto best_ms = [](int runs, auto&& resize, PixelBuffer& result) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
      const auto start = Clock::now();
      result = resize();
      best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return best;
  };
  for (auto [w, h] : {std::pair{1600, 1067}, {800, 533}}) {
    PixelBuffer fast, ref;
    const double fast_ms = best_ms(10, [&] { return SmoothResize(Photo().View(), w, h); }, fast);
    const double ref_ms = best_ms(2, [&] { return reference::SmoothResize(Photo().View(), w, h); }, ref);
    std::printf("6000 x 4000 -> %d x %d: fast %.1f ms, reference %.1f ms, ratio %.1f, bytes %s\n", w, h, fast_ms, ref_ms,
                ref_ms / fast_ms, fast.bytes == ref.bytes ? "identical" : "DIFFERENT");
    if (w == 1600) PrintRow("smooth reduction 6000x4000 to 1600x1067", fast_ms, "ms");
  }
}

// Writes the picture as a binary PPM, for other resamplers to time on the same pixels.
void WritePhoto(const char* path) {
  const PixelBuffer& p = Photo();
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << p.width << " " << p.height << "\n255\n";
  for (int y = 0; y < p.height; ++y) out.write(reinterpret_cast<const char*>(p.Row(y)), 3 * p.width);
}

}  // namespace
}  // namespace zk::bench

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--write-photo") == 0) {
    zk::bench::WritePhoto(argv[2]);
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  const size_t ran = benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (ran > 0) zk::bench::PrintRatios();
  return 0;
}
