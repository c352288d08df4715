#include "shell/session/play_test.h"

#include "rom/whole_file.h"
#include "shell/session/shell_words.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <utility>

#include <unistd.h>

namespace whoopline::shell {

namespace {

constexpr const char *PathMark = "%f";
constexpr const char *FolderPattern = "whoopline-play-";
// Held by the editor whose play tests the folder holds, for as long as it runs.
constexpr const char *OwnerLockName = "owner.lock";

// How many lines of the emulator's output a report of its early end quotes.
constexpr int QuotedLines = 5;

// A killed editor leaves its play-test folder behind: the next play test removes the folders
// of this user whose editor no longer runs. A folder without the lock is not known to be ours.
void removeAbandonedFolders(const QString &folderPath)
{
    const QDir temp(folderPath);
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

// The last lines of a log, for a message.
QString lastLines(const QString &path)
{
    QFile log(path);
    if (!log.open(QIODevice::ReadOnly))
        return {};
    log.seek(qMax<qint64>(0, log.size() - 4096));
    QStringList lines = QString::fromLocal8Bit(log.readAll()).trimmed().split(u'\n');
    return lines.mid(qMax<qsizetype>(0, lines.size() - QuotedLines)).join(u'\n');
}

} // namespace

// A process watched while it starts, and left to run when its watcher goes.
class EmulatorProcess : public QProcess
{
public:
    using QProcess::QProcess;
    ~EmulatorProcess() override
    {
        // QProcess ends a running process with it; an emulator outlives the editor.
        if (state() == QProcess::Running)
            setProcessState(QProcess::NotRunning);
    }
};

PlayTestLauncher::PlayTestLauncher() = default;

// The emulators go with the launcher as its children, and each lets its process run on.
PlayTestLauncher::~PlayTestLauncher() = default;

PlayTestLauncher::TemporaryFolder PlayTestLauncher::temporaryFolder()
{
    const QString given = qEnvironmentVariable("TMPDIR");
    const QFileInfo folder(given);
    if (given.isEmpty() || (folder.isDir() && folder.isWritable()))
        return {QDir::tempPath(), {}};
    // QDir::tempPath() is empty for a TMPDIR that does not exist: the root folder, never.
    const QString system = QStringLiteral("/tmp");
    return {system, QStringLiteral("TMPDIR names “%1”, which is not a folder that can be written; "
                                   "the play test uses “%2” instead.")
                        .arg(given, system)};
}

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
        const TemporaryFolder temp = temporaryFolder();
        removeAbandonedFolders(temp.path);
        auto folder = std::make_unique<QTemporaryDir>(temp.path + QLatin1Char('/')
                                                      + QLatin1String(FolderPattern)
                                                      + QStringLiteral("XXXXXX"));
        if (!folder->isValid())
            return Failure{QStringLiteral("No temporary folder could be made for the play test in "
                                          "“%1”: %2.")
                               .arg(temp.path, folder->errorString())};
        // A folder without its lock would never be cleaned up after a crash: it goes at once.
        auto owner = std::make_unique<QLockFile>(folder->filePath(QLatin1String(OwnerLockName)));
        if (!owner->tryLock(0))
            return Failure{QStringLiteral("No temporary folder could be made for the play test in "
                                          "“%1”: its lock file could not be written (is the disk "
                                          "full?).")
                               .arg(temp.path)};
        m_owner = std::move(owner);
        m_folder = std::move(folder);
        m_note = temp.note;
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

    auto *process = new EmulatorProcess(this);
    process->setProgram(*found);
    process->setArguments(arguments);
    // Saves and logs the emulator writes into its working folder stay out of the image's folder.
    process->setWorkingDirectory(m_folder->path());
    process->setStandardInputFile(QProcess::nullDevice());
    const QString log = QString(*file).replace(QRegularExpression(QStringLiteral("\\.nes$")),
                                               QStringLiteral(".log"));
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->setStandardOutputFile(log);
    process->start();
    if (!process->waitForStarted()) {
        const QString words = process->errorString();
        delete process;
        return refuse(words);
    }
    watch(process, QFileInfo(program).fileName(), log);
    QString text = QStringLiteral("Play test: track %1 started in %2")
                       .arg(track)
                       .arg(QFileInfo(program).fileName());
    if (!m_note.isEmpty())
        text = std::exchange(m_note, QString()) + u' ' + text;
    return text;
}

void PlayTestLauncher::watch(EmulatorProcess *process, const QString &program, const QString &log)
{
    QElapsedTimer running;
    running.start();
    connect(process, &QProcess::finished, this,
            [this, process, program, log, running](int code, QProcess::ExitStatus status) {
                process->deleteLater();
                if (running.elapsed() > startupTime)
                    return;
                const QString how =
                    status == QProcess::CrashExit
                        ? QStringLiteral("was ended by signal %1 (%2)")
                              .arg(code)
                              .arg(QString::fromLocal8Bit(::strsignal(code)))
                        : QStringLiteral("ended with exit status %1").arg(code);
                const QString said = lastLines(log);
                emit emulatorEnded(
                    QStringLiteral("The play test's emulator %1 %2 right after it started.%3 Its "
                                   "output is kept in “%4”.")
                        .arg(program, how,
                             said.isEmpty() ? QString()
                                            : QStringLiteral(" It said:\n%1\n").arg(said),
                             log));
            });
}

} // namespace whoopline::shell
