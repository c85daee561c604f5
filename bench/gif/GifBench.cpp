// Decoding speed of the GIF reader on large pictures, next to a plain LZW
// decoder and a plain copy of the same number of bytes, in one process.
// Prints the ratios at the end; absolute times are noise on shared machines.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ReferenceLzw.h"
#include "pictures/gif/GIFImage.h"
#include "support/GifWriter.h"

namespace {

constexpr int Width = 4000;
constexpr int Height = 3000;

struct Sample {
  std::string name;
  bool interlaced;
  std::vector<std::uint8_t> pixels;
  giftest::Bytes imageData;  // minimum code size and sub-blocks
  giftest::Bytes file;
};

// Flat areas and gradients, like drawn graphics: long strings.
std::vector<std::uint8_t> GraphicPixels() {
  std::vector<std::uint8_t> out(std::size_t(Width) * Height);
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x)
      out[std::size_t(y) * Width + std::size_t(x)] = std::uint8_t(((x / 40) ^ (y / 30)) * 7 + (x > y ? 1 : 0));
  return out;
}

Sample MakeSample(const std::string& name, std::vector<std::uint8_t> pixels, bool interlaced) {
  Sample s{name, interlaced, std::move(pixels), {}, {}};
  const auto ordered = interlaced ? giftest::InterlaceRows(s.pixels, Width, Height) : s.pixels;
  s.imageData = {8};
  const auto blocks = giftest::SubBlocks(giftest::LzwEncode(ordered));
  s.imageData.insert(s.imageData.end(), blocks.begin(), blocks.end());
  giftest::FrameOptions options;
  options.interlaced = interlaced;
  giftest::GifBuilder gif;
  gif.Header(Width, Height, 256).ImageData(Width, Height, s.imageData, options).Trailer();
  s.file = gif.Data();
  return s;
}

std::vector<Sample>& Samples() {
  static std::vector<Sample> samples = [] {
    std::vector<Sample> out;
    const auto photo = giftest::NoisyPixels(Width, Height, 256, 1);
    const auto graphic = GraphicPixels();
    out.push_back(MakeSample("photo", photo, false));
    out.push_back(MakeSample("photo_interlaced", photo, true));
    out.push_back(MakeSample("graphic", graphic, false));
    out.push_back(MakeSample("graphic_interlaced", graphic, true));
    return out;
  }();
  return samples;
}

void Reader(benchmark::State& state, int index) {
  const Sample& s = Samples()[std::size_t(index)];
  TGIFImage image;
  for (auto _ : state) {
    TBufferStream stream(s.file.data(), s.file.size());
    image.LoadFromStream(stream);
    benchmark::DoNotOptimize(image.Images()[0].Data());
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * Width * Height);
}

void Reference(benchmark::State& state, int index) {
  const Sample& s = Samples()[std::size_t(index)];
  for (auto _ : state) {
    // A fresh frame buffer each time, as the reader allocates one per frame.
    std::unique_ptr<std::uint8_t[]> out(new std::uint8_t[std::size_t(Width) * Height]);
    ReferenceDecode(s.imageData.data(), s.imageData.size(), out.get(), Width, Height, s.interlaced);
    benchmark::DoNotOptimize(out.get());
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * Width * Height);
}

void Copy(benchmark::State& state) {
  const Sample& s = Samples()[0];
  for (auto _ : state) {
    std::unique_ptr<std::uint8_t[]> out(new std::uint8_t[s.pixels.size()]);
    std::memcpy(out.get(), s.pixels.data(), s.pixels.size());
    benchmark::DoNotOptimize(out.get());
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * Width * Height);
}

// Both decoders must give the picture that was encoded.
bool Verify() {
  bool ok = true;
  for (const Sample& s : Samples()) {
    TGIFImage image;
    TBufferStream stream(s.file.data(), s.file.size());
    image.LoadFromStream(stream);
    const TGIFSubImage& frame = image.Images()[0];
    std::vector<std::uint8_t> reference(s.pixels.size());
    ReferenceDecode(s.imageData.data(), s.imageData.size(), reference.data(), Width, Height, s.interlaced);
    const bool readerOk =
        frame.DataSize() == s.pixels.size() && std::memcmp(frame.Data(), s.pixels.data(), s.pixels.size()) == 0;
    const bool referenceOk = reference == s.pixels;
    if (!readerOk || !referenceOk) {
      std::fprintf(stderr, "%s: reader %s, reference %s\n", s.name.c_str(), readerOk ? "ok" : "WRONG",
                   referenceOk ? "ok" : "WRONG");
      ok = false;
    }
  }
  return ok;
}

// Collects the throughput of every run for the ratio table.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      auto it = run.counters.find("bytes_per_second");
      if (it != run.counters.end()) rates_[run.benchmark_name()] = it->second.value;
    }
  }
  void PrintRatios() const {
    std::printf("\n%-20s %12s %12s %12s %10s %10s\n", "picture", "reader MB/s", "plain MB/s", "copy MB/s", "vs plain",
                "vs copy");
    const double copy = Rate("copy");
    for (const Sample& s : Samples()) {
      const double reader = Rate("reader/" + s.name);
      const double plain = Rate("plain_lzw/" + s.name);
      std::printf("%-20s %12.0f %12.0f %12.0f %10.2f %10.2f\n", s.name.c_str(), reader / 1e6, plain / 1e6, copy / 1e6,
                  plain > 0 ? reader / plain : 0.0, copy > 0 ? reader / copy : 0.0);
    }
  }

 private:
  double Rate(const std::string& name) const {
    auto it = rates_.find(name);
    return it == rates_.end() ? 0.0 : it->second;
  }
  std::map<std::string, double> rates_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (!Verify()) return 1;
  for (std::size_t i = 0; i < Samples().size(); ++i) {
    const std::string& name = Samples()[i].name;
    benchmark::RegisterBenchmark(("reader/" + name).c_str(), Reader, int(i))->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("plain_lzw/" + name).c_str(), Reference, int(i))->Unit(benchmark::kMillisecond);
  }
  benchmark::RegisterBenchmark("copy", Copy)->Unit(benchmark::kMillisecond);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}
