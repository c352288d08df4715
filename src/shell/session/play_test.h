#pragma once

#include "rom/result.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QLockFile;
class QTemporaryDir;

namespace whoopline::shell {

// The play test: the image as the editor holds it, unsaved edits included, goes to a fresh
// temporary file in a folder of the launcher's own, never beside the image, and the emulator
// command starts on it detached. The files stay while the emulator may read them and go when
// the launcher does, at the editor's exit, or at a later run's first play test when the editor
// was killed. The emulator's output goes to a log file beside the copy; an emulator that ends
// at once is reported with it. Emulators still running when the launcher goes keep running.
class PlayTestLauncher : public QObject
{
    Q_OBJECT

public:
    PlayTestLauncher();
    ~PlayTestLauncher() override;
    PlayTestLauncher(const PlayTestLauncher &) = delete;
    PlayTestLauncher &operator=(const PlayTestLauncher &) = delete;

    // Whether command names a program at all; without one the user is asked for it first.
    static bool hasCommand(const QString &command);

    // The program and its arguments from command, split as a shell splits a line, with every %f
    // replaced by path, or path as the last argument when there is no %f.
    static Result<QStringList> argumentsFor(const QString &command, const QString &path);

    // Writes image to a temporary file named after imagePath and starts command on it. Returns
    // the status text, or why nothing started; a file that did not serve is removed again.
    Result<QString> start(const QByteArray &image, const QString &imagePath, int track,
                          const QString &command);

    // How long after its start an emulator's end is taken as a failure to run, in milliseconds.
    int startupTime = 2000;

    // The folder that holds the play tests' folders: TMPDIR when it is a folder that can be
    // written, else the system's own, with a note that says why.
    struct TemporaryFolder
    {
        QString path;
        QString note;
    };
    static TemporaryFolder temporaryFolder();

signals:
    // An emulator ended within startupTime: what it said, and where its whole output is.
    void emulatorEnded(const QString &text);

private:
    Result<QString> writeTemporaryImage(const QByteArray &image, const QString &imagePath);
    void watch(class EmulatorProcess *process, const QString &program, const QString &log);

    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_note; // about TMPDIR, told with the first play test
    // Tells the play tests of later runs that the folder's editor still runs; goes first.
    std::unique_ptr<QLockFile> m_owner;
    int m_started = 0;
};

} // namespace whoopline::shell
