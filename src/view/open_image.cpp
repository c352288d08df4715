#include "view/open_image.h"

#include "view/object_widths.h"

namespace whoopline::view {

Result<OpenedImage> OpenImage(const QString &path)
{
    auto graphics = rom::ReadRomGraphics(path);
    if (!graphics)
        return Failure{graphics.error()};
    const auto widths = ReadObjectWidthTable(path);
    if (!widths)
        return Failure{widths.error()};
    return OpenedImage{std::move(graphics).value(), *widths};
}

} // namespace whoopline::view
