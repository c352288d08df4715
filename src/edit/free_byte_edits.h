#pragma once

#include "rom/result.h"
#include "track/track_model.h"

// Edits that change how many objects the loaded track has. A track's region has a fixed number of
// bytes, and the one-byte objects 0 at its end are its free bytes (see free_bytes.h): an insert
// takes its byte from there and every byte an edit frees goes back there, so a save always writes
// the whole region and a reload finds exactly the objects the view showed.
namespace whoopline::edit {

// Appends one-byte objects 0 until the track's byte total is back at totalBefore, its total before
// the edit, or at the budget when that is lower: the byte after the region, which a span on the
// budget's last byte uses as its length, never becomes an object.
void RefillFreedBytes(track::TrackModel &model, int totalBefore,
                      const track::ObjectWidthTable &widths);

// Puts a one-byte object 0 before the current object and makes it current, taking its byte from
// the track's end: the last object must be a free byte, which is removed. Otherwise refuses
// ("Track 3 has no free byte: its 144 bytes all hold objects. Delete an object first."), and also
// when no track is loaded; a refusal leaves the model unchanged.
Status InsertObject(track::TrackModel &model, const track::ObjectWidthTable &widths);

// Whether InsertObject would act on the track as it is, and if not, its refusal: the reason a
// greyed-out Insert gives.
Status CanInsertObject(const track::TrackModel &model);

// Removes the current object and refills the bytes it held with objects 0 at the track's end. The
// current index stays: the refill leaves an object there, even when the last object was deleted.
// Refuses, leaving the model unchanged, when no track is loaded.
Status DeleteCurrentObject(track::TrackModel &model, const track::ObjectWidthTable &widths);

} // namespace whoopline::edit
