#include "view/status_texts.h"

#include "view/navigation.h"

#include "track/free_bytes.h"
#include "track/track_layout.h"

#include <QDir>
#include <QFileInfo>

namespace whoopline::view {

StatusTexts StatusTextsOf(const QString &romPath, const track::TrackModel *shownTrack,
                          const QList<int> &modifiedTracks)
{
    StatusTexts texts;
    if (!romPath.isEmpty()) {
        texts.fileName = QFileInfo(romPath).fileName();
        texts.filePath = QDir::toNativeSeparators(romPath);
    }
    if (shownTrack != nullptr && shownTrack->isLoaded() &&
        track::isTrackNumber(shownTrack->CurrentTrack)) {
        texts.track = QStringLiteral("Track %1").arg(shownTrack->CurrentTrack);
        texts.object = QStringLiteral("Object %1 of %2")
                           .arg(shownTrack->CurrentObject + 1)
                           .arg(shownTrack->TrackObjects.size());
        texts.freeBytes = QStringLiteral("Free: %1 of %2 bytes")
                              .arg(track::FreeByteCount(shownTrack->TrackObjects))
                              .arg(track::trackByteBudget(shownTrack->CurrentTrack));
        if (const int marked = CountMarkedObjects(shownTrack->TrackObjects); marked > 0)
            texts.marked = marked == 1 ? QStringLiteral("1 marked object") : QStringLiteral("%1 marked objects").arg(marked);
    }
    QStringList numbers;
    for (int track : modifiedTracks)
        numbers << QString::number(track);
    if (!numbers.isEmpty())
        texts.modified = QStringLiteral("Modified: track%1 %2")
                             .arg(numbers.size() > 1 ? QStringLiteral("s") : QString(),
                                  numbers.join(QStringLiteral(", ")));
    return texts;
}

} // namespace whoopline::view
