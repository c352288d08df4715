#pragma once

#include <QObject>

class QAction;
class QMenu;

namespace whoopline::shell {

class frmMain;

// Getting about a track and between tracks: the Track menu (Track 1 ... Track 5 on Ctrl+1 ...
// Ctrl+5, Next and Previous Track), each loading as the Load button does; and in the Edit menu
// Go to Object (Ctrl+G), Find Next and Previous Marked Object (F3, Shift+F3), which go round the
// track's end with a note in the status bar, and Select All (Ctrl+A).
class TrackCommands : public QObject
{
    Q_OBJECT

public:
    explicit TrackCommands(frmMain &window);

private:
    QAction *addItem(QMenu *menu, const char *name, const QString &text, const QKeySequence &key);
    void load(int track);
    void goToObject();
    void findMarked(bool forward);

    frmMain &m_window;
};

} // namespace whoopline::shell
