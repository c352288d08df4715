#pragma once

#include "result.h"
#include "track_edit_command.h"

#include <QByteArray>
#include <QDockWidget>
#include <QImage>
#include <QString>

class QListWidget;

namespace whoopline::edit {

// A span dragged from the palette starts one block long; the selector changes its length.
constexpr int PaletteSpanLength = 1;

// The bytes of catalogue entry listIndex (0..44) as the palette drags them.
QByteArray CatalogueEntryBytes(int listIndex);

// Replaces the current object by catalogue entry listIndex as the selector's OK does, unmarked;
// a span keeps the length of a span it replaces, else it starts PaletteSpanLength long. The
// selection collapses to the current object. Refusals are the replacement's.
Status ReplaceWithCatalogueEntry(TrackEditState &state, int listIndex,
                                 const track::ObjectWidthTable &widths);

// The dockable list of the 45 catalogue objects with their pictures. Activating an entry (a
// double-click or Enter) asks for it to replace the current object; dragging one carries its
// bytes in the clipboard's forms (object_clipboard.h). Most sessions never show it: the list is
// made when it first shows, not with the window.
class ObjectPalette : public QDockWidget
{
    Q_OBJECT

public:
    explicit ObjectPalette(QWidget *parent = nullptr);

    // Draws the pictures from the image at romPath, as the selector's previews are drawn.
    void showImage(const QImage &picGFX, const QString &romPath);

signals:
    void replaceRequested(int listIndex);

protected:
    bool event(QEvent *event) override;

private:
    QListWidget *list();

    QListWidget *m_list = nullptr;
};

} // namespace whoopline::edit
