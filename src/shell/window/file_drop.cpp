#include "shell/window/file_drop.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace whoopline::shell {

namespace {

// The one local file that data carries, or "" for none, several or a remote one.
QString singleLocalFile(const QMimeData *data)
{
    if (data == nullptr || !data->hasUrls())
        return {};
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.constFirst().isLocalFile())
        return {};
    return urls.constFirst().toLocalFile();
}

} // namespace

FileDrop::FileDrop(QWidget *window, std::function<void(const QString &path)> open)
    : QObject(window), m_open(std::move(open))
{
    window->setAcceptDrops(true);
    window->installEventFilter(this);
}

bool FileDrop::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::DragEnter && event->type() != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto *drop = static_cast<QDropEvent *>(event);
    const QString path = singleLocalFile(drop->mimeData());
    if (path.isEmpty()) {
        drop->ignore();
        return true;
    }
    drop->acceptProposedAction();
    if (event->type() == QEvent::Drop)
        QMetaObject::invokeMethod(
            this, [this, path] { m_open(path); }, Qt::QueuedConnection);
    return true;
}

} // namespace whoopline::shell
