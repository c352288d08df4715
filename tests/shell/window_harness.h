#pragma once

#include "document/image_document.h"
#include "image_builder.h"
#include "sample_image.h"
#include "test_home.h"
#include "shell/trackview/track_overview_widget.h"
#include "shell/trackview/track_view_widget.h"
#include "shell/window/frm_main.h"
#include "shell/window/rectangle_shape.h"
#include "view/track_view.h"

#include <QtTest>
#include <QtWidgets>

#include <tuple>

namespace whoopline::testing {

// The main window with its dialogs answered by the test: Open hands out `chosen`, messages are
// kept, and the object selector must be set by the test that expects it (the window's own one is
// kept in realSelector). Its controls are found by their names.
struct Window : shell::WindowDialogs, shell::frmMain
{
    template <typename T = QWidget> T *named(const char *name) const
    {
        T *found = findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }

    QTemporaryDir dir;
    const QByteArray sample = sample::BuildSampleImage();
    QString chosen;
    QStringList messages;
    QList<QMessageBox::Icon> icons;
    const decltype(runObjectSelector) realSelector = runObjectSelector;
    QStringList questions; // the unsaved-edits questions asked, answered with `answer`
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    QStringList confirmations; // the questions with an action button, answered with `confirm`
    bool confirm = false;

    shell::TrackViewWidget *const picTrack = named<shell::TrackViewWidget>("picTrack");
    shell::RectangleShape *const shpSelect = named<shell::RectangleShape>("shpSelect");
    QPushButton *const btnPrev10 = named<QPushButton>("btnPrev10");
    QPushButton *const btnNext = named<QPushButton>("btnNext");
    QPushButton *const btnNext10 = named<QPushButton>("btnNext10");
    QPushButton *const btnNextEnd = named<QPushButton>("btnNextEnd");
    QLabel *const lblCurrentObject = named<QLabel>("lblCurrentObject");
    QPushButton *const btnCurrentObject = named<QPushButton>("btnCurrentObject");
    QLabel *const lblLength = named<QLabel>("lblLength");
    QLineEdit *const txtLaps = named<QLineEdit>("txtLaps");
    QScrollBar *const scrLaps = named<QScrollBar>("scrLaps");
    QScrollBar *const scrLoadTrack = named<QScrollBar>("scrLoadTrack");
    QPushButton *const btnLoadTrack = named<QPushButton>("btnLoadTrack");
    QCheckBox *const chkAlternative = named<QCheckBox>("chkAlternative");
    QLabel *const lblFileName = named<QLabel>("lblFileName");
    QLabel *const lblTrack = named<QLabel>("lblTrack");
    QLabel *const lblObject = named<QLabel>("lblObject");
    QLabel *const lblModified = named<QLabel>("lblModified");
    QAction *const mnuOpen = named<QAction>("mnuOpen");
    QAction *const mnuSave = named<QAction>("mnuSave");
    QAction *const mnuExportTrack = named<QAction>("mnuExportTrack");
    QAction *const mnuCreatePatch = named<QAction>("mnuCreatePatch");
    QAction *const mnuUndo = named<QAction>("mnuUndo");
    QAction *const mnuInsert = named<QAction>("mnuInsert");
    QAction *const mnuDelete = named<QAction>("mnuDelete");
    QAction *const mnuMarkAlternative = named<QAction>("mnuMarkAlternative");
    shell::TrackOverviewWidget *const overview = named<shell::TrackOverviewWidget>("overview");

    Window() : frmMain(this)
    {
        chooseImageFile = [this](QWidget *) { return chosen; };
        showMessage = [this](QWidget *, QMessageBox::Icon icon, const QString &, const QString &text) {
            icons << icon;
            messages << text;
        };
        runObjectSelector = [](QWidget *, const edit::ObjectChoice &) -> std::optional<edit::ObjectChoice> { qFatal("unexpected object selector"); };
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
                                             mnuMarkAlternative->isChecked(), picTrack->width());
        return picTrack->picture() == v.strip && lblCurrentObject->text() == v.currentObjectText &&
               lblLength->text() == v.lengthText && chkAlternative->isChecked() == v.alternative &&
               shpSelect->width() == v.markerWidth;
    }
};

} // namespace whoopline::testing
