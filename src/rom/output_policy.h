#pragma once

#include "rom/result.h"

#include <QString>
#include <QStringList>

// The one check every file the editor writes passes before a byte of it is written: a save
// under a new name, a patch, a picture, a track file. An output never destroys an input, and
// the open image's safety copy is always an input.
namespace whoopline {

// Where a chosen output leads.
enum class OutputTarget {
    NewFile, // nothing the editor reads: write it
    Image,   // the open image itself, or a link to it: only a save in place may write it
};

// Refuses, naming both files, an output that is the image's safety copy or one of otherInputs,
// links and hard links followed. Tells Image when output is the file image leads to; a caller
// that is no save refuses that with refuseImageAsOutput. image may be empty when there is none.
Result<OutputTarget> checkOutputTarget(const QString &output, const QString &image,
                                       const QStringList &otherInputs = {});

// The refusal of an output that would overwrite the image it was made from.
Failure refuseImageAsOutput(const QString &output, const QString &image);

// checkOutputTarget for the outputs that are never a save: Image is refused too.
Status checkOutputSparesInputs(const QString &output, const QString &image,
                               const QStringList &otherInputs = {});

} // namespace whoopline
