#pragma once

#include "rom/result.h"

#include <QByteArray>
#include <QObject>

namespace whoopline::shell {

class frmMain;

// The File menu's commands on the document: Open, Save (every modified track), Save As, Revert,
// the question about unsaved edits, Export Track Picture and Create Patch. They ask and tell through the window's
// replaceable dialogs, so that tests answer them.
class FileCommands : public QObject
{
    Q_OBJECT

public:
    explicit FileCommands(frmMain &window);

    void open(const QString &path);
    void save();
    void saveAs();
    void revert();
    void exportTrackPicture();
    void createPatch();
    // File > Export Track...: the shown track, its unsaved edits included, as a track file.
    void exportTrackFile();
    // File > Import Track..., or a track file dropped on the window: path, or one asked for.
    void importTrackFile(const QString &path);
    // With unsaved edits, asks whether to save them: true when the command may go on.
    bool confirmUnsavedEdits();

private:
    // Asks before a save overwrites what another program changed; true when it may go on.
    bool mayOverwrite();
    bool saveAll(bool confirm);
    // The patch from the safety copy, or the image before the first save, to the image as it
    // would be saved.
    Result<QByteArray> patchOfUnsavedEdits() const;
    // Warns when writing output would destroy the image or its safety copy; true when it would not.
    bool spares(const QString &output);
    // Tells of a file written in the status bar, or warns of the failure.
    void report(const Status &written, const QString &path, qint64 size);
    void warn(const QString &text);
    void tell(const QString &text);

    frmMain &m_window;
};

} // namespace whoopline::shell
