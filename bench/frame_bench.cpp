// The frame's drawing (model and preview), rectangle by rectangle and by the program's
// renderer, side by side. Prints Google Benchmark's table, then the ratio per case.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "model/cube_under.h"
#include "reference_frame.h"
#include "render/frame_renderer.h"
#include "scenes.h"

using namespace kadro;
using kadro::reference::drawFrameByRectangles;
using kadro::testing::SceneModel;

namespace {

struct Case {
    const char* name;
    int size;
    int layer;
    enum Fill { Full, Empty, Random } fill;
};

const Case kCases[] = {
    {"full block, size 20", 20, 1, Case::Full},
    {"full block, size 10", 10, 1, Case::Full},
    {"full block, size 2", 2, 1, Case::Full},
    {"empty grid, size 20", 20, 1, Case::Empty},
    {"half filled, size 20", 20, 1, Case::Random},
    {"half filled, size 20, layer 15", 20, 15, Case::Random},
};

std::unique_ptr<SceneModel> makeScene(const Case& c) {
    auto scene = std::make_unique<SceneModel>(c.size);
    if (c.fill == Case::Full) scene->stripes();
    if (c.fill == Case::Random) scene->random(42, 0.5);
    scene->state.currentLayer = c.layer;
    return scene;
}

void byReference(benchmark::State& state, const Case* c) {
    auto scene = makeScene(*c);
    std::vector<Pixel> pixels(kDrawingWidth * kDrawingHeight);
    Canvas canvas({pixels.data(), kDrawingWidth, kDrawingHeight, kDrawingWidth});
    for (auto _ : state) {
        drawFrameByRectangles(canvas, scene->state, *scene->grid, 550, 580);
        benchmark::DoNotOptimize(pixels.data());
    }
}

void byRenderer(benchmark::State& state, const Case* c, Look look) {
    auto scene = makeScene(*c);
    std::vector<Pixel> pixels(kDrawingWidth * kDrawingHeight);
    auto renderer = std::make_unique<FrameRenderer>();
    for (auto _ : state) {
        renderer->draw({pixels.data(), kDrawingWidth, kDrawingHeight, kDrawingWidth}, scene->state,
                       *scene->grid, 550, 580, kEverywhere, look);
        benchmark::DoNotOptimize(pixels.data());
    }
}

// The cube and face under a point of a full 20-block: points on a grid over the whole drawing
// area, most of them on cubes, the rest on the black ground (where every cell is looked at).
void underPoint(benchmark::State& state) {
    auto scene = makeScene({"", 20, 1, Case::Full});
    std::vector<std::pair<int, int>> points;
    for (int y = 3; y < kDrawingHeight; y += 17)
        for (int x = 5; x < kDrawingWidth; x += 23) points.emplace_back(x, y);
    size_t i = 0;
    for (auto _ : state) {
        const auto [x, y] = points[i++ % points.size()];
        benchmark::DoNotOptimize(cubeUnder(scene->state, *scene->grid, x, y));
    }
}

// Collects the time per frame of every run, to print the ratios after the usual table.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.iterations == 0) continue;
            times[run.benchmark_name()] = run.GetAdjustedRealTime();
        }
    }
    std::map<std::string, double> times;
};

}  // namespace

// A quicker survey beyond the six cases: every size, full, half-filled and empty, from layer 1,
// each timed over a fixed number of frames.
int surveySizes() {
    std::vector<Pixel> pixels(kDrawingWidth * kDrawingHeight);
    const PixelBuffer buffer{pixels.data(), kDrawingWidth, kDrawingHeight, kDrawingWidth};
    Canvas canvas(buffer);
    auto renderer = std::make_unique<FrameRenderer>();
    auto perFrame = [](int frames, auto draw) {
        draw();
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < frames; ++i) draw();
        return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                   .count() /
               frames;
    };
    std::printf("%-5s %-7s %14s %14s %8s\n", "size", "block", "reference (us)", "renderer (us)",
                "ratio");
    for (int size = kMinSize; size <= kMaxSize; ++size) {
        for (auto fill : {Case::Full, Case::Random, Case::Empty}) {
            auto scene = makeScene({"", size, 1, fill});
            const double reference = perFrame(100, [&] {
                drawFrameByRectangles(canvas, scene->state, *scene->grid, 550, 580);
                benchmark::DoNotOptimize(pixels.data());
            });
            const double rendered = perFrame(1000, [&] {
                renderer->draw(buffer, scene->state, *scene->grid, 550, 580);
                benchmark::DoNotOptimize(pixels.data());
            });
            std::printf("%-5d %-7s %14.1f %14.1f %7.1fx\n", size,
                        fill == Case::Full     ? "full"
                        : fill == Case::Random ? "half"
                                               : "empty",
                        reference, rendered, reference / rendered);
        }
    }
    return 0;
}

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--every-size") return surveySizes();
    for (const Case& c : kCases) {
        benchmark::RegisterBenchmark((std::string("reference/") + c.name).c_str(), byReference, &c)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((std::string("renderer/") + c.name).c_str(), byRenderer, &c,
                                     Look::Designed)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((std::string("edged/") + c.name).c_str(), byRenderer, &c,
                                     Look::Edged)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::RegisterBenchmark("cube under a point/full block, size 20", underPoint)
        ->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n%-34s %14s %14s %8s\n", "case", "reference (us)", "renderer (us)", "ratio");
    for (const Case& c : kCases) {
        const auto r = reporter.times.find(std::string("reference/") + c.name);
        const auto f = reporter.times.find(std::string("renderer/") + c.name);
        if (r == reporter.times.end() || f == reporter.times.end()) continue;
        std::printf("%-34s %14.1f %14.1f %7.1fx\n", c.name, r->second, f->second,
                    r->second / f->second);
    }
    std::printf("\n%-34s %14s %14s %8s\n", "case", "designed (us)", "edged (us)", "ratio");
    for (const Case& c : kCases) {
        const auto d = reporter.times.find(std::string("renderer/") + c.name);
        const auto e = reporter.times.find(std::string("edged/") + c.name);
        if (d == reporter.times.end() || e == reporter.times.end()) continue;
        std::printf("%-34s %14.1f %14.1f %7.2fx\n", c.name, d->second, e->second,
                    e->second / d->second);
    }
    return 0;
}
