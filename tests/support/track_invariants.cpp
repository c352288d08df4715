#include "track_invariants.h"

#include "track_layout.h"

namespace whoopline::testing {

using namespace whoopline::track;

namespace {

QString describe(int index, const TrackObject &object)
{
    return QStringLiteral("object %1 (ByteCount %2, Bytes %3, Width %4, Alternative %5)")
        .arg(index)
        .arg(object.ByteCount)
        .arg(object.Bytes.isEmpty() ? QStringLiteral("empty")
                                    : QString::fromLatin1(object.Bytes.toHex(' ')))
        .arg(object.Width)
        .arg(object.Alternative ? QStringLiteral("true") : QStringLiteral("false"));
}

// What is wrong with one object, or nothing.
QString problemOf(const TrackObject &object, const ObjectWidthTable &widths)
{
    if (object.ByteCount != object.Bytes.size())
        return QStringLiteral("ByteCount differs from the number of bytes.");
    if (object.Bytes.isEmpty())
        return QStringLiteral("it has no bytes.");
    const int code = quint8(object.Bytes.at(0));
    if (isSpanCode(code)) {
        if (object.ByteCount != 2)
            return QStringLiteral("a span code needs ByteCount 2.");
        const int width = quint8(object.Bytes.at(1)) * 16;
        if (object.Width != width)
            return QStringLiteral("a span's Width must be 16 x its length, %1.").arg(width);
        if (object.Alternative)
            return QStringLiteral("a span cannot be marked Alternative.");
        return {};
    }
    if (object.ByteCount != 1)
        return QStringLiteral("a code that is no span needs ByteCount 1.");
    const int id = objectIdOf(code);
    if (id >= ObjectIdCount)
        return QStringLiteral("id %1 lies outside 0..%2.").arg(id).arg(ObjectIdCount - 1);
    if (object.Width != widths[id])
        return QStringLiteral("Width must be the table width of id %1, %2.").arg(id).arg(widths[id]);
    if (object.Alternative != ((code & AlternativeBit) != 0))
        return QStringLiteral("Alternative must equal bit 7 of the code, %1.")
            .arg((code & AlternativeBit) ? QStringLiteral("true") : QStringLiteral("false"));
    return {};
}

} // namespace

QString TrackInvariantViolation(const TrackObjectList &objects, const ObjectWidthTable &widths)
{
    // The description is built only for a broken object: the edit road calls this very often.
    for (int index = 0; index < objects.size(); ++index) {
        const QString problem = problemOf(objects.at(index), widths);
        if (!problem.isEmpty())
            return describe(index, objects.at(index)) + QStringLiteral(": ") + problem;
    }
    return {};
}

} // namespace whoopline::testing
