#pragma once

#include "file_state.h"
#include "result.h"
#include "track_io.h"
#include "track_model.h"
#include "track_view.h"

#include <QString>

// What each step of the edit road must do, judged from what went in and what came out. Each
// returns a description of the first thing that went wrong, or an empty string.
namespace whoopline::testing {

bool SameModel(const track::TrackModel &a, const track::TrackModel &b);

// The redraw describes the current object, or nothing without a track, on a full-size strip.
QString RedrawViolation(const track::TrackModel &model, const view::TrackView &view);

// The user chose OK with objectNumber and length over the current object of before; after is
// the model the replacement left. It is refused exactly for a span length outside 0..255 and for
// a last object that would grow past the region, and then changes nothing. Otherwise nothing
// before the current object moves, the current object is the choice, and the rest follows: less
// the object a new span takes the place of, or after the object 0 a former span leaves behind
// (none when its length was the byte after the region).
QString ReplacementViolation(const track::TrackModel &before, const track::TrackModel &after,
                             int objectNumber, int length, const Status &status);

// A click on the alternative box asked for `checked` and the box now shows `shown`. Only a
// one-byte current object takes the mark, on bit 7 alone.
QString ToggleViolation(const track::TrackModel &before, const track::TrackModel &after,
                        bool checked, bool shown, const track::ObjectWidthTable &widths);

// A save of the model with valid laps must succeed exactly when a track is loaded, the path
// holds a file that reaches the last byte to write, and a byte written past the budget holds its
// value already.
bool SaveMustSucceed(const FileState &file, const track::TrackModel &model);

// A load right after a save gives back the saved laps and objects. A shorter byte total leaves
// the region's old tail, which loads as objects after the saved ones, or is refused.
QString ReloadViolation(const track::TrackModel &saved, int laps,
                        const Result<track::LoadedTrack> &reloaded);

} // namespace whoopline::testing
