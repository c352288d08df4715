#pragma once

#include "rom/result.h"
#include "track/track_model.h"

#include <functional>

namespace whoopline::edit {

// Shows the object selector modally over the current object; true when the user chose OK.
using SelectorRunner = std::function<bool()>;

// What the "..." button does, without the window: hands the current object to the selector
// through SelectedObjectNumber and SelectedLength, runs it, and replaces the current object by
// the choice only when the user chose OK. Cancel, and OK with the object as it is, leave the
// object exactly as it was, its mark included. Without a loaded track nothing happens and the
// selector is not shown. A choice the track can't take is refused with the replacement's message
// and leaves the model unchanged.
Status EditCurrentObject(track::TrackModel &model, const track::ObjectWidthTable &widths,
                         const SelectorRunner &runSelector);

} // namespace whoopline::edit
