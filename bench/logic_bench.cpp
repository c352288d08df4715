// Opening an image, loading a track and redrawing the track view, each as the editor does it:
// every call reads the file afresh.

#include "bench_images.h"
#include "track/track_io.h"
#include "view/open_image.h"
#include "view/track_view.h"
#include "worst_case_image.h"

#include <benchmark/benchmark.h>

namespace whoopline::bench {

namespace {

// The longest track, which the benchmarks load and draw.
constexpr int LongestTrack = WorstTrack;

void BM_Open(benchmark::State &state, BenchImage image)
{
    const QString path = imagePath(image);
    for (auto _ : state) {
        auto opened = view::OpenImage(path);
        if (!opened) {
            state.SkipWithError(qPrintable(opened.error()));
            break;
        }
        benchmark::DoNotOptimize(opened);
    }
}
BENCHMARK_CAPTURE(BM_Open, sample, BenchImage::Sample)->Name("open/sample");
BENCHMARK_CAPTURE(BM_Open, worst_case, BenchImage::WorstCase)->Name("open/worst_case");

void BM_Load(benchmark::State &state, BenchImage image)
{
    const QString path = imagePath(image);
    const auto opened = view::OpenImage(path);
    if (!opened) {
        state.SkipWithError(qPrintable(opened.error()));
        return;
    }
    for (auto _ : state) {
        auto loaded = track::ReadTrack(path, LongestTrack, opened->ObjectWidthTable);
        if (!loaded) {
            state.SkipWithError(qPrintable(loaded.error()));
            break;
        }
        benchmark::DoNotOptimize(loaded);
    }
}
BENCHMARK_CAPTURE(BM_Load, sample, BenchImage::Sample)->Name("load/sample");
BENCHMARK_CAPTURE(BM_Load, worst_case, BenchImage::WorstCase)->Name("load/worst_case");

// The view of the longest track from its first object: in the worst-case images, 33 spans.
// The redraw of a track view width pixels wide: the specified 512, or a resizable window's.
void BM_Redraw(benchmark::State &state, BenchImage image, int width = 512)
{
    const QString path = imagePath(image);
    const auto opened = view::OpenImage(path);
    if (!opened) {
        state.SkipWithError(qPrintable(opened.error()));
        return;
    }
    auto loaded = track::ReadTrack(path, LongestTrack, opened->ObjectWidthTable);
    if (!loaded) {
        state.SkipWithError(qPrintable(loaded.error()));
        return;
    }
    track::TrackModel model;
    model.TrackObjects = std::move(loaded).value().objects;
    model.CurrentTrack = LongestTrack;
    model.CurrentObject = 0;
    const rom::RomGraphics &graphics = opened->graphics;
    for (auto _ : state) {
        view::TrackView drawn =
            view::RenderTrackView(model, graphics.picBuffer, graphics.picGFX, path, false, width);
        benchmark::DoNotOptimize(drawn.strip.constBits());
    }
}
BENCHMARK_CAPTURE(BM_Redraw, sample, BenchImage::Sample)->Name("redraw/sample");
BENCHMARK_CAPTURE(BM_Redraw, worst_case, BenchImage::WorstCase)->Name("redraw/worst_case");
BENCHMARK_CAPTURE(BM_Redraw, worst_case_short_spans, BenchImage::WorstCaseShortSpans)
    ->Name("redraw/worst_case_short_spans");
BENCHMARK_CAPTURE(BM_Redraw, sample_wide, BenchImage::Sample, 1920)->Name("redraw_1920/sample");
BENCHMARK_CAPTURE(BM_Redraw, worst_case_wide, BenchImage::WorstCase, 1920)->Name("redraw_1920/worst_case");

} // namespace

} // namespace whoopline::bench
