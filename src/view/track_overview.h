#pragma once

#include "track/track_model.h"
#include "view/picture_stream.h"

#include <QImage>
#include <QPainter>

#include <optional>
#include <vector>

// The whole track at a reduced scale, laid out by the same walk as the track view, for finding
// one's way in a long track.
namespace whoopline::view {

// Pixels a 16 x 16 block takes in the overview, each way.
constexpr int OverviewBlockPixels = 2;

struct TrackOverviewPicture
{
    QImage picture;
    std::vector<qint64> lefts; // TrackObjectLefts, in pixels of the full-size track
    int blockPixels = OverviewBlockPixels;
    qint64 firstColumn = 0;  // the track's cell column at the picture's left edge
    qint64 totalColumns = 0; // the whole track's cell columns: its overview is this x blockPixels wide
};

// Each tile-sheet block and each 16 x 16 square of the background reduced to blockPixels x
// blockPixels pixels, each the average of the pixels it stands for. They change only when an
// image is opened, so the caller keeps them beside the tile sheet.
struct OverviewTiles
{
    int blockPixels = OverviewBlockPixels;
    int rows = 0;              // the background's rows of squares
    int backgroundColumns = 0; // and its columns
    int blocksInSheet = 0;
    std::vector<QRgb> blocks;     // block by block
    std::vector<QRgb> background; // row by row of squares
};
OverviewTiles MakeOverviewTiles(const QImage &picBuffer, const QImage &picGFX, int blockPixels = OverviewBlockPixels);

// Lays out the whole track with LayTrackCells and fills each 16 x 16 cell with its block, or with picBuffer repeated side by side
// where nothing was drawn. Each cell becomes blockPixels x blockPixels pixels, each the average
// of the pixels it stands for: the track is never drawn at full size. blockPixels divides 16.
// Only the track's cell columns fromColumn..toColumn - 1 are drawn (toColumn < 0: to the end),
// so the cost of a redraw follows the part of the overview that shows.
TrackOverviewPicture DrawTrackOverview(const track::TrackObjectList &objects, const OverviewTiles &tiles,
                                       const std::optional<PictureStream> &stream, bool markAlternative,
                                       qint64 fromColumn = 0, qint64 toColumn = -1);
TrackOverviewPicture DrawTrackOverview(const track::TrackObjectList &objects, const QImage &picBuffer,
                                       const QImage &picGFX, const std::optional<PictureStream> &stream,
                                       bool markAlternative, int blockPixels = OverviewBlockPixels);

// The outline colours: the stretch the track view shows, and the current object within it.
inline const QColor OverviewStretchOutline{255, 255, 255};
inline const QColor OverviewCurrentOutline{255, 200, 0};
inline const QColor OverviewSelectionTint{0, 120, 255, 110};

// Overview pixels [left, right) of objects first..last.
struct OverviewSpan
{
    qint64 left = 0;
    qint64 right = 0;
};
OverviewSpan OverviewRoomOf(const TrackOverviewPicture &overview, int first, int last);

// The stretch the track view shows from current on: up to ObjectsAfterCurrent objects after it,
// but no further than the view's viewWidth pixels reach.
OverviewSpan OverviewShownStretch(const TrackOverviewPicture &overview, int current, int viewWidth);

// Paints onto the overview (painter in its pixels): a translucent tint over objects
// selectedFirst..selectedLast when that is a range, a 1-pixel frame around the shown stretch and
// a frame one pixel inside it around the current object (at least 2 pixels wide, so an object
// without room still shows).
void PaintOverviewOutlines(QPainter &painter, const TrackOverviewPicture &overview, int current,
                           int viewWidth, int selectedFirst = -1, int selectedLast = -1);

// The object under pixel x of the whole track's overview, or -1.
int OverviewObjectAt(const TrackOverviewPicture &overview, qint64 x);

} // namespace whoopline::view
