#pragma once

#include <QString>

#include <array>

// The objects a user can pick in the object selector, in the order the list shows them.
namespace whoopline::edit {

struct CatalogueEntry
{
    int objectNumber;
    const char *text;
};

constexpr int CatalogueSize = 45;

// The fixed texts of the selector's list. Each begins with its object number in two hexadecimal
// digits; the numbers 36..47 are left out on purpose.
const std::array<CatalogueEntry, CatalogueSize> &ObjectCatalogue();

// The object number of each list index: 0..35, then 48 and 49, then the spans 64..70.
std::array<int, CatalogueSize> ListObjectNumbers();

// The text shown at a list index 0..44.
QString catalogueText(int listIndex);

} // namespace whoopline::edit
