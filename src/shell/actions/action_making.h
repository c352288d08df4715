#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QAction;

namespace whoopline::document {
class ImageDocument;
}

namespace whoopline::shell {

// A menu item named name for the tests and the enabled-state checks, owned by owner.
QAction *makeAction(QObject *owner, const char *name, const QString &text);

// Calls update now and after every change of the document that can change what its actions
// may do: an image opened, a track shown or edited, a step undone, the current object moved.
void followDocument(const document::ImageDocument &document, QObject *receiver,
                    const std::function<void()> &update);

} // namespace whoopline::shell
