#include "edit/object_replacement.h"

#include "track/track_layout.h"

#include "edit/object_catalogue.h"

#include "edit/free_byte_edits.h"
#include "rom/image_file.h"
#include "track/track_codec.h"

namespace whoopline::edit {

using track::TrackModel;
using track::TrackObject;

namespace {

constexpr int MaximumLength = 255; // the length is stored as one byte

bool hasValidCurrentObject(const TrackModel &model)
{
    return model.isLoaded() && model.CurrentObject >= 0 && model.CurrentObject <= model.lastIndex();
}

Status checkChoice(int objectNumber, int length)
{
    if (track::isSpanCode(objectNumber)) {
        if (length < 0 || length > MaximumLength)
            return Failure{QStringLiteral("A two-byte object needs a length from 0 to 255; %1 can't "
                                          "be stored in its length byte.")
                               .arg(formatNumber(length))};
        return Success{};
    }
    if (objectNumber < 0 || objectNumber >= track::ObjectIdCount)
        return Failure{QStringLiteral("There is no object number %1: choose a one-byte object "
                                      "from 0 to 49 or a two-byte object from 64 to 70.")
                           .arg(formatNumber(objectNumber))};
    return Success{};
}

// Growing the last object has no next object to take the place of; the extra length byte must
// still lie inside the track's region, or a save would overwrite the next track's laps byte.
Status checkLastObjectCanGrow(const TrackModel &model)
{
    if (!track::isTrackNumber(model.CurrentTrack))
        return Failure{QStringLiteral("The last object can't become a two-byte object: no track "
                                      "region is known to hold its length byte.")};
    const int budget = track::trackByteBudget(model.CurrentTrack);
    const int needed = track::ByteTotal(model.TrackObjects) + 1;
    if (needed > budget)
        return Failure{QStringLiteral("The last object of track %1 can't become a two-byte object: "
                                      "there is no object after it to make room, and the track "
                                      "would need %2 bytes where its region holds %3.")
                           .arg(model.CurrentTrack)
                           .arg(formatNumber(needed), formatNumber(budget))};
    return Success{};
}

// A span that starts on the budget's last byte takes its length from the byte after the region,
// which belongs to the next track (or to none). Once the span becomes a one-byte object, an
// object 0 in place of that byte would lie outside the region, where no load finds it and a save
// may not write it; the track simply ends one byte shorter.
bool lengthLiesAfterRegion(const TrackModel &model)
{
    if (!track::isTrackNumber(model.CurrentTrack))
        return false;
    const int firstByte = track::ByteTotal(model.TrackObjects.mid(0, model.CurrentObject));
    return firstByte >= track::trackByteBudget(model.CurrentTrack) - 1;
}

QByteArray bytesOf(int objectNumber, int length)
{
    QByteArray bytes(1, char(objectNumber));
    if (track::isSpanCode(objectNumber))
        bytes.append(char(length));
    return bytes;
}

} // namespace

Status ReplaceCurrentObject(TrackModel &model, int objectNumber, int length,
                            const track::ObjectWidthTable &widths)
{
    if (!hasValidCurrentObject(model))
        return Failure{QStringLiteral("No track is loaded: load a track before changing its objects.")};
    if (Status choice = checkChoice(objectNumber, length); !choice)
        return choice;

    const int c = model.CurrentObject;
    const int totalBefore = track::ByteTotal(model.TrackObjects);
    const bool wasSpan = model.current().isSpan();
    const bool becomesSpan = track::isSpanCode(objectNumber);
    const TrackObject replacement = track::MakeTrackObject(bytesOf(objectNumber, length), widths);

    if (!wasSpan && becomesSpan) {
        if (c < model.lastIndex()) {
            model.TrackObjects.removeAt(c + 1);
        } else if (Status room = checkLastObjectCanGrow(model); !room) {
            return room;
        }
    } else if (wasSpan && !becomesSpan && !lengthLiesAfterRegion(model)) {
        // The span's length byte becomes an empty object, so the byte total stays the same.
        model.TrackObjects.insert(c + 1, track::MakeTrackObject(QByteArray(1, '\0'), widths));
    }
    model.TrackObjects[c] = replacement;
    // A span taking the place of a span after it frees a byte.
    RefillFreedBytes(model, totalBefore, widths);
    return Success{};
}

Status CanMarkCurrentObject(const TrackModel &model)
{
    if (!hasValidCurrentObject(model))
        return Failure{QStringLiteral("No track is loaded: load a track before marking its objects.")};
    if (model.current().isSpan())
        return Failure{QStringLiteral("A two-byte object can't be marked: only one-byte objects "
                                      "appear in the alternative track alone.")};
    return Success{};
}

bool ToggleAlternative(TrackModel &model, bool checked)
{
    if (!hasValidCurrentObject(model))
        return false;
    TrackObject &object = model.TrackObjects[model.CurrentObject];
    if (object.isSpan())
        return false;
    const int byte = object.code();
    const int marked = checked ? byte | track::AlternativeBit : byte & ~track::AlternativeBit;
    object.Bytes[0] = char(marked);
    object.Alternative = checked;
    return checked;
}

QByteArray CatalogueEntryBytes(int listIndex)
{
    const int number = ListObjectNumbers().at(listIndex);
    QByteArray bytes(1, char(number));
    if (track::isSpanCode(number))
        bytes.append(char(PaletteSpanLength));
    return bytes;
}

Status ReplaceWithCatalogueEntry(TrackEditState &state, int listIndex,
                                 const track::ObjectWidthTable &widths)
{
    if (listIndex < 0 || listIndex >= CatalogueSize)
        return Failure{QStringLiteral("The catalogue has no entry %1.").arg(listIndex)};
    const track::TrackModel &model = state.track;
    const bool onSpan = model.isLoaded() && model.CurrentObject >= 0 &&
                        model.CurrentObject <= model.lastIndex() && model.current().isSpan();
    const int length = onSpan ? model.current().length() : PaletteSpanLength;
    Status replaced =
        ReplaceCurrentObject(state.track, ListObjectNumbers().at(listIndex), length, widths);
    if (replaced)
        state.selectionAnchor = -1;
    return replaced;
}

} // namespace whoopline::edit
