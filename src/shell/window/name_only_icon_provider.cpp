#include "shell/window/name_only_icon_provider.h"

namespace whoopline::shell {

QIcon NameOnlyIconProvider::icon(const QFileInfo &info) const
{
    if (info.isRoot())
        return icon(Drive);
    return icon(info.isDir() ? Folder : File);
}

QString NameOnlyIconProvider::type(const QFileInfo &info) const
{
    if (info.isRoot())
        return QStringLiteral("Drive");
    if (info.isDir())
        return QStringLiteral("Folder");
    const QString suffix = info.suffix();
    return suffix.isEmpty() ? QStringLiteral("File") : QStringLiteral("%1 File").arg(suffix);
}

} // namespace whoopline::shell
