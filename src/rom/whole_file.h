#pragma once

#include "result.h"

#include <QByteArray>
#include <QString>

// Whole files other than the image: read in one go, or written complete or not at all.
namespace whoopline {

// Reads the whole regular file at path in one read. Fails, naming the file, when it is missing,
// a folder or not a regular file, longer than maximumSize, or can't be read.
Result<QByteArray> readEntireFile(const QString &path, qint64 maximumSize);

// Creates or replaces the file at path with bytes. The file appears only once it is complete;
// on failure nothing is left behind and an existing file keeps its content.
Status replaceFileWith(const QString &path, const QByteArray &bytes);

} // namespace whoopline
