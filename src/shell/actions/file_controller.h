#pragma once

#include "rom/result.h"
#include "shell/actions/action_context.h"

#include <QByteArray>
#include <QObject>

class QAction;

namespace whoopline::shell {

// The File menu's commands on the document: Open, Save (every modified track), Save As, Revert,
// the question about unsaved edits, Export Track Picture, Create Patch, and the track files. They
// ask and tell through the context's dialogs, so that tests answer them.
class FileController : public QObject
{
    Q_OBJECT

public:
    FileController(const ActionContext &context, QObject *parent);

    QAction *const mnuSaveAs;
    QAction *const mnuRevert;
    QAction *const mnuExportTrack;
    QAction *const mnuCreatePatch;
    QAction *const mnuExportTrackFile;
    QAction *const mnuImportTrackFile;

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
    // Warns when writing output would destroy the image or its safety copy; true when it would not.
    bool spares(const QString &output);
    // Tells of a file written in the status bar, or warns of the failure.
    void report(const Status &written, const QString &path, qint64 size);
    void warn(const QString &text);
    void tell(const QString &text);

    const ActionContext m_context;
};

} // namespace whoopline::shell
