#include "view/track_png.h"

#include "rom/image_file.h"
#include "rom/rom_layout.h"
#include "view/alternative_marks.h"
#include "view/picture_stream.h"
#include "view/strip_layout.h"
#include "view/track_cells.h"
#include "view/track_view.h"


#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <optional>
#include <vector>

namespace whoopline::view {

namespace {

// 96 dots per inch, as the pictures the window writes.
constexpr png_uint_32 PixelsPerMeter = 3780;

struct Writing
{
    const ByteSink *sink = nullptr;
    std::optional<QString> failure;
};

void writePiece(png_structp png, png_bytep data, size_t size)
{
    auto *writing = static_cast<Writing *>(png_get_io_ptr(png));
    bool ok = false;
    {
        // Gone before png_error jumps away, which would skip its destructor.
        const Status written = (*writing->sink)(reinterpret_cast<const char *>(data), qint64(size));
        ok = written.ok();
        if (!ok)
            writing->failure = written.error();
    }
    if (!ok)
        png_error(png, "sink");
}

void flushNothing(png_structp) {}

void keepMessage(png_structp png, png_const_charp message)
{
    auto *writing = static_cast<Writing *>(png_get_error_ptr(png));
    if (!writing->failure)
        writing->failure = QStringLiteral("The picture could not be made: %1.").arg(QString::fromLatin1(message));
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

// Rows first..first + band.height() - 1 of picBuffer, repeated side by side across the band.
void fillBackground(QImage &band, const QImage &picBuffer, int first)
{
    for (int y = 0; y < band.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(band.scanLine(y));
        const auto *from = reinterpret_cast<const QRgb *>(picBuffer.constScanLine(first + y));
        for (qint64 x = 0; x < band.width(); x += picBuffer.width())
            std::copy_n(from, std::min<qint64>(picBuffer.width(), band.width() - x), line + x);
    }
}

// The blocks of cell row `row` over the band's background: the same copies StripCells makes.
void drawCells(QImage &band, const QImage &sheet, const TrackCells &laid, int row)
{
    for (int y = 0; y < band.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(band.scanLine(y));
        const auto *sheetLine = reinterpret_cast<const QRgb *>(sheet.constScanLine(y));
        for (qint64 column = 0; column < laid.columns; ++column) {
            const int block = laid.at(row, column);
            if (block == NoCellBlock)
                continue;
            const qint64 x = column * rom::BlockSize;
            std::copy_n(sheetLine + qint64(block) * rom::BlockSize, std::min<qint64>(rom::BlockSize, band.width() - x),
                        line + x);
        }
    }
}

// Draws the band and writes it row by row; libpng's errors jump back here, so this frame holds
// nothing that needs destroying.
bool writeRows(png_structp png, png_infop info, const track::TrackObjectList &objects, const QImage &picBuffer, const QImage &picGFX,
               const std::optional<PictureStream> &stream, const TrackCells &laid, bool markAlternative, QImage &band,
               std::vector<png_byte> &row)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_write_info(png, info);
    for (int first = 0; first < picBuffer.height(); first += TrackPngBandRows) {
        fillBackground(band, picBuffer, first);
        if (laid.exact) {
            drawCells(band, picGFX, laid, first / TrackPngBandRows);
            if (markAlternative)
                MarkAlternativeObjects(band, objects, 0, int(objects.size()) - 1, rom::BlockSize, first);
        } else {
            DrawTrackObjects(band, picGFX, objects, 0, int(objects.size()) - 1, stream, markAlternative, first);
        }
        for (int y = 0; y < band.height() && first + y < picBuffer.height(); ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(band.constScanLine(y));
            png_bytep to = row.data();
            for (int x = 0; x < band.width(); ++x, to += 3) {
                to[0] = png_byte(qRed(line[x]));
                to[1] = png_byte(qGreen(line[x]));
                to[2] = png_byte(qBlue(line[x]));
            }
            png_write_row(png, row.data());
        }
    }
    png_write_end(png, nullptr);
    return true;
}

} // namespace

Status WriteTrackPng(const track::TrackObjectList &objects, const QImage &picBuffer, const QImage &picGFX,
                     const QString &path, bool markAlternative, const ByteSink &sink)
{
    const qint64 width = TrackObjectLefts(objects).back();
    if (width <= 0)
        return Failure{QStringLiteral("The track has no width to draw.")};
    if (width > PngMaximumWidth)
        return Failure{QStringLiteral("The track is %1 pixels wide; a PNG picture can be at most %2 pixels wide, "
                                      "so none was made.")
                           .arg(formatNumber(width), formatNumber(PngMaximumWidth))};
    const QImage background = picBuffer.convertToFormat(QImage::Format_RGB32);
    if (background.isNull() || background.height() % TrackPngBandRows != 0)
        return Failure{QStringLiteral("There is no empty-track background to draw the track on.")};
    auto read = PictureStream::read(path);
    if (!read)
        return Failure{read.error()};
    const std::optional<PictureStream> stream = std::move(read).value();
    const QImage sheet = picGFX.convertToFormat(QImage::Format_RGB32);
    QImage band(int(width), TrackPngBandRows, QImage::Format_RGB32);
    std::vector<png_byte> row;
    if (!band.isNull())
        row.resize(size_t(width) * 3, 0);
    if (band.isNull() || row.empty())
        return Failure{QStringLiteral("There is not enough memory for a picture %1 pixels wide.")
                           .arg(formatNumber(width))};

    Writing writing{&sink, std::nullopt};
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &writing, keepMessage, ignoreWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return Failure{QStringLiteral("There is not enough memory to write a picture.")};
    }
    png_set_write_fn(png, &writing, writePiece, flushNothing);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(background.height()), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_pHYs(png, info, PixelsPerMeter, PixelsPerMeter, PNG_RESOLUTION_METER);
    // Laid out once; drawn band by band from the cells when they give the exact picture.
    const int blocksInSheet = sheet.height() >= rom::BlockSize ? sheet.width() / rom::BlockSize : 0;
    const TrackCells laid = LayTrackCells(objects, stream, background.height() / rom::BlockSize, blocksInSheet);
    const bool written = writeRows(png, info, objects, background, sheet, stream, laid, markAlternative, band, row);
    png_destroy_write_struct(&png, &info);
    if (!written)
        return Failure{writing.failure.value_or(QStringLiteral("The picture could not be made."))};
    return Success{};
}

} // namespace whoopline::view
