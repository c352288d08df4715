#include "editor_session.h"

#include "shell/trackview/picture_box.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

namespace whoopline::bench {

EditorSession::EditorSession()
{
    window.showMessage = [this](QWidget *, QMessageBox::Icon, const QString &, const QString &text) {
        messages << text;
    };
}

QString EditorSession::openAndLoad(const QString &path, int track)
{
    window.chooseImageFile = [path](QWidget *) { return path; };
    window.mnuOpen->trigger();
    window.scrLoadTrack->setValue(track);
    window.btnLoadTrack->click();
    if (!messages.isEmpty())
        return messages.join(QLatin1Char(' '));
    if (window.lblCurrentObject->text().isEmpty() || window.picTrack->picture().isNull())
        return QStringLiteral("Track %1 of %2 was not shown.").arg(track).arg(path);
    return {};
}

} // namespace whoopline::bench
