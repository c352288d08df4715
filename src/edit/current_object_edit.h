#pragma once

#include "rom/result.h"
#include "track/track_model.h"

#include <functional>
#include <optional>

namespace whoopline::edit {

// What the object selector shows when it opens and hands back on OK: byte 1 of an object, its
// alternative bit included, and a span's length in blocks.
struct ObjectChoice
{
    int SelectedObjectNumber = 0;
    int SelectedLength = 0;
};

// Shows the object selector modally over shown; the user's choice on OK, nothing on Cancel.
using SelectorRunner = std::function<std::optional<ObjectChoice>(const ObjectChoice &shown)>;

// What the "..." button does, without the window. The selector opens over the current object:
// its byte 1 and, for a span, its length; a one-byte object shows the length held in choice, which
// the caller keeps from one opening to the next. choice becomes what the selector showed, or what
// the user chose on OK, and the current object is replaced by a choice that differs from it.
// Cancel, and OK with the object as it is, leave the object exactly as it was, its mark included.
// Without a loaded track nothing happens and the selector is not shown. A choice the track can't
// take is refused with the replacement's message and leaves the model unchanged.
Status EditCurrentObject(track::TrackModel &model, const track::ObjectWidthTable &widths,
                         ObjectChoice &choice, const SelectorRunner &runSelector);

} // namespace whoopline::edit
