#include "document/image_document.h"

#include "rom/ips_patch.h"
#include "rom/output_policy.h"
#include "rom/whole_file.h"

#include <QFileInfo>
#include <QUndoStack>

// Saving the document: every modified track at once, in place, or the whole image to a new file.
namespace whoopline::document {

namespace {

Failure notSaved(const QList<TrackToSave> &tracks, const QString &reason)
{
    QList<int> numbers;
    for (const TrackToSave &t : tracks)
        numbers << t.track;
    QString names = NameTracks(numbers);
    names[0] = names.at(0).toUpper();
    // The reason continues the sentence: "writing to ..." after "Track 5 could not be saved: ".
    QString rest = reason;
    if (rest.size() > 1 && rest.at(0).isUpper() && rest.at(1).isLower())
        rest[0] = rest.at(0).toLower();
    return Failure{QStringLiteral("%1 could not be saved: %2").arg(names, rest)};
}

} // namespace

QList<TrackToSave> ImageDocument::tracksToSave() const
{
    QList<TrackToSave> tracks;
    for (int number = 1; number <= track::TrackCount; ++number) {
        const TrackSession &t = session(number);
        if (t.state && !t.stack->isClean())
            tracks.append({number, t.state->laps, t.state->track.TrackObjects});
    }
    return tracks;
}

void ImageDocument::markSaved(const QByteArray &bytes, Position first, bool allTracks)
{
    for (int number = 1; number <= track::TrackCount; ++number) {
        TrackSession &t = session(number);
        if (!t.state)
            continue;
        const qint64 at = track::trackStartPosition(number) - first;
        const qint64 size = 1 + track::trackByteBudget(number);
        if ((allTracks || !t.stack->isClean()) && at >= 0 && at + size <= bytes.size()) {
            t.lastKnown = bytes.mid(at, size);
            t.stack->setClean();
        }
    }
    if (offsetOf(first) + bytes.size() <= m_bytes.size())
        m_bytes.replace(offsetOf(first), bytes.size(), bytes);
    m_identity = IdentityOf(m_path);
}

Status ImageDocument::saveAll()
{
    const QList<TrackToSave> tracks = tracksToSave();
    // Nothing to write; a save still says so when the image has gone.
    if (tracks.isEmpty()) {
        const auto there = checkImageFile(m_path, 1);
        return there ? Status(Success{}) : Failure{there.error() + QStringLiteral(" Nothing was written.")};
    }
    const PatchSpan span = SpanOf(tracks);
    auto bytes = readImageBytes(m_path, span.first, span.count, QStringLiteral("the tracks' regions"));
    if (!bytes)
        return notSaved(tracks, bytes.error() + QStringLiteral(" Nothing was written."));
    QByteArray patched = *bytes;
    if (Status put = PutTracks(patched, span.first, tracks); !put)
        return put;
    const Status written = writeImageBytes(m_path, span.first, patched,
                                           [this] { return m_safetyCopies.keepBeforeSaving(m_path); });
    if (!written)
        return notSaved(tracks, written.error());
    markSaved(patched, span.first);
    return Success{};
}

Result<SavedImage> ImageDocument::imageAsSaved() const
{
    SavedImage image;
    if (auto read = readEntireFile(m_path, rom::IpsLargestFile))
        image.bytes = std::move(read).value();
    else
        image = {m_bytes, read.error()};
    if (Status put = PutTracks(image.bytes, 1, tracksToSave()); !put)
        return Failure{put.error()};
    return image;
}

Result<SavedImage> ImageDocument::saveAs(const QString &path)
{
    if (Status spared = checkOutputSparesInputs(path, m_path); !spared)
        return Failure{spared.error()};
    const auto image = imageAsSaved();
    if (!image)
        return image;
    if (Status written = replaceFileWith(path, image->bytes); !written)
        return Failure{written.error()};
    m_path = QFileInfo(path).absoluteFilePath();
    m_bytes = image->bytes;
    markSaved(image->bytes, 1, true);
    emit pathChanged();
    emit modifiedChanged();
    return image;
}

Result<QByteArray> ImageDocument::patch() const
{
    if (!isModified())
        return MakePatchFromSafetyCopy(m_path);
    const QString image = m_path;
    const QString copy = safetyCopyPath(image);
    // Before the first save the image itself is what the safety copy will hold.
    const auto found = findSafetyCopy(image);
    if (!found)
        return Failure{found.error()};
    const auto original = readEntireFile(*found ? copy : image, rom::IpsLargestFile);
    if (!original)
        return Failure{original.error()};
    const auto saved = imageAsSaved();
    if (!saved)
        return Failure{saved.error()};
    auto patch = rom::MakeIpsPatch(*original, saved->bytes);
    if (patch && patch->isEmpty())
        return Failure{QStringLiteral("%1 with its unsaved edits is the same as its safety copy %2: "
                                      "there is nothing to patch, so no patch was made.")
                           .arg(quotedName(image), quotedName(copy))};
    return patch;
}

} // namespace whoopline::document
