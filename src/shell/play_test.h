#pragma once

#include "result.h"

#include <QByteArray>
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
// was killed.
class PlayTestLauncher
{
public:
    PlayTestLauncher();
    ~PlayTestLauncher();
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

private:
    Result<QString> writeTemporaryImage(const QByteArray &image, const QString &imagePath);

    std::unique_ptr<QTemporaryDir> m_folder;
    // Tells the play tests of later runs that the folder's editor still runs; goes first.
    std::unique_ptr<QLockFile> m_owner;
    int m_started = 0;
};

} // namespace whoopline::shell
