#pragma once


#include <QByteArray>
#include <QDockWidget>
#include <QImage>
#include <QString>

class QListWidget;

namespace whoopline::shell {

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

} // namespace whoopline::shell
