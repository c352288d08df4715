#pragma once

#include "frm_main.h"
#include "picture_box.h"
#include "rectangle_shape.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

// The main window driven as a user drives it, with its dialogs answered by the test.
namespace whoopline::testing {

using shell::frmMain;

// A main window whose dialogs answer from the test: Open hands out `chosen`, and every message
// is kept instead of shown.
struct Harness
{
    frmMain window;
    QString chosen;
    QStringList messages;
    QList<QMessageBox::Icon> icons;

    Harness()
    {
        window.chooseImageFile = [this](QWidget *) { return chosen; };
        window.showMessage = [this](QWidget *, QMessageBox::Icon icon, const QString &,
                                    const QString &text) {
            icons.append(icon);
            messages.append(text);
        };
    }
    void open(const QString &path)
    {
        chosen = path;
        window.mnuOpen->trigger();
    }
    void load(int track)
    {
        window.scrLoadTrack->setValue(track);
        QTest::mouseClick(window.btnLoadTrack, Qt::LeftButton);
    }
};

// Everything of the window that a refused command must leave exactly as it was.
struct WindowState
{
    QString romPath;
    QList<track::TrackObject> objects;
    int currentTrack, currentObject, laps;
    QStringList texts;
    QImage view, picGFX, picBuffer;
    track::ObjectWidthTable widths;
    rom::TilePalette palette;
    QList<bool> enabled;

    explicit WindowState(const frmMain &w)
        : romPath(w.RomPath), objects(w.Track.TrackObjects), currentTrack(w.Track.CurrentTrack),
          currentObject(w.Track.CurrentObject),
          laps(w.scrLaps->value()), texts{w.txtLaps->text(), w.lblCurrentObject->text(),
                                          w.lblLength->text(),
                                          w.chkAlternative->isChecked() ? "checked" : "",
                                          QString::number(w.shpSelect->width())},
          view(w.picTrack->picture()), picGFX(w.picGFX), picBuffer(w.picBuffer),
          widths(w.ObjectWidthTable), palette(w.TilePalette)
    {
        for (QObject *control : w.Controls()) {
            if (auto *widget = qobject_cast<QWidget *>(control))
                enabled.append(widget->isEnabled());
            else if (auto *action = qobject_cast<QAction *>(control))
                enabled.append(action->isEnabled());
        }
    }
    friend bool operator==(const WindowState &, const WindowState &) = default;
};

} // namespace whoopline::testing
