#include "edit/object_catalogue.h"

namespace whoopline::edit {

namespace {

// Fixed texts, not built from the numbers: the two "Nothing ??" entries and the repeated
// names are meant as they stand.
constexpr std::array<CatalogueEntry, CatalogueSize> Catalogue = {{
    {0x00, "00 Nothing"},
    {0x01, "01 9-block wide short /\\ ramp"},
    {0x02, "02 Obstacle Unjumpable Up"},
    {0x03, "03 Obstacle Unjumpable Up"},
    {0x04, "04 Obstacle Unjumpable Down"},
    {0x05, "05 9-block wide tall /\\ ramp"},
    {0x06, "06 6-block wide tall /| ramp"},
    {0x07, "07 5-block wide short /\\ ramp"},
    {0x08, "08 3-block wide short /\\ ramp"},
    {0x09, "09 Lap End Ramp"},
    {0x0A, "0A 6-block wide tall |\\ ramp"},
    {0x0B, "0B 5-block wide tall /\\ ramp"},
    {0x0C, "0C Dirt, Top"},
    {0x0D, "0D Dirt, Bottom"},
    {0x0E, "0E Boost Ramp, Top 3-block wide"},
    {0x0F, "0F Temp Boost, Top"},
    {0x10, "10 Temp Boost, Bottom"},
    {0x11, "11 Track End Line Full"},
    {0x12, "12 Track End Line Bottom"},
    {0x13, "13 Track End Line Top"},
    {0x14, "14 Huge-Ass Obstacle Starting Ramp 8-blocks"},
    {0x15, "15 Ramp to elevated platform level 1"},
    {0x16, "16 Grass Full"},
    {0x17, "17 Track Start Line Full"},
    {0x18, "18 Grass Bottom"},
    {0x19, "19 Track Start Line Bottom"},
    {0x1A, "1A Grass Top"},
    {0x1B, "1B Track Start Line Top"},
    {0x1C, "1C Raised Ground"},
    {0x1D, "1D 3-Block Raised Ground with Dirt on Bottom"},
    {0x1E, "1E 3-Block Raised Ground with Dirt on Bottom"},
    {0x1F, "1F Raised Ground End"},
    {0x20, "20 Elevated Platform Level 1"},
    {0x21, "21 Elevated Ramp from Level 1 to Level 2"},
    {0x22, "22 Elevated Platform Level 2"},
    {0x23, "23 End of Large Ramp Obstacle"},
    {0x30, "30 Nothing ??"},
    {0x31, "31 Nothing ??"},
    {0x40, "40 (2 Bytes) Empty Track Span"},
    {0x41, "41 (2 Bytes) Elevated Platform Level 1 Span"},
    {0x42, "42 (2 Bytes) Grass Bottom"},
    {0x43, "43 (2 Bytes) Grass Top"},
    {0x44, "44 (2 Bytes) Raised Ground"},
    {0x45, "45 (2 Bytes) Elevated Platform Level 2 Span"},
    {0x46, "46 (2 Bytes) Grass Full"},
}};

} // namespace

const std::array<CatalogueEntry, CatalogueSize> &ObjectCatalogue()
{
    return Catalogue;
}

std::array<int, CatalogueSize> ListObjectNumbers()
{
    std::array<int, CatalogueSize> numbers{};
    for (int i = 0; i < CatalogueSize; ++i)
        numbers[i] = Catalogue[i].objectNumber;
    return numbers;
}

QString catalogueText(int listIndex)
{
    return QString::fromLatin1(Catalogue.at(listIndex).text);
}

} // namespace whoopline::edit
