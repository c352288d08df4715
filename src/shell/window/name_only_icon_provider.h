#pragma once

#include <QFileIconProvider>

namespace whoopline::shell {

// Icons and type names for the Open dialog that go by a file's name alone. Qt's own provider reads
// a file's first bytes to tell its type, and on the window's thread: a file whose read never ends
// (/proc/kmsg as root) froze the dialog and the editor with it. This one never opens a file.
class NameOnlyIconProvider : public QFileIconProvider
{
public:
    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo &info) const override;
    // "Folder", "Drive", "nes File", or "File" for a name without a suffix.
    QString type(const QFileInfo &info) const override;
};

} // namespace whoopline::shell
