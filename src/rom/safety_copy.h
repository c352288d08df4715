#pragma once

#include "rom/result.h"

#include <QSet>
#include <QString>

namespace whoopline {

// Where the safety copy of an image lies: beside it, named after it with ".bak" in place of its
// ".nes" suffix ("/games/race.nes" -> "/games/race.bak"); a name without that suffix keeps all of
// itself ("race" -> "race.bak", "race.rom" -> "race.rom.bak").
QString safetyCopyPath(const QString &imagePath);

// Fails, naming the file and what to do, when something that can't be the image's safety copy has
// its name: only a regular file of the image's size, not a link and not the image itself under another
// name (a hard link), is taken as that copy.
// Succeeds with whether the copy exists.
Result<bool> findSafetyCopy(const QString &imagePath);

// The patch from the image's safety copy to the image, for Create Patch. Fails, with a message
// for the user, when there is no usable copy, when either file can't be read or when the two are
// the same.
Result<QByteArray> MakePatchFromSafetyCopy(const QString &imagePath);

// The safety copies of one run of the editor. Before the first save into an image, the image as
// it is then is copied to its safety copy, unless that already exists: an existing copy is never
// overwritten, so it keeps the oldest state of the image the editor has seen. The copy gets the
// image's permissions.
class SafetyCopies
{
public:
    // Makes sure the image at imagePath has its safety copy before a save writes into it. Fails,
    // and the save must then write nothing, when the copy can't be written.
    Status keepBeforeSaving(const QString &imagePath);

private:
    // The images whose copy exists, by absolute path: later saves in this run don't look again.
    QSet<QString> m_kept;
};

} // namespace whoopline
