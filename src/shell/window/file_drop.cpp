#include "shell/window/file_drop.h"

#include <QMimeData>
#include <QUrl>

namespace whoopline::shell {

QString SingleLocalFile(const QMimeData *data)
{
    if (data == nullptr || !data->hasUrls())
        return {};
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.constFirst().isLocalFile())
        return {};
    return urls.constFirst().toLocalFile();
}

} // namespace whoopline::shell
