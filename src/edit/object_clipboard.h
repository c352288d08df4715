#pragma once

#include "rom/result.h"
#include "track/track_model.h"

#include <QByteArray>
#include <QString>

class QMimeData;

// Objects on the clipboard and in drags, in two forms: the object bytes under a MIME type of our
// own, and plain text of the same bytes in hexadecimal, one object a group, a two-byte object as
// code:length ("05 0C 41:20 85"), so that objects travel to and from a text editor as well.
namespace whoopline::edit {

inline const QString ObjectsMimeType = QStringLiteral("application/x-whoopline-objects");

// "05 0C 41:20 85". A span code at the very end without its length shows alone.
QString ObjectBytesToText(const QByteArray &objectBytes);

// The bytes of a text written as ObjectBytesToText writes it, any blanks between the groups and
// either letter case. Refuses, saying what was expected, anything else: an empty text, a group
// that is not two hexadecimal digits, a two-byte object without its length, a one-byte object
// with one.
Result<QByteArray> ObjectBytesFromText(const QString &text);

// Both forms of objectBytes; the caller owns the result (the clipboard or a drag takes it).
QMimeData *MakeObjectsMimeData(const QByteArray &objectBytes);

// The object bytes of data: our own form when it is there, else its text. Either must hold a
// whole run of catalogue objects.
Result<QByteArray> ObjectBytesFromMimeData(const QMimeData &data);

// The objects of objectBytes, each a catalogue object (one-byte objects with or without the
// alternative mark). Refuses, naming verb ("paste"), an empty run, a byte the catalogue doesn't
// hold and a two-byte object cut off before its length.
Result<track::TrackObjectList> DecodeObjectRun(const QByteArray &objectBytes, const QString &verb,
                                               const track::ObjectWidthTable &widths);

} // namespace whoopline::edit
