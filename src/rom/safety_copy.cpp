#include "rom/safety_copy.h"

#include "rom/image_file.h"
#include "rom/ips_patch.h"
#include "rom/system_file.h"
#include "rom/whole_file.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace whoopline {

namespace {

const QString ImageSuffix = QStringLiteral(".nes");
const QString CopySuffix = QStringLiteral(".bak");

Failure notACopy(const QString &imagePath, const QString &copyPath, const QString &what)
{
    return Failure{QStringLiteral("%1 has the name of the safety copy of %2, but %3, so it can't "
                                  "be that copy. Move it away or rename it, then try again; "
                                  "nothing was written.")
                       .arg(quotedName(copyPath), quotedName(imagePath), what)};
}

// Copies the image as it is now, with its permissions; the copy appears only once all of it is
// written.
Status writeCopy(const QString &imagePath, const QString &copyPath, int permissions)
{
    const Status written = writeFileThrough(
        copyPath,
        [&](const WriteBytes &write) {
            Status put = Success{};
            const Status read = readWholeImage(imagePath, [&](const QByteArray &piece) {
                put = write(piece.constData(), piece.size());
                return put.ok();
            });
            if (!read)
                return Status(Failure{read.error() + QStringLiteral(" No safety copy was made.")});
            return put;
        },
        {QStringLiteral("The safety copy"), permissions, false});
    if (!written)
        return Failure{written.error() + QStringLiteral(" Nothing was written.")};
    return Success{};
}

} // namespace

QString safetyCopyPath(const QString &imagePath)
{
    const QString fileName = QFileInfo(imagePath).fileName();
    const QString folder = imagePath.chopped(fileName.size()); // as given, its last slash included
    QString name = fileName;
    if (name.size() > ImageSuffix.size() && name.endsWith(ImageSuffix, Qt::CaseInsensitive))
        name.chop(ImageSuffix.size());
    return folder + name + CopySuffix;
}

#ifdef Q_OS_UNIX

Result<bool> findSafetyCopy(const QString &imagePath)
{
    const QString copyPath = safetyCopyPath(imagePath);
    struct stat copy = {};
    struct stat image = {};
    if (::lstat(QFile::encodeName(copyPath).constData(), &copy) != 0)
        return false;
    if (!S_ISREG(copy.st_mode))
        return notACopy(imagePath, copyPath, QStringLiteral("it is %1").arg(fileKind(copy.st_mode)));
    if (::stat(QFile::encodeName(imagePath).constData(), &image) != 0)
        return true; // the save reports the image itself
    // A hard link shares the image's bytes: a save into the image would change it too.
    if (image.st_dev == copy.st_dev && image.st_ino == copy.st_ino)
        return notACopy(imagePath, copyPath, QStringLiteral("it is the image itself under another name"));
    if (image.st_size != copy.st_size)
        return notACopy(imagePath, copyPath,
                        QStringLiteral("it is %1 bytes long and the image %2")
                            .arg(formatNumber(copy.st_size), formatNumber(image.st_size)));
    return true;
}

#else

Result<bool> findSafetyCopy(const QString &imagePath)
{
    const QFileInfo copy(safetyCopyPath(imagePath));
    if (!copy.exists() && !copy.isSymLink())
        return false;
    if (!copy.isFile() || copy.isSymLink() || copy.size() != QFileInfo(imagePath).size())
        return notACopy(imagePath, copy.filePath(), QStringLiteral("it is not a copy of it"));
    return true;
}

#endif

Result<QByteArray> MakePatchFromSafetyCopy(const QString &imagePath)
{
    const QString copy = safetyCopyPath(imagePath);
    const auto found = findSafetyCopy(imagePath);
    if (!found)
        return Failure{found.error()};
    if (!*found)
        return Failure{QStringLiteral("There is no safety copy %1 beside %2 to compare it with, so "
                                      "no patch was made.")
                           .arg(quotedName(copy), quotedName(imagePath))};
    auto patch = rom::MakeIpsPatchBetweenFiles(copy, imagePath);
    if (patch && patch->isEmpty())
        return Failure{QStringLiteral("%1 is the same as its safety copy %2: there is nothing to "
                                      "patch, so no patch was made.")
                           .arg(quotedName(imagePath), quotedName(copy))};
    return patch;
}

Status SafetyCopies::keepBeforeSaving(const QString &imagePath)
{
    const QString image = QFileInfo(imagePath).absoluteFilePath();
    if (m_kept.contains(image))
        return Success{};
    const auto found = findSafetyCopy(image);
    if (!found)
        return Failure{found.error()};
    if (!*found) {
#ifdef Q_OS_UNIX
        struct stat status = {};
        const int mode = ::stat(QFile::encodeName(image).constData(), &status) == 0
                             ? int(status.st_mode & 0777)
                             : -1;
#else
        const int mode = -1;
#endif
        if (const Status written = writeCopy(image, safetyCopyPath(image), mode); !written)
            return written;
    }
    m_kept.insert(image);
    return Success{};
}

} // namespace whoopline
