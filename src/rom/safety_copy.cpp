#include "safety_copy.h"

#include "image_file.h"

#include <QFileInfo>
#include <QSaveFile>

namespace whoopline {

namespace {

const QString ImageSuffix = QStringLiteral(".nes");
const QString CopySuffix = QStringLiteral(".bak");

Failure cannotWriteCopy(const QString &copyPath, const QString &reason)
{
    return Failure{QStringLiteral("The safety copy %1 cannot be written: %2. Nothing was written.")
                       .arg(quotedName(copyPath), reason)};
}

// Writes all of piece, going on after a short write, so that the call that fails gives its reason.
bool writeWhole(QSaveFile &copy, const QByteArray &piece)
{
    for (qint64 done = 0; done < piece.size();) {
        const qint64 put = copy.write(piece.constData() + done, piece.size() - done);
        if (put <= 0)
            return false;
        done += put;
    }
    return true;
}

// Copies the image as it is now; QSaveFile puts the copy in place only once all of it is written.
Status writeCopy(const QString &imagePath, const QString &copyPath)
{
    QSaveFile copy(copyPath);
    // Unbuffered: a failing write reports itself, with the system's reason, as it happens.
    if (!copy.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return cannotWriteCopy(copyPath, copy.errorString());
    bool written = true;
    const Status read = readWholeImage(imagePath, [&](const QByteArray &piece) {
        written = writeWhole(copy, piece);
        return written;
    });
    if (!read)
        return Failure{read.error() +
                       QStringLiteral(" No safety copy was made and nothing was written.")};
    if (!written || !copy.commit())
        return cannotWriteCopy(copyPath, copy.errorString());
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

Status SafetyCopies::keepBeforeSaving(const QString &imagePath)
{
    const QString image = QFileInfo(imagePath).absoluteFilePath();
    if (m_kept.contains(image))
        return Success{};
    const QString copyPath = safetyCopyPath(image);
    const QFileInfo existing(copyPath);
    if (!existing.isFile()) {
        // A folder, a pipe or a link to nothing under the copy's name is never replaced.
        if (existing.exists() || existing.isSymLink())
            return cannotWriteCopy(copyPath,
                                   QStringLiteral("something that is not a file has its name"));
        if (const Status written = writeCopy(image, copyPath); !written)
            return written;
    }
    m_kept.insert(image);
    return Success{};
}

} // namespace whoopline
