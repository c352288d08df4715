#include "edit/current_object_edit.h"

#include "edit/object_replacement.h"
#include "edit/selection_exchange.h"

namespace whoopline::edit {

Status EditCurrentObject(track::TrackModel &model, const track::ObjectWidthTable &widths,
                         const SelectorRunner &runSelector)
{
    if (!model.isLoaded())
        return Success{};
    StoreCurrentObjectForSelector(model);
    if (!runSelector())
        return Success{};
    // OK without a pick hands back the object as it is, a marked one included: nothing to do.
    const track::TrackObject &current = model.current();
    if (SelectedObjectNumber == current.code() &&
        (!current.isSpan() || SelectedLength == current.length()))
        return Success{};
    return ReplaceCurrentObject(model, SelectedObjectNumber, SelectedLength, widths);
}

} // namespace whoopline::edit
