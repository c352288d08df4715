// Clicks through the real main window, on ">" and on the track view, from the click to the new
// strip in picTrack.

#include "bench_images.h"
#include "editor_session.h"
#include "shell/trackview/track_view_widget.h"
#include "worst_case_image.h"

#include <QPushButton>
#include <QTest>

#include <benchmark/benchmark.h>

#include <chrono>

namespace whoopline::bench {

namespace {

// Times click(window), from the click to the new strip in picTrack, with the longest track
// loaded and its first object current before every click.
void timeClicks(benchmark::State &state, BenchImage image, void (*click)(EditorSession &))
{
    EditorSession editor;
    editor.window.show();
    if (!QTest::qWaitForWindowExposed(&editor.window)) {
        state.SkipWithError("the main window was never shown");
        return;
    }
    const QString failed = editor.openAndLoad(imagePath(image), WorstTrack);
    if (!failed.isEmpty()) {
        state.SkipWithError(qPrintable(failed));
        return;
    }
    shell::frmMain &window = editor.window;
    const auto *picTrack = editor.control<shell::TrackViewWidget>("picTrack");
    for (auto _ : state) {
        // Untimed: what the last click left to paint is painted now, so each timed click starts
        // from a window at rest, as between two clicks of a person.
        window.repaint();
        const qint64 before = picTrack->picture().cacheKey();
        const auto start = std::chrono::steady_clock::now();
        click(editor);
        const auto end = std::chrono::steady_clock::now();
        if (picTrack->picture().cacheKey() == before) {
            state.SkipWithError("the click left the old strip in picTrack");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        // Back to the first object, untimed, so that every timed click draws the same view.
        QTest::mouseClick(editor.control("btnPrevBeginning"), Qt::LeftButton);
    }
}

void BM_Click(benchmark::State &state, BenchImage image)
{
    timeClicks(state, image,
               [](EditorSession &editor) { QTest::mouseClick(editor.control("btnNext"), Qt::LeftButton); });
}
BENCHMARK_CAPTURE(BM_Click, sample, BenchImage::Sample)->UseManualTime()->Name("click/sample");
BENCHMARK_CAPTURE(BM_Click, worst_case, BenchImage::WorstCase)->UseManualTime()->Name("click/worst_case");

// 40 pixels into the view: on the second object of the sample's track, inside the first span of
// the worst case's, which is redrawn.
void BM_TrackClick(benchmark::State &state, BenchImage image)
{
    timeClicks(state, image, [](EditorSession &editor) {
        QTest::mouseClick(editor.control("picTrack"), Qt::LeftButton, {}, QPoint(40, 128));
    });
}
BENCHMARK_CAPTURE(BM_TrackClick, sample, BenchImage::Sample)
    ->UseManualTime()
    ->Name("track_click/sample");
BENCHMARK_CAPTURE(BM_TrackClick, worst_case, BenchImage::WorstCase)
    ->UseManualTime()
    ->Name("track_click/worst_case");

} // namespace

} // namespace whoopline::bench
