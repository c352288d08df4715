#pragma once

#include "rom/result.h"

#include <QObject>

class QAction;
class QWidget;

namespace whoopline::shell {

class frmMain;
class ObjectPalette;

// The object palette docked in the window: View > Object Palette shows and hides it, its place
// and whether it shows are remembered from one run to the next, activating an entry replaces the
// current object, and objects dropped on the track view (the palette's drags, or their text)
// go in before the object under the pointer.
class PaletteDock : public QObject
{
    Q_OBJECT

public:
    explicit PaletteDock(frmMain &window);

protected:
    // The window's drags and drops of objects, and its closing.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ObjectPalette *palette();
    void warnOf(const Status &done);
    // The yellow line on the track view where dragged objects will land.
    QWidget *dropMarker();
    void showPictures();

    frmMain &m_window;
    QAction *m_toggle;
    ObjectPalette *m_palette = nullptr;
    QWidget *m_dropMarker = nullptr;
    // The pictures are drawn when the palette shows: an image opened while it is hidden
    // leaves them stale until then.
    bool m_stale = true;
};

} // namespace whoopline::shell
