// The overview's redraw after an edit and the export of the worst-case track, with libpng alone
// writing a picture of the same size and rows as the export's baseline.

#include "bench_images.h"
#include "track/track_io.h"
#include "view/open_image.h"
#include "view/picture_stream.h"
#include "view/track_overview.h"
#include "view/track_png.h"
#include "view/track_view.h"
#include "worst_case_image.h"

#include <QImageReader>

#include <benchmark/benchmark.h>
#include <png.h>

#include <vector>

namespace whoopline::bench {

namespace {

constexpr qint64 ShownColumns = 2 * 1920 / view::OverviewBlockPixels;

struct Loaded
{
    QString path;
    rom::RomGraphics graphics;
    track::TrackObjectList objects;
};

std::optional<Loaded> load(BenchImage image, benchmark::State &state)
{
    const QString path = imagePath(image);
    auto opened = view::OpenImage(path);
    auto loaded = opened ? track::ReadTrack(path, WorstTrack, opened->ObjectWidthTable)
                         : Result<track::LoadedTrack>(Failure{opened.error()});
    if (!loaded) {
        state.SkipWithError(qPrintable(loaded.error()));
        return std::nullopt;
    }
    return Loaded{path, opened->graphics, loaded->objects};
}

// As after an edit: the stream read afresh and the overview drawn with its marks, as much of it
// as a strip across a 1,920-pixel screen shows and half its width either side.
void BM_OverviewRedraw(benchmark::State &state, BenchImage image)
{
    const auto loaded = load(image, state);
    if (!loaded)
        return;
    // Made when the image is opened, as the tile sheet is.
    const view::OverviewTiles tiles = view::MakeOverviewTiles(loaded->graphics.picBuffer, loaded->graphics.picGFX);
    for (auto _ : state) {
        auto stream = view::PictureStream::read(loaded->path);
        const std::optional<view::PictureStream> kept = stream ? std::optional(std::move(stream).value()) : std::nullopt;
        auto overview = view::DrawTrackOverview(loaded->objects, tiles, kept, true, 0, ShownColumns);
        benchmark::DoNotOptimize(overview.picture.constBits());
    }
}
BENCHMARK_CAPTURE(BM_OverviewRedraw, sample, BenchImage::Sample)->Name("overview/sample");
BENCHMARK_CAPTURE(BM_OverviewRedraw, worst_case, BenchImage::WorstCase)->Name("overview/worst_case");

// The export into a sink that keeps nothing.
void BM_Export(benchmark::State &state)
{
    const auto loaded = load(BenchImage::WorstCase, state);
    if (!loaded)
        return;
    for (auto _ : state) {
        qint64 written = 0;
        const Status done = view::WriteTrackPng(loaded->objects, loaded->graphics.picBuffer, loaded->graphics.picGFX,
                                                loaded->path, false, [&](const char *, qint64 size) {
                                                    written += size;
                                                    return Status(Success{});
                                                });
        if (!done) {
            state.SkipWithError(qPrintable(done.error()));
            break;
        }
        benchmark::DoNotOptimize(written);
    }
}
BENCHMARK(BM_Export)->Name("export/worst_case");

void discard(png_structp, png_bytep, size_t) {}
void noFlush(png_structp) {}

// libpng alone, given the export's own rows ready in memory.
void BM_PngAlone(benchmark::State &state)
{
    const auto loaded = load(BenchImage::WorstCase, state);
    if (!loaded)
        return;
    QByteArray file;
    const Status done = view::WriteTrackPng(loaded->objects, loaded->graphics.picBuffer, loaded->graphics.picGFX,
                                            loaded->path, false, [&](const char *data, qint64 size) {
                                                file.append(data, size);
                                                return Status(Success{});
                                            });
    // The whole picture is larger than Qt reads by default.
    QImageReader::setAllocationLimit(1024);
    const QImage picture = done ? QImage::fromData(file, "png").convertToFormat(QImage::Format_RGB888) : QImage();
    if (picture.isNull()) {
        state.SkipWithError("The picture to write could not be made.");
        return;
    }
    for (auto _ : state) {
        png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        png_set_write_fn(png, nullptr, discard, noFlush);
        png_set_IHDR(png, info, png_uint_32(picture.width()), png_uint_32(picture.height()), 8, PNG_COLOR_TYPE_RGB,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < picture.height(); ++y)
            png_write_row(png, picture.constScanLine(y));
        png_write_end(png, nullptr);
        png_destroy_write_struct(&png, &info);
    }
}
BENCHMARK(BM_PngAlone)->Name("png_alone/worst_case");

} // namespace

} // namespace whoopline::bench
