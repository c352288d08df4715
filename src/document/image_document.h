#pragma once

#include "document/file_identity.h"
#include "document/region_patch.h"
#include "edit/current_object_edit.h"
#include "edit/track_edit_command.h"
#include "edit/track_file.h"
#include "rom/result.h"
#include "rom/rom_graphics.h"
#include "rom/safety_copy.h"
#include "track/track_layout.h"

#include <QObject>

#include <array>
#include <functional>
#include <optional>

class QUndoGroup;
class QUndoStack;

namespace whoopline::document {

// What another program did to the open image since this editor last read or wrote it.
struct DiskChanges
{
    bool otherFile = false;  // the path now leads to another file than the one opened
    QList<int> tracks;       // modified tracks whose laps or object bytes on disk differ
    bool any() const { return otherFile || !tracks.isEmpty(); }
};

// The whole image as a save would leave it. When the file could not be read, it was built from
// the bytes the editor read at Open (or wrote since), and fromMemoryBecause says why.
struct SavedImage
{
    QByteArray bytes;
    QString fromMemoryBecause;
};

// An image read from its file and checked, not yet the open image: what Open takes from the file,
// read once, so that a command can ask its questions between the reading and the opening.
struct ImageToOpen
{
    QString path; // absolute
    std::optional<FileIdentity> identity;
    QByteArray bytes;
    rom::RomGraphics graphics;
    track::ObjectWidthTable widths{};
    // Fails, naming the file, when the file does not start with an image's header.
    Status header;
};

// The open image and its five tracks, with no window: the path, the graphics and widths, and per
// track its objects, current object, laps, undo stack and the bytes last read or written there.
// A track is read when it is first shown. The image's bytes as opened are kept too, so that the
// unsaved edits can still be written elsewhere once the file has gone; every drawing and every
// save in place reads the file as it is now. Views show the shown track and change it only
// through edit() and setCurrentObject().
class ImageDocument : public QObject
{
    Q_OBJECT

public:
    explicit ImageDocument(QObject *parent = nullptr);
    ~ImageDocument() override;

    // Reads the graphics and widths of the image at path and drops every track and all history.
    // A refusal leaves the document as it was.
    Status open(const QString &path);
    // Reads the image at path as open() would, changing nothing; a refusal says why.
    static Result<ImageToOpen> read(const QString &path);
    // Makes image the open image, as open() does with what it read.
    void open(ImageToOpen image);
    // Opens the image at path() again, dropping every unsaved edit.
    Status revert();
    bool isOpen() const { return !m_path.isEmpty(); }
    const QString &path() const { return m_path; }
    const rom::RomGraphics &graphics() const { return m_graphics; }
    const track::ObjectWidthTable &widths() const { return m_widths; }

    // Shows track 1..5. A track with unsaved edits comes back as it was left; any other is read
    // from the file again, at the object it was left at (its first when first shown). A refusal leaves the shown track as it was.
    Status showTrack(int track);
    int shownTrack() const { return m_shown; }
    bool hasTrack() const { return m_shown != 0; }
    // The shown track (empty while none is) and its laps value.
    const track::TrackModel &track() const;
    int laps() const;
    // The shown track's objects, current object, laps and selection (empty while none is shown).
    const edit::TrackEditState &shownState() const;
    // Moves the shown track's current object; no undo step. With extend the selected run stretches
    // from its anchor to index, else it collapses to index (object_selection.h).
    void setCurrentObject(int index, bool extend = false);

    // Runs change on a copy of the shown track's state and records the result as one undo step of
    // kind; a change that changes nothing records none. A refusal changes nothing and is returned.
    Status edit(edit::TrackEditKind kind,
                const std::function<Status(edit::TrackEditState &state)> &change);

