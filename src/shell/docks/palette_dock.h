#pragma once

#include "rom/result.h"
#include "shell/actions/action_context.h"

#include <QObject>

class QAction;
class QWidget;

namespace whoopline::shell {

class ObjectPalette;

// The object palette docked in the window: View > Object Palette shows and hides it, its place
// and whether it shows are remembered from one run to the next, and activating an entry replaces
// the current object. Its entries are dragged onto the track view, which inserts them.
class PaletteDock : public QObject
{
    Q_OBJECT

public:
    PaletteDock(const ActionContext &context, QObject *parent);

    // View > Object Palette.
    QAction *toggleAction() const { return m_toggle; }
    // Keeps the palette's place and whether it shows for the next run; called as the window closes.
    void rememberPlace();

private:
    ObjectPalette *palette();
    void showPictures();

    const ActionContext m_context;
    QAction *m_toggle;
    ObjectPalette *m_palette = nullptr;
    // The pictures are drawn when the palette shows: an image opened while it is hidden
    // leaves them stale until then.
    bool m_stale = true;
};

} // namespace whoopline::shell
