#pragma once

#include "rom/result.h"

#include <QByteArray>
#include <QString>

// IPS patches: "PATCH", then records of a 3-byte big-endian offset, a 2-byte big-endian size
// and that many bytes to put at the offset, then "EOF".
namespace whoopline::rom {

// A record's offset has three bytes, so a patch reaches no byte at or past 16 MiB.
constexpr qint64 IpsReach = qint64(1) << 24;
// A record's size has two bytes; size 0 means a run-length record, which is never written.
constexpr qint64 IpsMaximumRecordSize = 0xFFFF;
// A reader stops where the offset would be read as "EOF", so no record starts at this offset.
constexpr qint64 IpsOffsetReadAsEnd = 0x454F46;

// The patch that turns original into modified, two arrays of the same size: one record per run
// of changed bytes, split at IpsMaximumRecordSize, and a record that would start at
// IpsOffsetReadAsEnd starts one byte earlier instead. Empty when the two are the same. Fails when
// their sizes differ or a byte at or past IpsReach differs.
Result<QByteArray> MakeIpsPatch(const QByteArray &original, const QByteArray &modified);

// Files longer than this are not compared: a patch reaches little more than 16 MiB anyway.
constexpr qint64 IpsLargestFile = qint64(64) << 20;

// Reads the two files, one read each, and makes the patch between them. Fails, naming the files,
// when either can't be read or is longer than IpsLargestFile, or when their sizes differ.
Result<QByteArray> MakeIpsPatchBetweenFiles(const QString &originalPath,
                                            const QString &modifiedPath);

} // namespace whoopline::rom
