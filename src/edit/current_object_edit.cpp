#include "edit/current_object_edit.h"

#include "edit/object_replacement.h"

namespace whoopline::edit {

Status EditCurrentObject(track::TrackModel &model, const track::ObjectWidthTable &widths,
                         ObjectChoice &choice, const SelectorRunner &runSelector)
{
    if (!model.isLoaded() || model.CurrentObject < 0 || model.CurrentObject > model.lastIndex())
        return Success{};
    const track::TrackObject &current = model.current();
    choice.SelectedObjectNumber = current.code();
    if (current.isSpan())
        choice.SelectedLength = current.length();
    const std::optional<ObjectChoice> chosen = runSelector(choice);
    if (!chosen)
        return Success{};
    choice = *chosen;
    // OK without a pick hands back the object as it is, a marked one included: nothing to do.
    if (choice.SelectedObjectNumber == current.code() &&
        (!current.isSpan() || choice.SelectedLength == current.length()))
        return Success{};
    return ReplaceCurrentObject(model, choice.SelectedObjectNumber, choice.SelectedLength, widths);
}

} // namespace whoopline::edit
