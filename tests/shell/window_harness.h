#pragma once

#include "image_builder.h"
#include "sample_image.h"
#include "shell/actions/session_commands.h"
#include "shell/actions/view_commands.h"
#include "shell/trackview/picture_box.h"
#include "shell/window/frm_main.h"
#include "shell/window/rectangle_shape.h"
#include "view/track_view.h"

#include <QtTest>
#include <QtWidgets>

#include <tuple>

namespace whoopline::testing {

// Settings of the windows under test go to Qt's test folder, never the user's.
inline const bool SettingsInTestMode = (QStandardPaths::setTestModeEnabled(true), true);

// The main window with its dialogs answered by the test: Open hands out `chosen`, messages are
// kept, and the object selector must be set by the test that expects it (the window's own one is
// kept in realSelector, its Open dialog in realChooser).
struct Window : shell::frmMain
{
    QTemporaryDir dir;
    const QByteArray sample = sample::BuildSampleImage();
    QString chosen;
    QStringList messages;
    QList<QMessageBox::Icon> icons;
    const std::function<bool(QWidget *)> realSelector = runObjectSelector;
    const std::function<QString(QWidget *)> realChooser = chooseImageFile;
    QStringList questions; // the unsaved-edits questions asked, answered with `answer`
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    QStringList confirmations; // the questions with an action button, answered with `confirm`
    bool confirm = false;

    Window()
    {
        chooseImageFile = [this](QWidget *) { return chosen; };
        showMessage = [this](QWidget *, QMessageBox::Icon icon, const QString &, const QString &text) {
            icons << icon;
            messages << text;
        };
        runObjectSelector = [](QWidget *) -> bool { qFatal("unexpected object selector"); };
        askToSaveChanges = [this](QWidget *, const QString &, const QString &text) {
            questions << text;
            return answer;
        };
        askToConfirm = [this](QWidget *, const QString &, const QString &text, const QString &) {
            confirmations << text;
            return confirm;
        };
    }
    const document::ImageDocument &doc() const { return document(); }
    static void click(QWidget *control) { QTest::mouseClick(control, Qt::LeftButton); }
    void open(const QString &path)
    {
        chosen = path;
        mnuOpen->trigger();
    }
    void load(int track)
    {
        scrLoadTrack->setValue(track);
        click(btnLoadTrack);
    }
    // Everything of the window that a refused command must leave as it was.
    auto state() const
    {
        QList<bool> enabled;
        for (QObject *control : Controls())
            enabled.append(control->property("enabled").toBool());
        const auto &d = doc();
        return std::tuple(d.path(), d.track().TrackObjects, d.shownTrack(), d.track().CurrentObject,
                          scrLaps->value(), txtLaps->text(), lblCurrentObject->text(), lblLength->text(),
                          chkAlternative->isChecked(), shpSelect->width(), picTrack->picture(),
                          d.graphics().picGFX, d.graphics().picBuffer, d.widths(), enabled);
    }
    // Whether the window shows what the view code draws for its model, marked as the View menu says.
    bool showsTheModel() const
    {
        const auto &d = doc();
        const auto v = view::RenderTrackView(d.track(), d.graphics().picBuffer, d.graphics().picGFX, d.path(),
                                             viewCommands->mnuMarkAlternative->isChecked());
        return picTrack->picture() == v.strip && lblCurrentObject->text() == v.currentObjectText &&
               lblLength->text() == v.lengthText && chkAlternative->isChecked() == v.alternative &&
               shpSelect->width() == v.markerWidth;
    }
};

} // namespace whoopline::testing
