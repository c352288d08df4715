#include "shell/actions/file_controller.h"

#include "document/image_document.h"
#include "edit/track_file.h"
#include "rom/ips_patch.h"
#include "rom/output_policy.h"
#include "rom/safety_copy.h"
#include "rom/whole_file.h"
#include "shell/actions/action_making.h"
#include "shell/dialogs/window_dialogs.h"
#include "view/track_png.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QStatusBar>

namespace whoopline::shell {

namespace {

// How long the status bar tells of a file written, in milliseconds.
constexpr int WroteMessageTime = 10000;

QString besideImage(const QString &imagePath, const QString &fileName)
{
    return QFileInfo(imagePath).dir().filePath(fileName);
}

} // namespace

FileController::FileController(const ActionContext &context, QObject *parent)
    : QObject(parent),
      mnuSaveAs(makeAction(this, "mnuSaveAs", QStringLiteral("Save ROM File &As..."))),
      mnuRevert(makeAction(this, "mnuRevert", QStringLiteral("&Revert"))),
      mnuExportTrack(makeAction(this, "mnuExportTrack", QStringLiteral("Export &Track Picture..."))),
      mnuCreatePatch(makeAction(this, "mnuCreatePatch", QStringLiteral("Create &Patch..."))),
      mnuExportTrackFile(makeAction(this, "mnuExportTrackFile", QStringLiteral("Export Trac&k..."))),
      mnuImportTrackFile(makeAction(this, "mnuImportTrackFile", QStringLiteral("&Import Track..."))),
      m_context(context)
{
    connect(mnuSaveAs, &QAction::triggered, this, &FileController::saveAs);
    connect(mnuRevert, &QAction::triggered, this, &FileController::revert);
    connect(mnuExportTrack, &QAction::triggered, this, &FileController::exportTrackPicture);
    connect(mnuCreatePatch, &QAction::triggered, this, &FileController::createPatch);
    connect(mnuExportTrackFile, &QAction::triggered, this, &FileController::exportTrackFile);
    connect(mnuImportTrackFile, &QAction::triggered, this, [this] { importTrackFile(QString()); });
    followDocument(context.document, this, [this] {
        const document::ImageDocument &doc = m_context.document;
        for (QAction *item : {mnuSaveAs, mnuRevert, mnuCreatePatch})
            item->setEnabled(doc.isOpen());
        for (QAction *item : {mnuExportTrack, mnuExportTrackFile, mnuImportTrackFile})
            item->setEnabled(doc.hasTrack());
    });
}

void FileController::warn(const QString &text) { m_context.warn(text); }

void FileController::tell(const QString &text) { m_context.inform(text); }

void FileController::open(const QString &path)
{
    // Read before the questions, so that an image that can't be opened asks nothing.
    auto image = document::ImageDocument::read(path);
    if (!image) {
        warn(image.error());
        return;
    }
    if (!image->header && !m_context.dialogs.askToConfirm(&m_context.window, MessageTitle,
                                                          image->header.error() + QStringLiteral(" Open it anyway?"),
                                                          QStringLiteral("&Open")))
        return;
    const bool hadEdits = m_context.document.isModified();
    if (!confirmUnsavedEdits())
        return;
    // A save of the edits may have written the very file read above: it is read again.
    if (hadEdits && !m_context.document.isModified())
        image = document::ImageDocument::read(path);
    if (image)
        m_context.document.open(std::move(image).value());
    else
        warn(image.error());
}

bool FileController::mayOverwrite()
{
    const document::ImageDocument &doc = m_context.document;
    const document::DiskChanges changes = doc.changesOnDisk();
    if (!changes.any())
        return true;
    QString question;
    if (changes.otherFile) {
        question = QStringLiteral("%1 now leads to another file than the one that was opened. "
                                  "Overwrite that file?")
                       .arg(quotedName(doc.path()));
    } else {
        QString names = document::NameTracks(changes.tracks);
        names[0] = names.at(0).toUpper();
        const bool one = changes.tracks.size() == 1;
        question = QStringLiteral("%1 in %2 %3 changed by another program since %4 loaded. "
                                  "Overwrite those changes?")
                       .arg(names, quotedName(doc.path()), one ? QStringLiteral("was")
                                                               : QStringLiteral("were"),
                            one ? QStringLiteral("it was") : QStringLiteral("they were"));
    }
    return m_context.dialogs.askToConfirm(&m_context.window, MessageTitle, question, QStringLiteral("&Overwrite"));
}

bool FileController::saveAll(bool confirm)
{
    if (!mayOverwrite())
        return false;
    if (const Status saved = m_context.document.saveAll(); !saved) {
        warn(saved.error());
        return false;
    }
    if (confirm)
        tell(QStringLiteral("Level saved successfully!"));
    return true;
}

void FileController::save()
{
    if (!m_context.document.hasTrack()) {
        tell(QStringLiteral("There is no track to save yet. Choose a track and press Load first."));
        return;
    }
    saveAll(true);
}

void FileController::saveAs()
{
    document::ImageDocument &doc = m_context.document;
    if (!doc.isOpen())
        return;
    const QString chosen = m_context.dialogs.chooseSaveFile(&m_context.window, QStringLiteral("Save ROM File As"),
                                                   doc.path(), QStringLiteral("NES ROM (*.nes)"));
    if (chosen.isEmpty())
        return;
    const auto target = checkOutputTarget(chosen, doc.path());
    if (!target) {
        warn(target.error());
        return;
    }
    // The image itself under its own name or another: a save in place, with its safety copy and
    // its question about another program's changes.
    if (*target == OutputTarget::Image) {
        if (doc.isModified())
            saveAll(true);
        return;
    }
    const auto saved = doc.saveAs(chosen);
    if (!saved)
        warn(saved.error());
    else if (!saved->fromMemoryBecause.isEmpty())
        tell(QStringLiteral("%1 Whoopline wrote %2 from the image as it was opened, with the unsaved "
                            "edits.")
                 .arg(saved->fromMemoryBecause, quotedName(chosen)));
}

void FileController::revert()
{
    document::ImageDocument &doc = m_context.document;
    if (!doc.isOpen())
        return;
    if (doc.isModified() &&
        !m_context.dialogs.askToConfirm(
            &m_context.window, MessageTitle,
            QStringLiteral("Revert %1 to the file on disk? The unsaved changes to %2 will be lost.")
                .arg(quotedName(doc.path()), document::NameTracks(doc.modifiedTracks())),
            QStringLiteral("&Revert")))
        return;
    // The track shown before is shown again, as the file now holds it.
    const int shown = doc.shownTrack();
    if (const Status reverted = doc.revert(); !reverted)
        warn(reverted.error());
    else if (const Status again = shown != 0 ? doc.showTrack(shown) : Status(Success{}); !again)
        warn(again.error());
}

bool FileController::confirmUnsavedEdits()
{
    const document::ImageDocument &doc = m_context.document;
    if (!doc.isModified())
        return true;
    const QString question = QStringLiteral("Save the changes to %1 of %2?")
                                 .arg(document::NameTracks(doc.modifiedTracks()),
                                      quotedName(doc.path()));
    switch (m_context.dialogs.askToSaveChanges(&m_context.window, MessageTitle, question)) {
    case QMessageBox::Save:
        return saveAll(false);
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void FileController::exportTrackPicture()
{
    const document::ImageDocument &doc = m_context.document;
    if (!doc.hasTrack())
        return;
    const QString image = doc.path();
    const QString suggested = besideImage(
        image, QStringLiteral("%1-track%2.png").arg(QFileInfo(image).completeBaseName()).arg(doc.shownTrack()));
    const PictureChoice chosen = m_context.dialogs.chooseTrackPicture(&m_context.window, suggested);
    if (chosen.path.isEmpty() || !spares(chosen.path))
        return;
    // Drawn a band at a time while it is written, so a track of any width fits.
    qint64 size = 0;
    const Status written = writeFileThrough(
        chosen.path,
        [&](const WriteBytes &write) {
            return view::WriteTrackPng(doc.track().TrackObjects, doc.graphics().picBuffer,
                                       doc.graphics().picGFX, image, chosen.markAlternative,
                                       [&](const char *data, qint64 count) {
                                           size += count;
                                           return write(data, count);
                                       });
        },
        {QStringLiteral("The picture")});
    report(written, chosen.path, size);
}

void FileController::createPatch()
{
    const document::ImageDocument &doc = m_context.document;
    if (!doc.isOpen())
        return;
    const QString image = doc.path();
    const bool edits = doc.isModified();
    const Result<QByteArray> patch = doc.patch();
    if (!patch) {
        warn(patch.error());
        return;
    }
    const QString chosen = m_context.dialogs.chooseSaveFile(
        &m_context.window,
        edits ? QStringLiteral("Create Patch (the unsaved edits included)") : QStringLiteral("Create Patch"),
        besideImage(image, QFileInfo(image).completeBaseName() + QStringLiteral(".ips")),
        QStringLiteral("IPS patch (*.ips)"));
    if (!chosen.isEmpty() && spares(chosen))
        report(replaceFileWith(chosen, *patch), chosen, patch->size());
}

void FileController::exportTrackFile()
{
    const document::ImageDocument &doc = m_context.document;
    if (!doc.hasTrack())
        return;
    const QString image = doc.path();
    const QString chosen = m_context.dialogs.chooseSaveFile(
        &m_context.window, QStringLiteral("Export Track"),
        besideImage(image, QStringLiteral("%1-track%2%3").arg(QFileInfo(image).completeBaseName()).arg(doc.shownTrack()).arg(edit::TrackFileSuffix)),
        QStringLiteral("Whoopline track (*.track)"));
    const QByteArray text = doc.trackFileText().toUtf8();
    if (!chosen.isEmpty() && spares(chosen))
        report(replaceFileWith(chosen, text, {QStringLiteral("The track file")}), chosen, text.size());
}

void FileController::importTrackFile(const QString &path)
{
    document::ImageDocument &doc = m_context.document;
    const QString chosen = path.isEmpty() ? m_context.dialogs.chooseTrackFile(&m_context.window, QFileInfo(doc.path()).path()) : path;
    if (chosen.isEmpty())
        return;
    const auto text = readEntireFile(chosen, edit::TrackFileLargestSize);
    const auto file = text ? edit::ReadTrackFile(QString::fromUtf8(*text), chosen) : Failure{text.error()};
    const Status imported = file ? doc.importTrack(*file, chosen) : Status(Failure{file.error()});
    if (!imported)
        warn(imported.error());
}

bool FileController::spares(const QString &output)
{
    const Status spared = checkOutputSparesInputs(output, m_context.document.path());
    if (!spared)
        warn(spared.error());
    return spared.ok();
}

void FileController::report(const Status &written, const QString &path, qint64 size)
{
    if (written)
        m_context.note(wroteFileMessage(path, size), WroteMessageTime);
    else
        warn(written.error());
}

} // namespace whoopline::shell
