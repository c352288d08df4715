#include "editor_session.h"

#include "shell/trackview/track_view_widget.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

namespace whoopline::bench {

EditorSession::EditorSession()
{
    dialogs.showMessage = [this](QWidget *, QMessageBox::Icon, const QString &, const QString &text) {
        messages << text;
    };
}

QString EditorSession::openAndLoad(const QString &path, int track)
{
    dialogs.chooseImageFile = [path](QWidget *) { return path; };
    control<QAction>("mnuOpen")->trigger();
    control<QScrollBar>("scrLoadTrack")->setValue(track);
    control<QPushButton>("btnLoadTrack")->click();
    if (!messages.isEmpty())
        return messages.join(QLatin1Char(' '));
    if (control<QLabel>("lblCurrentObject")->text().isEmpty() ||
        control<shell::TrackViewWidget>("picTrack")->picture().isNull())
        return QStringLiteral("Track %1 of %2 was not shown.").arg(track).arg(path);
    return {};
}

} // namespace whoopline::bench