    // The edits of the shown track, each one undo step named after it. An edit of the current
    // object leaves it selected alone; a run edit selects what it made; a laps change keeps the
    // selection. A refusal, or no track shown, changes nothing and says why.
    Status insertObject();
    // Inserts objectBytes before object index, as a drop does; they become the selection.
    Status insertObjects(int index, const QByteArray &objectBytes);
    // The selected run, or the current object alone.
    Status deleteSelection();
    // Replaces the current object by what the selector chooses; runSelector shows it over the
    // current object. The length it shows over a one-byte object is the one it last showed or took.
    Status replaceCurrentObject(const edit::SelectorRunner &runSelector);
    // Replaces the current object by catalogue entry listIndex (0..44), as the palette does.
    Status replaceWithEntry(int listIndex);
    Status setAlternative(bool alternative);
    // Laps clicks in a row are one step; typed laps (Set Laps) are a step of their own.
    Status setLaps(int laps, bool typed);
    // Cuts the run and returns its bytes.
    Result<QByteArray> cutRun();
    // The run's bytes, for the clipboard.
    QByteArray runBytes() const;
    Status pasteRun(const QByteArray &objectBytes);
    Status duplicateRun();
    Status moveRun(bool left);
    // Replaces the shown track's objects and laps by those of a track file, as one step "Import
    // Track"; its first object becomes current. Refused, naming fileName, when they don't fit.
    Status importTrack(const edit::TrackFile &file, const QString &fileName);
    // The shown track as a track file, its unsaved edits included.
    QString trackFileText() const;

    // The tracks' stacks; Undo and Redo act on the shown track's.
    QUndoGroup *undoGroup() const { return m_group; }
    // "Delete Object", with "(track 2)" after it when another track has history too.
    QString undoText() const;
    QString redoText() const;

    // The tracks with unsaved edits, in track order.
    QList<int> modifiedTracks() const;
    bool isModified() const { return !modifiedTracks().isEmpty(); }

    // What another program changed in the regions saveAll() would write, or the file itself.
    DiskChanges changesOnDisk() const;
    // Writes every modified track, laps bytes included, in one all-or-nothing write after the
    // image's safety copy; then every track is clean. A track without edits is not written, so
    // another program's change to it stays.
    Status saveAll();
    // The whole image as saveAll would leave it, built in memory; the file is not written.
    Result<SavedImage> imageAsSaved() const;
    // The IPS patch from the image's safety copy (the image itself before the first save) to the
    // image as it would be saved, or why there is none, "nothing to patch" included.
    Result<QByteArray> patch() const;
    // Writes imageAsSaved() to path, which becomes the open image with every track clean.
    // Refuses the image itself, which only saveAll writes, and its safety copy.
    Result<SavedImage> saveAs(const QString &path);

signals:
    // A track's objects, laps or current object changed: an edit, an undo, a load.
    void trackChanged(int track);
    // Only the shown track's current object moved.
    void currentObjectChanged(int index);
    // The shown track's selected run may have changed: a step, an edit, a load.
    void selectionChanged();
    // The set of modified tracks may have changed.
    void modifiedChanged();
    // Another image, or the same one afresh, is open: every track is dropped.
    void opened();
    // Save As made another file the open image.
    void pathChanged();
    void historyChanged();

private:
    struct TrackSession
    {
        std::optional<edit::TrackEditState> state;
        QByteArray lastKnown; // the laps byte and object bytes last read from or written to disk
        QUndoStack *stack = nullptr;
    };
    TrackSession &session(int track) { return m_tracks[track - 1]; }
    const TrackSession &session(int track) const { return m_tracks[track - 1]; }
    QList<TrackToSave> tracksToSave() const;
    // The tracks written (every shown one with allTracks) are clean and known as span holds them.
    void markSaved(const QByteArray &span, Position first, bool allTracks = false);
    void dropTracks();
    QString stepText(const QString &text) const;

    QString m_path;
    std::optional<FileIdentity> m_identity;
    QByteArray m_bytes; // the image as opened, with every save since
    rom::RomGraphics m_graphics;
    track::ObjectWidthTable m_widths{};
    std::array<TrackSession, track::TrackCount> m_tracks;
    int m_shown = 0;
    edit::ObjectChoice m_selectorChoice; // kept from one opening of the selector to the next
    QUndoGroup *m_group = nullptr;
    SafetyCopies m_safetyCopies;
};

} // namespace whoopline::document
