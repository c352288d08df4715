#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

namespace whoopline::testing {

// What another program can do to the image while the editor has it open. Root can read and
// write any file whatever its permission bits, so every fault here is one root meets too.
enum class FileFault
{
    Deleted,
    TruncatedInRegion,
    TruncatedBeforeRegion,
    Folder,
    NamedPipe,
    DeviceLink
};

// Puts the fault in place at path; image is the whole file that lay there, of which a truncated
// file keeps the start, cut inside or just before the region of track 1..5. False when the
// system would not let the test stage it.
bool StageFileFault(FileFault fault, const QString &path, const QByteArray &image, int track);

// What lies at path, told apart even where reading it would open a pipe or a device.
QString DescribePath(const QString &path);

// Every fault the platform can stage, with a name for a test row.
QList<std::pair<const char *, FileFault>> FileFaults();

} // namespace whoopline::testing
