// Speed of encoding detection and of the whole decoding of a text file's bytes,
// on 20 MB of Japanese text in each encoding, plus texts that keep the scanners
// busy to the last byte: Japanese without line breaks (UTF-8 and Shift_JIS
// both accept it in UTF-8), 7-bit text (UTF-7 alive) and accented Latin in
// UTF-8 (all three 8-bit scanners accept it).
#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <map>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "japanese_text.h"
#include "text/detect_char_code.h"
#include "text/text_decoding.h"

namespace zk::bench {

constexpr size_t kTextBytes = 20 << 20;

const std::string& Sample(int id) {
  static std::map<int, std::string> cache;
  auto& text = cache[id];
  if (text.empty()) {
    if (id < 100) {
      text = JapaneseText(static_cast<Encoding>(id % 10), kTextBytes, id < 10);
    } else {
      const char* piece = id == 100 ? "The quick brown fox (no. 12) jumps over the lazy dog.\r\n" : "caf\xC3\xA9 na\xC3\xAFve \xC3\xA0 la cr\xC3\xA8me\r\n";
      while (text.size() < kTextBytes) text += piece;
    }
  }
  return text;
}

void BM_Detect(benchmark::State& state, int id) {
  const std::string& text = Sample(id);
  for (auto _ : state) benchmark::DoNotOptimize(DetectCharCode(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

// Large blocks either come from memory the process has used before (warm), or
// from freshly mapped memory, as for the first large text a process reads:
// there the first touch of each page costs more than the decoding on some
// machines (virtual ones above all).
void UseFreshMemory(bool fresh) {
#ifdef __GLIBC__
  mallopt(M_MMAP_THRESHOLD, fresh ? 128 * 1024 : 1 << 30);
  mallopt(M_TRIM_THRESHOLD, fresh ? 128 * 1024 : 1 << 30);
#endif
}

void BM_DetectAndDecode(benchmark::State& state, int id, bool fresh) {
  const std::string& text = Sample(id);
  UseFreshMemory(fresh);
  PortableCodePageDecoder decoder;
  for (auto _ : state) {
    state.PauseTiming();
    std::string bytes = text;  // the reader owns its buffer
    state.ResumeTiming();
    TextFile file = DecodeTextBytes(std::move(bytes), decoder);
    benchmark::DoNotOptimize(file.text.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

struct Case {
  int id;
  const char* name;
};

constexpr Case kCases[] = {
    {int(Encoding::kSjis), "sjis"}, {int(Encoding::kEuc), "euc"},     {int(Encoding::kJis), "jis"},
    {int(Encoding::kUtf7), "utf7"}, {int(Encoding::kUtf8), "utf8"},   {int(Encoding::kUtf8Bom), "utf8bom"},
    {int(Encoding::kUtf16Le), "utf16le"}, {11, "euc-oneline"}, {14, "utf8-oneline"}, {100, "ascii"}, {101, "utf8-latin"},
};

// Writes each sample as DIR/<name>.txt, for other converters to time on the same bytes.
void WriteSamples(const std::string& dir) {
  for (const Case& c : kCases) std::ofstream(dir + "/" + c.name + ".txt", std::ios::binary) << Sample(c.id);
}

}  // namespace zk::bench

int main(int argc, char** argv) {
  using namespace zk::bench;
  if (argc == 3 && std::strcmp(argv[1], "--write-samples") == 0) {
    WriteSamples(argv[2]);
    return 0;
  }
  for (const Case& c : kCases) {
    if (c.id != int(Encoding::kUtf16Le))  // the reader never scans UTF-16
      benchmark::RegisterBenchmark((std::string("Detect/") + c.name).c_str(), BM_Detect, c.id)->Unit(benchmark::kMillisecond);
  }
  for (int fresh = 0; fresh < 2; ++fresh) {
    for (const Case& c : kCases) {
      std::string name = std::string(fresh ? "DetectAndDecodeFreshMemory/" : "DetectAndDecode/") + c.name;
      benchmark::RegisterBenchmark(name.c_str(), BM_DetectAndDecode, c.id, fresh != 0)->Unit(benchmark::kMillisecond);
    }
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
