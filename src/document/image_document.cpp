#include "document/image_document.h"

#include "edit/object_selection.h"
#include "rom/ips_patch.h"
#include "rom/whole_file.h"
#include "track/track_io.h"
#include "view/open_image.h"

#include <QFileInfo>

#include <algorithm>
#include <QUndoGroup>
#include <QUndoStack>

namespace whoopline::document {

namespace {

// The laps byte and the object bytes of track as the file holds them now.
Result<QByteArray> readRegion(const QString &path, int track)
{
    return readImageBytes(path, track::trackStartPosition(track), 1 + track::trackByteBudget(track),
                          QStringLiteral("the track's region"));
}

const edit::TrackEditState NoTrack{};

} // namespace

ImageDocument::ImageDocument(QObject *parent) : QObject(parent), m_group(new QUndoGroup(this))
{
    for (TrackSession &t : m_tracks) {
        t.stack = new QUndoStack(m_group);
        m_group->addStack(t.stack);
        connect(t.stack, &QUndoStack::cleanChanged, this, &ImageDocument::modifiedChanged);
        connect(t.stack, &QUndoStack::indexChanged, this, &ImageDocument::historyChanged);
    }
    connect(m_group, &QUndoGroup::activeStackChanged, this, &ImageDocument::historyChanged);
}

ImageDocument::~ImageDocument()
{
    // The stacks go with the group, after this object has stopped being a document.
    for (TrackSession &t : m_tracks)
        t.stack->disconnect(this);
    m_group->disconnect(this);
}

Result<ImageToOpen> ImageDocument::read(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    // Known before the bytes are read, so that a file put in its place later is found.
    std::optional<FileIdentity> identity = IdentityOf(absolute);
    auto image = view::OpenImage(path);
    if (!image)
        return Failure{image.error()};
    auto bytes = readEntireFile(path, rom::IpsLargestFile);
    if (!bytes)
        return Failure{bytes.error()};
    Status header = checkImageHeader(path, *bytes);
    return ImageToOpen{absolute, identity, std::move(bytes).value(), std::move(image->graphics),
                     image->ObjectWidthTable, std::move(header)};
}

Status ImageDocument::open(const QString &path)
{
    auto image = read(path);
    if (!image)
        return Failure{image.error()};
    open(std::move(image).value());
    return Success{};
}

void ImageDocument::open(ImageToOpen image)
{
    m_bytes = std::move(image.bytes);
    m_path = image.path;
    m_identity = image.identity;
    m_graphics = std::move(image.graphics);
    m_widths = image.widths;
    dropTracks();
    emit opened();
    emit selectionChanged();
    emit modifiedChanged();
}

Status ImageDocument::revert()
{
    return open(m_path);
}

void ImageDocument::dropTracks()
{
    m_shown = 0;
    m_group->setActiveStack(nullptr);
    for (TrackSession &t : m_tracks) {
        t.state.reset();
        t.lastKnown.clear();
        t.stack->clear();
    }
}

Status ImageDocument::showTrack(int number)
{
    if (!isOpen() || !track::isTrackNumber(number))
        return Failure{QStringLiteral("There is no track %1 to show.").arg(number)};
    TrackSession &t = session(number);
    if (!t.state || t.stack->isClean()) {
        // A track left behind keeps its place, read again or not.
        const int current = t.state ? t.state->track.CurrentObject : 0;
        auto loaded = track::ReadTrack(m_path, number, m_widths);
        if (!loaded)
            return Failure{loaded.error()};
        const auto region = readRegion(m_path, number);
        if (!region)
            return Failure{region.error()};
        const int objects = int(loaded->objects.size());
        t.state = edit::TrackEditState{{std::move(loaded.value().objects), number, std::max(0, std::min(current, objects - 1))}, loaded->laps};
        t.lastKnown = *region;
    }
    m_shown = number;
    m_group->setActiveStack(t.stack);
    emit trackChanged(number);
    emit selectionChanged();
    return Success{};
}

const edit::TrackEditState &ImageDocument::shownState() const
{
    return hasTrack() ? *session(m_shown).state : NoTrack;
}

const track::TrackModel &ImageDocument::track() const
{
    return shownState().track;
}

int ImageDocument::laps() const
{
    return hasTrack() ? session(m_shown).state->laps : 0;
}

void ImageDocument::setCurrentObject(int index, bool extend)
{
    if (!hasTrack())
        return;
    edit::TrackEditState &state = *session(m_shown).state;
    edit::SelectObject(state, index, extend);
    emit currentObjectChanged(state.track.CurrentObject);
    emit selectionChanged();
}

Status ImageDocument::edit(edit::TrackEditKind kind,
                           const std::function<Status(edit::TrackEditState &state)> &change)
{
    if (!hasTrack())
        return Failure{QStringLiteral("There is no track to edit yet. Choose a track and press "
                                      "Load first.")};
    const int number = m_shown;
    const edit::TrackEditState before = *session(number).state;
    edit::TrackEditState after = before;
    if (Status changed = change(after); !changed)
        return changed;
    edit::PushTrackEdit(*session(number).stack, kind, before, after,
                        [this, number](const edit::TrackEditState &state) {
                            session(number).state = state;
                            emit trackChanged(number);
                            if (number == m_shown)
                                emit selectionChanged();
                        });
    return Success{};
}

QString ImageDocument::stepText(const QString &text) const
{
    if (text.isEmpty())
        return text;
    for (int number = 1; number <= track::TrackCount; ++number) {
        if (number != m_shown && session(number).stack->count() > 0)
            return QStringLiteral("%1 (track %2)").arg(text).arg(m_shown);
    }
    return text;
}

QString ImageDocument::undoText() const
{
    return hasTrack() ? stepText(session(m_shown).stack->undoText()) : QString();
}

QString ImageDocument::redoText() const
{
    return hasTrack() ? stepText(session(m_shown).stack->redoText()) : QString();
}

QList<int> ImageDocument::modifiedTracks() const
{
    QList<int> modified;
    for (int number = 1; number <= track::TrackCount; ++number) {
        if (session(number).state && !session(number).stack->isClean())
            modified << number;
    }
    return modified;
}

DiskChanges ImageDocument::changesOnDisk() const
{
    DiskChanges changes;
    const auto now = IdentityOf(m_path);
    changes.otherFile = m_identity && now && *now != *m_identity;
    for (const TrackToSave &t : tracksToSave()) {
        // A region that can't be read is the save's to report.
        const auto region = readRegion(m_path, t.track);
        if (region && *region != session(t.track).lastKnown)
            changes.tracks << t.track;
    }
    return changes;
}

} // namespace whoopline::document
