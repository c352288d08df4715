#include "play_test.h"

#include "shell_words.h"
#include "whole_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cerrno>

#include <unistd.h>

namespace whoopline::shell {

namespace {

constexpr const char *PathMark = "%f";
constexpr const char *FolderPattern = "whoopline-play-";
// Held by the editor whose play tests the folder holds, for as long as it runs.
constexpr const char *OwnerLockName = "owner.lock";

// A killed editor leaves its play-test folder behind: the next play test removes the folders
// of this user whose editor no longer runs. A folder without the lock is not known to be ours.
void removeAbandonedFolders()
{
    const QDir temp(QDir::tempPath());
    const QStringList names = temp.entryList({QLatin1String(FolderPattern) + QLatin1Char('*')},
                                             QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QString &name : names) {
        QDir folder(temp.filePath(name));
        const QString lockPath = folder.filePath(QLatin1String(OwnerLockName));
        if (QFileInfo(folder.path()).ownerId() != ::getuid()
            || !QFileInfo(lockPath).isFile())
            continue;
        QLockFile owner(lockPath);
        owner.setStaleLockTime(0); // only an owner that no longer runs lets go
        if (owner.tryLock(0)) {
            owner.unlock();
            folder.removeRecursively();
        }
    }
}

// The program as the system would run it, or the system's words for why it can't be.
Result<QString> findProgram(const QString &program)
{
    if (!program.contains(QLatin1Char('/'))) {
        const QString found = QStandardPaths::findExecutable(program);
        if (found.isEmpty())
            return Failure{qt_error_string(ENOENT)};
        return found;
    }
    const QFileInfo info(program);
    if (!info.exists())
        return Failure{qt_error_string(ENOENT)};
    if (info.isDir())
        return Failure{qt_error_string(EISDIR)};
    if (!info.isExecutable())
        return Failure{qt_error_string(EACCES)};
    return info.absoluteFilePath();
}

} // namespace

PlayTestLauncher::PlayTestLauncher() = default;

PlayTestLauncher::~PlayTestLauncher() = default;

bool PlayTestLauncher::hasCommand(const QString &command)
{
    // A command that can't be split is there; starting it says what is wrong with it.
    const Result<QStringList> words = splitShellWords(command);
    return !words || !words->isEmpty();
}

Result<QStringList> PlayTestLauncher::argumentsFor(const QString &command, const QString &path)
{
    Result<QStringList> split = splitShellWords(command);
    if (!split)
        return split;
    QStringList arguments = std::move(split).value();
    bool placed = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i].contains(QLatin1String(PathMark))) {
            arguments[i].replace(QLatin1String(PathMark), path);
            placed = true;
        }
    }
    if (!placed)
        arguments << path;
    return arguments;
}

Result<QString> PlayTestLauncher::writeTemporaryImage(const QByteArray &image,
                                                      const QString &imagePath)
{
    if (!m_folder) {
        removeAbandonedFolders();
        auto folder = std::make_unique<QTemporaryDir>(QDir::tempPath() + QLatin1Char('/')
                                                      + QLatin1String(FolderPattern)
                                                      + QStringLiteral("XXXXXX"));
        if (!folder->isValid())
            return Failure{QStringLiteral("No temporary folder could be made for the play test: "
                                          "%1.")
                               .arg(folder->errorString())};
        m_owner = std::make_unique<QLockFile>(folder->filePath(QLatin1String(OwnerLockName)));
        m_owner->tryLock(0);
        m_folder = std::move(folder);
    }
    QString name = QFileInfo(imagePath).completeBaseName();
    if (name.isEmpty())
        name = QStringLiteral("image");
    const QString path = m_folder->filePath(
        QStringLiteral("%1-play%2.nes").arg(name, QString::number(++m_started)));
    const Status written = replaceFileWith(path, image);
    if (!written)
        return Failure{written.error()};
    return path;
}

Result<QString> PlayTestLauncher::start(const QByteArray &image, const QString &imagePath,
                                        int track, const QString &command)
{
    if (!hasCommand(command))
        return Failure{QStringLiteral("No emulator command is set for the play test. Enter one in "
                                      "Edit > Preferences…")};
    // The command is checked before anything is written.
    if (const Result<QStringList> words = splitShellWords(command); !words)
        return Failure{QStringLiteral("The emulator command can't be used: %1 Check it in Edit > "
                                      "Preferences…")
                           .arg(words.error())};
    const Result<QString> file = writeTemporaryImage(image, imagePath);
    if (!file)
        return Failure{file.error()};

    QStringList arguments = argumentsFor(command, *file).value();
    const QString program = arguments.takeFirst();
    const auto refuse = [&](const QString &words) -> Result<QString> {
        QFile::remove(*file);
        return Failure{QStringLiteral("The emulator could not be started: %1: %2. Check the "
                                      "command in Edit > Preferences…")
                           .arg(program, words)};
    };
    const Result<QString> found = findProgram(program);
    if (!found)
        return refuse(found.error());

    QProcess process;
    process.setProgram(*found);
    process.setArguments(arguments);
    // Saves and logs the emulator writes into its working folder stay out of the image's folder.
    process.setWorkingDirectory(m_folder->path());
    process.setStandardInputFile(QProcess::nullDevice());
    if (!process.startDetached())
        return refuse(process.errorString());
    return QStringLiteral("Play test: track %1 started in %2")
        .arg(track)
        .arg(QFileInfo(program).fileName());
}

} // namespace whoopline::shell
