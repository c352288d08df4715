#pragma once

#include <QString>

class QMainWindow;

namespace whoopline::document {
class ImageDocument;
}

namespace whoopline::shell {

class EditorSession;
struct WindowDialogs;

// The title of the controllers' messages and questions.
inline const QString MessageTitle = QStringLiteral("Whoopline");

// What a menu's controller works with: the document it hands commands to, what outlives one
// image, the dialogs it asks and tells through (replaced by tests) and the window they open over.
struct ActionContext
{
    document::ImageDocument &document;
    EditorSession &session;
    WindowDialogs &dialogs;
    QMainWindow &window;

    void warn(const QString &text) const;
    void inform(const QString &text) const;
    // A note in the status bar for milliseconds.
    void note(const QString &text, int milliseconds) const;
};

} // namespace whoopline::shell
