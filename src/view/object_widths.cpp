#include "view/object_widths.h"

#include "rom/rom_layout.h"

#include <algorithm>

namespace whoopline::view {

namespace {

constexpr int LastColumnStart = 15;

} // namespace

qint64 PictureWidth(const QByteArray &record)
{
    qint64 columnStarts = 0;
    for (qsizetype i = 0;; ++i) {
        const int byte = i < record.size() ? quint8(record.at(i)) : 0;
        if (byte <= LastColumnStart)
            ++columnStarts;
        if (byte == 0)
            break;
    }
    return columnStarts * rom::BlockSize;
}

track::ObjectWidthTable ComputeObjectWidthTable(const PictureStream &stream)
{
    track::ObjectWidthTable widths{};
    for (int id = 0; id < track::ObjectIdCount; ++id) {
        const qint64 width = PictureWidth(stream.record(PictureIndexTable[id]));
        widths[id] = int(std::min<qint64>(width, MaximumObjectWidth));
    }
    return widths;
}

Result<track::ObjectWidthTable> ReadObjectWidthTable(const QString &path)
{
    const auto stream = PictureStream::read(path);
    if (!stream)
        return Failure{stream.error()};
    return ComputeObjectWidthTable(*stream);
}

} // namespace whoopline::view
