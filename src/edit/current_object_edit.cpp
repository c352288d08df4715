#include "current_object_edit.h"

#include "object_replacement.h"
#include "selection_exchange.h"

namespace whoopline::edit {

Status EditCurrentObject(track::TrackModel &model, const track::ObjectWidthTable &widths,
                         const SelectorRunner &runSelector)
{
    if (!model.isLoaded())
        return Success{};
    StoreCurrentObjectForSelector(model);
    if (!runSelector())
        return Success{};
    return ReplaceCurrentObject(model, SelectedObjectNumber, SelectedLength, widths);
}

} // namespace whoopline::edit
