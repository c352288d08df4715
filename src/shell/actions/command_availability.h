#pragma once

#include <QObject>

namespace whoopline::shell {

class frmMain;

// Which of the window's items wait on more than an open image, kept in step with its document:
// Undo and Redo need a step and name it, the controls of the shown track a shown track, Insert
// Object a free byte and the alternative box a one-byte object. The last two say why they are off.
class CommandAvailability : public QObject
{
    Q_OBJECT

public:
    explicit CommandAvailability(frmMain &window);

    // Enables or disables every control and menu item of the window, in control order, but the
    // menu items that must work before an image is open: File, Open, Exit, Help and About.
    // Controls without an enabled state are passed over; the waiting ones stay off.
    void switchAll(bool enabled);
    // Whether control may be on while the window's switch is: false only while it waits.
    bool allows(const QObject *control) const;
    // Brings the items' texts, tips and states up to date with the document.
    void refresh();

private:
    frmMain &m_window;
};

} // namespace whoopline::shell
