#include "rom/ips_patch.h"

#include "rom/image_file.h"
#include "rom/whole_file.h"

#include <algorithm>

namespace whoopline::rom {

namespace {

const QByteArray Header = QByteArrayLiteral("PATCH");
const QByteArray Footer = QByteArrayLiteral("EOF");

void appendBigEndian(QByteArray &to, qint64 value, int bytes)
{
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
        to.append(char((value >> shift) & 0xFF));
}

// Records for the changed bytes [first, end) of modified.
void appendRecords(QByteArray &patch, const QByteArray &modified, qint64 first, qint64 end)
{
    qint64 start = first;
    while (start < end) {
        // The byte before is either unchanged or already patched to the same value.
        if (start == IpsOffsetReadAsEnd)
            --start;
        const qint64 size = qMin(end - start, IpsMaximumRecordSize);
        appendBigEndian(patch, start, 3);
        appendBigEndian(patch, size, 2);
        patch.append(modified.constData() + start, size);
        start += size;
    }
}

} // namespace

Result<QByteArray> MakeIpsPatch(const QByteArray &original, const QByteArray &modified)
{
    if (original.size() != modified.size())
        return Failure{QStringLiteral("The two files differ in size (%1 and %2 bytes); a patch is "
                                      "made only between files of the same size.")
                           .arg(formatNumber(original.size()), formatNumber(modified.size()))};
    const char *const from = original.constData();
    const char *const to = modified.constData();
    const qint64 size = original.size();
    QByteArray patch;
    qint64 at = 0;
    while ((at = std::mismatch(from + at, from + size, to + at).first - from) < size) {
        if (at >= IpsReach)
            return Failure{QStringLiteral("The files differ at offset %1, but a patch reaches only "
                                          "the first 16 MiB (offsets below %2).")
                               .arg(formatNumber(at), formatNumber(IpsReach))};
        const qint64 first = at;
        const qint64 reachable = qMin(size, IpsReach);
        while (at < reachable && from[at] != to[at])
            ++at;
        if (patch.isEmpty())
            patch = Header;
        appendRecords(patch, modified, first, at);
    }
    if (!patch.isEmpty())
        patch += Footer;
    return patch;
}

Result<QByteArray> MakeIpsPatchBetweenFiles(const QString &originalPath,
                                            const QString &modifiedPath)
{
    const auto original = readEntireFile(originalPath, IpsLargestFile);
    if (!original)
        return Failure{original.error()};
    const auto modified = readEntireFile(modifiedPath, IpsLargestFile);
    if (!modified)
        return Failure{modified.error()};
    if (original->size() != modified->size())
        return Failure{
            QStringLiteral("\u201C%1\u201D is %2 bytes long and \u201C%3\u201D %4; a patch is "
                           "made only between files of the same size.")
                .arg(displayName(originalPath), formatNumber(original->size()),
                     displayName(modifiedPath), formatNumber(modified->size()))};
    return MakeIpsPatch(*original, *modified);
}

} // namespace whoopline::rom
