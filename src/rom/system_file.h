#pragma once

#include <QString>

// The plain system calls under the image readers and writers: a file opened without waiting and
// asked what it is, reads and writes that go on until every byte is moved, and the system's own
// words for an error.
namespace whoopline {

// "No space left on device": what the system says for an errno value.
QString systemWords(int error);

#ifdef Q_OS_UNIX

// "a named pipe", "a character device": what a file of mode st_mode is, for messages.
QString fileKind(unsigned mode);

// A path opened with the given access (O_RDONLY, O_RDWR) and asked what it is, closed again when
// the object goes. It is opened without waiting, so a pipe never holds the window, and asked what
// it is only then, so the path can't change between the check and the use.
class OpenFile
{
public:
    OpenFile(const QString &path, int access);
    OpenFile(const OpenFile &) = delete;
    OpenFile &operator=(const OpenFile &) = delete;
    ~OpenFile();

    int fd() const { return m_fd; }
    // The errno of the open or the stat that failed, 0 once the file is open.
    int error() const { return m_error; }
    bool isFolder() const { return m_folder; }
    bool isRegular() const { return m_regular; }
    // A pipe, a device or a socket: known even when the open failed, as it does for a socket.
    bool isSpecial() const { return m_special; }
    qint64 size() const { return m_size; }

private:
    int m_fd = -1;
    int m_error = 0;
    bool m_folder = false;
    bool m_regular = false;
    bool m_special = false;
    qint64 m_size = 0;
};

// What a read or a write moved, and the errno of the call that stopped it early (0 when none did:
// all was moved, or a read met the end of the file).
struct Transfer
{
    qint64 done = 0;
    int error = 0;
};

// Reads up to count bytes at offset, call after call, until all arrived or the file ends.
Transfer readAt(int fd, char *data, qint64 count, qint64 offset);

// Writes count bytes at offset and goes on after a short write until all are written or a call
// fails.
Transfer writeAt(int fd, const char *data, qint64 count, qint64 offset);

#endif

} // namespace whoopline
