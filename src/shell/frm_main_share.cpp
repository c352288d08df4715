#include "frm_main.h"

#include "image_file.h"
#include "ips_patch.h"
#include "rectangle_shape.h"
#include "safety_copy.h"
#include "standard_dialogs.h"
#include "track_picture.h"
#include "whole_file.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

// Sharing the work: opening a file named on the command line or dropped on the window, the
// picture of the whole track and the patch from the image's safety copy.
namespace whoopline::shell {

namespace {

const QString WindowTitle = QStringLiteral("Whoopline");

// The image's name without its last suffix: "Hills" for "Hills.nes", "Hills" for "Hills".
QString imageName(const QString &imagePath)
{
    const QString name = QFileInfo(imagePath).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot > 0 ? name.left(dot) : name;
}

QString besideImage(const QString &imagePath, const QString &fileName)
{
    return QFileInfo(imagePath).dir().filePath(fileName);
}

QString quoted(const QString &path)
{
    return QStringLiteral("\u201C%1\u201D").arg(displayName(path));
}

// The one local file that data carries, or "" for none, several or a remote one.
QString singleLocalFile(const QMimeData *data)
{
    if (data == nullptr || !data->hasUrls())
        return {};
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.constFirst().isLocalFile())
        return {};
    return urls.constFirst().toLocalFile();
}

} // namespace

void frmMain::setUpShareCommands()
{
    chooseSaveFile = chooseFileToSave;
    setAcceptDrops(true);
    connect(mnuExportTrack, &QAction::triggered, this, &frmMain::mnuExportTrack_Click);
    connect(mnuCreatePatch, &QAction::triggered, this, &frmMain::mnuCreatePatch_Click);
    // Connected after Open and Load, so it sees what they did.
    connect(mnuOpen, &QAction::triggered, this, &frmMain::updateExportTrackEnabled);
    connect(btnLoadTrack, &QPushButton::clicked, this, &frmMain::updateExportTrackEnabled);
}

void frmMain::updateExportTrackEnabled()
{
    mnuExportTrack->setEnabled(!RomPath.isEmpty() && Track.isLoaded() && m_trackFromOpenImage);
}

void frmMain::OpenGivenFile(const QString &path)
{
    if (path.isEmpty())
        return;
    OpenImageFile(path);
    // As after File > Open, the marker shows once an image is open.
    if (!RomPath.isEmpty())
        shpSelect->show();
    updateExportTrackEnabled();
}

void frmMain::dragEnterEvent(QDragEnterEvent *event)
{
    if (!singleLocalFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent *event)
{
    const QString path = singleLocalFile(event->mimeData());
    if (path.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // Opened once the drop is over, so that a warning does not hold up the program it came from.
    QMetaObject::invokeMethod(
        this, [this, path] { OpenGivenFile(path); }, Qt::QueuedConnection);
}

void frmMain::mnuExportTrack_Click()
{
    if (!Track.isLoaded() || !m_trackFromOpenImage)
        return;
    // Drawn first, so a track that can't be drawn is refused before a file is chosen.
    const auto picture = view::DrawTrackPicture(Track.TrackObjects, picBuffer, picGFX, RomPath);
    if (!picture) {
        warn(picture.error());
        return;
    }
    const QString suggested = besideImage(
        RomPath, QStringLiteral("%1-track%2.png").arg(imageName(RomPath)).arg(Track.CurrentTrack));
    const QString chosen = chooseSaveFile(this, QStringLiteral("Export Track Picture"), suggested,
                                          QStringLiteral("PNG picture (*.png)"));
    if (chosen.isEmpty())
        return;
    const Status written = view::WritePngFile(*picture, chosen);
    if (!written)
        warn(written.error());
}

void frmMain::mnuCreatePatch_Click()
{
    if (RomPath.isEmpty())
        return;
    const QString safetyCopy = safetyCopyPath(RomPath);
    if (!QFileInfo::exists(safetyCopy)) {
        showMessage(
            this, QMessageBox::Information, WindowTitle,
            QStringLiteral("There is no safety copy %1 beside %2 to compare it with, so no patch "
                           "was made.")
                .arg(quoted(safetyCopy), quoted(RomPath)));
        return;
    }
    const auto patch = rom::MakeIpsPatchBetweenFiles(safetyCopy, RomPath);
    if (!patch) {
        warn(patch.error());
        return;
    }
    if (patch->isEmpty()) {
        showMessage(
            this, QMessageBox::Information, WindowTitle,
            QStringLiteral("%1 is the same as its safety copy %2: there is nothing to patch, so "
                           "no patch was made.")
                .arg(quoted(RomPath), quoted(safetyCopy)));
        return;
    }
    const QString chosen =
        chooseSaveFile(this, QStringLiteral("Create Patch"),
                       besideImage(RomPath, imageName(RomPath) + QStringLiteral(".ips")),
                       QStringLiteral("IPS patch (*.ips)"));
    if (chosen.isEmpty())
        return;
    const Status written = replaceFileWith(chosen, *patch);
    if (!written)
        warn(written.error());
}

} // namespace whoopline::shell
