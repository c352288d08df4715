#include "edit/track_edit_command.h"

#include <QUndoStack>

namespace whoopline::edit {

namespace {

QString textOf(TrackEditKind kind)
{
    switch (kind) {
    case TrackEditKind::ReplaceObject:
        return QStringLiteral("Replace Object");
    case TrackEditKind::ChangeMark:
        return QStringLiteral("Change Alternative Mark");
    case TrackEditKind::ChangeLaps:
        return QStringLiteral("Change Laps");
    case TrackEditKind::SetLaps:
        return QStringLiteral("Set Laps");
    case TrackEditKind::InsertObject:
        return QStringLiteral("Insert Object");
    case TrackEditKind::DeleteObject:
        return QStringLiteral("Delete Object");
    case TrackEditKind::CutObjects:
        return QStringLiteral("Cut Objects");
    case TrackEditKind::PasteObjects:
        return QStringLiteral("Paste Objects");
    case TrackEditKind::DuplicateObjects:
        return QStringLiteral("Duplicate Objects");
    case TrackEditKind::DeleteObjects:
        return QStringLiteral("Delete Objects");
    case TrackEditKind::MoveObjectsLeft:
        return QStringLiteral("Move Objects Left");
    case TrackEditKind::MoveObjectsRight:
        return QStringLiteral("Move Objects Right");
    case TrackEditKind::ImportTrack:
        return QStringLiteral("Import Track");
    }
    return {};
}

constexpr int LapsStepId = 1;

} // namespace

bool operator==(const TrackEditState &a, const TrackEditState &b)
{
    return a.track.TrackObjects == b.track.TrackObjects &&
           a.track.CurrentTrack == b.track.CurrentTrack &&
           a.track.CurrentObject == b.track.CurrentObject && a.laps == b.laps;
}

TrackEditCommand::TrackEditCommand(TrackEditKind kind, TrackEditState before, TrackEditState after,
                                   Apply apply)
    : QUndoCommand(textOf(kind)), m_kind(kind), m_before(std::move(before)),
      m_after(std::move(after)), m_apply(std::move(apply))
{
}

void TrackEditCommand::undo()
{
    m_apply(m_before);
}

void TrackEditCommand::redo()
{
    m_apply(m_after);
}

int TrackEditCommand::id() const
{
    return m_kind == TrackEditKind::ChangeLaps ? LapsStepId : -1;
}

bool TrackEditCommand::mergeWith(const QUndoCommand *other)
{
    if (id() == -1 || other->id() != id())
        return false;
    m_after = static_cast<const TrackEditCommand *>(other)->m_after;
    setObsolete(m_after == m_before);
    return true;
}

bool PushTrackEdit(QUndoStack &stack, TrackEditKind kind, const TrackEditState &before,
                   const TrackEditState &after, TrackEditCommand::Apply apply)
{
    if (after == before)
        return false;
    stack.push(new TrackEditCommand(kind, before, after, std::move(apply)));
    return true;
}

} // namespace whoopline::edit
