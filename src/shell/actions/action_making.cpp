#include "shell/actions/action_making.h"

#include "document/image_document.h"

#include <QAction>

namespace whoopline::shell {

QAction *makeAction(QObject *owner, const char *name, const QString &text)
{
    auto *action = new QAction(text, owner);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

void followDocument(const document::ImageDocument &document, QObject *receiver,
                    const std::function<void()> &update)
{
    using Doc = document::ImageDocument;
    QObject::connect(&document, &Doc::opened, receiver, update);
    QObject::connect(&document, &Doc::trackChanged, receiver, update);
    QObject::connect(&document, &Doc::historyChanged, receiver, update);
    QObject::connect(&document, &Doc::currentObjectChanged, receiver, update);
    QObject::connect(&document, &Doc::selectionChanged, receiver, update);
    update();
}

} // namespace whoopline::shell
