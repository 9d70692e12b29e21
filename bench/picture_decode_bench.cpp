// Decoding a 24-megapixel picture (6000 x 4000): a JPEG of quality 90 with the
// usual half-resolution chroma, and a 24-bit PNG, each into freshly allocated
// rows as the viewer's bitmap gets them. The files are made before the clock
// starts; their sizes and the best time of each are printed after the runs.
#include <benchmark/benchmark.h>
#include <png.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>

#include "image/decoders/jpeg_decoder.h"
#include "image/decoders/png_decoder.h"
#include "support/picture_encoders.h"

namespace zk::bench {
namespace {

constexpr int kWidth = 6000, kHeight = 4000;

// Photograph-like RGB samples: smooth gradients, edges and grain.
std::vector<uint8_t> PhotoSamples() {
  std::vector<uint8_t> rgb(size_t(kWidth) * kHeight * 3);
  std::mt19937 rng(6000);
  uint8_t* p = rgb.data();
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const int grain = static_cast<int>(rng() % 9) - 4;
      const int edge = ((x / 97 + y / 61) % 2) ? 60 : 0;
      *p++ = static_cast<uint8_t>(std::clamp(128 + grain * 3 - edge, 0, 255));
      *p++ = static_cast<uint8_t>(std::clamp((y * 220) / kHeight + grain, 0, 255));
      *p++ = static_cast<uint8_t>(std::clamp((x * 200) / kWidth + grain + edge, 0, 255));
    }
  }
  return rgb;
}

const test::Bytes& JpegFile() {
  static const test::Bytes file = [] {
    return test::EncodeJpeg(
        {.width = kWidth, .height = kHeight, .components = 3, .samples = PhotoSamples(), .quality = 90, .full_chroma = false});
  }();
  return file;
}

const test::Bytes& PngFile() {
  static const test::Bytes file = [] {
    const std::vector<uint8_t> rgb = PhotoSamples();
    return test::EncodePng({.width = kWidth, .height = kHeight, .color_type = PNG_COLOR_TYPE_RGB, .bit_depth = 8,
                            .samples = std::vector<uint16_t>(rgb.begin(), rgb.end())});
  }();
  return file;
}

void BM_DecodeJpeg(benchmark::State& state) {
  for (auto _ : state) {
    BufferPixelSink sink;
    DecodeJpeg(JpegFile(), sink);
    benchmark::DoNotOptimize(sink.buffer.bytes.data());
  }
  state.SetItemsProcessed(state.iterations() * int64_t{kWidth} * kHeight);
}

void BM_DecodePng(benchmark::State& state) {
  for (auto _ : state) {
    BufferPixelSink sink;
    DecodePng(PngFile(), Rgb{255, 255, 255}, sink);
    benchmark::DoNotOptimize(sink.buffer.bytes.data());
  }
  state.SetItemsProcessed(state.iterations() * int64_t{kWidth} * kHeight);
}

BENCHMARK(BM_DecodeJpeg)->Setup([](const benchmark::State&) { JpegFile(); })->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodePng)->Setup([](const benchmark::State&) { PngFile(); })->Unit(benchmark::kMillisecond);

void PrintSummary() {
  using Clock = std::chrono::steady_clock;
  auto best_ms = [](auto&& decode) {
    double best = 1e300;
    for (int i = 0; i < 3; ++i) {
      const auto start = Clock::now();
      decode();
      best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return best;
  };
  BufferPixelSink sink;
  const double jpeg_ms = best_ms([&] { DecodeJpeg(JpegFile(), sink); });
  const double png_ms = best_ms([&] { DecodePng(PngFile(), Rgb{}, sink); });
  std::printf("6000 x 4000 JPEG (q90, %.1f MB): %.0f ms; PNG (%.1f MB): %.0f ms; rows %.1f MB each\n",
              JpegFile().size() / 1e6, jpeg_ms, PngFile().size() / 1e6, png_ms, sink.buffer.bytes.size() / 1e6);
}

}  // namespace
}  // namespace zk::bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  const size_t ran = benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (ran > 0) zk::bench::PrintSummary();
  return 0;
}
