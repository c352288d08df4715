#pragma once

#include "shell/window/frm_main.h"

#include <QString>
#include <QStringList>

// The real main window with an image opened and a track loaded through its own menu item and
// button. The file dialog and the message boxes are replaced, so nothing waits for a person.
namespace whoopline::bench {

class EditorSession
{
public:
    EditorSession();

    // Opens the image at path with File > Open and loads track with the Load button. Returns
    // what went wrong, or an empty text when the track is shown.
    QString openAndLoad(const QString &path, int track);

    // A control of the window by its name.
    template <typename T = QWidget> T *control(const char *name)
    {
        return window.findChild<T *>(QString::fromLatin1(name));
    }

    QStringList messages; // what the window would have shown in message boxes
    shell::WindowDialogs dialogs;
    shell::frmMain window{&dialogs};
};

} // namespace whoopline::bench
