#include "frm_object_selector.h"
#include "strip_layout.h"
#include "window_harness.h"

using namespace whoopline;
using namespace whoopline::testing;

namespace {

// The sample image with track 3 loaded: 95 objects, the first ones 0x17 (32 wide) and a span
// 0x40 of length 4, the last one a span 0x40 of length 8. The selector records the number it
// opened over and is cancelled.
struct OnTrackThree : Window
{
    QList<int> selectorOpenedOver;
    OnTrackThree()
    {
        runObjectSelector = [this](QWidget *) {
            return selectorOpenedOver << edit::SelectedObjectNumber, false;
        };
        show();
        open(writeFile(dir, "sample.nes", sample));
        load(3);
    }
    QStringList status() const
    {
        return {lblFileName->text(), lblTrack->text(), lblObject->text(), lblFreeBytes->text(),
                lblModified->text()};
    }
};

// As a person's double-click arrives: a click, then the second press as a double-click.
void doubleClick(QWidget *widget, QPoint at)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}

} // namespace

class WindowNavigationTest : public QObject
{
    Q_OBJECT

private slots:
    // The keys press the navigation buttons whatever has the focus, but for a text field's own.
    void keysFollowTheButtons()
    {
        const QList<std::tuple<Qt::Key, int, const char *, int>> presses = {
            {Qt::Key_Right, 5, "btnLoadTrack", 6},   {Qt::Key_Right, 94, "scrLoadTrack", 94},
            {Qt::Key_Left, 5, "scrLaps", 4},         {Qt::Key_Left, 0, "btnLoadTrack", 0},
            {Qt::Key_PageUp, 12, "scrLoadTrack", 2}, {Qt::Key_PageUp, 9, "btnNext", 9},
            {Qt::Key_PageDown, 84, "scrLaps", 94},   {Qt::Key_PageDown, 85, "btnLoadTrack", 85},
            {Qt::Key_Home, 7, "scrLoadTrack", 0},    {Qt::Key_End, 7, "chkAlternative", 94},
            {Qt::Key_Right, 5, "txtLaps", 5},      {Qt::Key_PageUp, 10, "btnPrev10", 0}};
        OnTrackThree w;
        QVERIFY(QTest::qWaitForWindowActive(&w));
        const std::pair bars(w.scrLoadTrack->value(), w.scrLaps->value());
        for (const auto &[key, from, focus, to] : presses) {
            w.btnPrevBeginning->click();
            w.Track.CurrentObject = from;
            w.findChild<QWidget *>(focus)->setFocus();
            QTest::keyClick(QApplication::focusWidget(), key);
            QCOMPARE(w.Track.CurrentObject, to);
            QCOMPARE(w.lblObject->text(),
                     QString("Object %1 of 95").arg(QString(focus) == "txtLaps" ? 1 : to + 1));
        }
        QCOMPARE(std::pair(w.scrLoadTrack->value(), w.scrLaps->value()), bars);
    }

    // The current object at x 0, each next one after the room of the one before, 33 at most; a
    // span takes whole 16-pixel blocks only, so one 40 wide takes 32.
    void stripPlacesTheObjects()
    {
        const auto one = [](int byte, int width) {
            return track::TrackObject{1, QByteArray(1, char(byte)), width, false};
        };
        const track::TrackObject span4{2, QByteArray("\x40\x04", 2), 64, false},
            span3{2, QByteArray("\x41\x03", 2), 40, false};
        const track::TrackModel mixed{{one(0x17, 32), span4, span3, one(0x05, 144)}, 3, 0};
        const track::TrackModel forty{track::TrackObjectList(40, one(0x0C, 16)), 4, 0};
        QList<int> found;
        for (int x : {-1, 0, 31, 32, 95, 96, 128, 271, 272})
            found << view::ObjectAtStripX(mixed, x);
        found << view::ObjectAtStripX(forty, 527) << view::ObjectAtStripX(forty, 528);
        QCOMPARE(found, QList({-1, 0, 0, 1, 1, 2, 3, 3, -1, 32, -1}));
    }

    // A press on an object steps to it, a double-click opens the selector over it too; past the
    // last object nothing happens.
    void clicksOnTheStrip()
    {
        for (const auto &[from, x, to] : {std::tuple(0, 95, 1), std::tuple(94, 128, 94)}) {
            for (const bool twice : {false, true}) {
                OnTrackThree w;
                if (from > 0)
                    w.btnNextEnd->click();
                const qint64 before = w.picTrack->picture().cacheKey();
                twice ? doubleClick(w.picTrack, {x, 200})
                      : QTest::mouseClick(w.picTrack, Qt::LeftButton, {}, {x, 200});
                QCOMPARE(w.Track.CurrentObject, to);
                QCOMPARE(w.picTrack->picture().cacheKey() == before, from == to);
                QCOMPARE(w.selectorOpenedOver, twice && from != to ? QList{0x40} : QList<int>());
                QCOMPARE(w.lblModified->text(), ""); // the selector was cancelled
            }
        }
    }

    void statusBarFollowsTheTrack()
    {
        OnTrackThree w;
        QCOMPARE(w.status(), QStringList({"sample.nes", "Track 3", "Object 1 of 95",
                                          "Free: 0 of 144 bytes", ""}));
        QCOMPARE(w.lblFileName->toolTip(), QDir::toNativeSeparators(w.RomPath));
        w.btnNextEnd->click();
        w.runObjectSelector = [](QWidget *) { return edit::SelectedObjectNumber = 0x0C, true; };
        w.btnCurrentObject->click(); // the span leaves an object 0 after it
        QCOMPARE(w.status(), QStringList({"sample.nes", "Track 3", "Object 95 of 96",
                                          "Free: 1 of 144 bytes", "Modified"}));
        w.mnuSave->trigger();
        QCOMPARE(w.messages, QStringList{"Level saved successfully!"});
        QCOMPARE(w.status().last(), "");
        w.open(ImageBuilder().write(w.dir, "other.nes"));
        QCOMPARE(w.status(), QStringList({"other.nes", "", "", "", ""}));
    }

    void openStartsInTheFolderOfTheLastImage()
    {
        OnTrackThree w;
        QString folder;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            folder = dialog->directory().path();
            dialog->reject();
        });
        w.chooseImageFile = w.realChooser;
        w.mnuOpen->trigger();
        QCOMPARE(folder, w.dir.path());
    }

    // Arrows pick, Enter presses OK, Escape cancels, a double-click picks and presses OK.
    void selectorKeysAndDoubleClick()
    {
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_unknown}) {
            edit::SelectedObjectNumber = 0x85;
            edit::ObjectSelectorState state;
            edit::frmObjectSelector selector(state, QImage(), QString());
            selector.show();
            QVERIFY(QTest::qWaitForWindowActive(&selector));
            auto *list = selector.findChild<QListWidget *>();
            list->setFocus();
            list->setCurrentRow(1, QItemSelectionModel::NoUpdate);
            QTest::keyClick(list, Qt::Key_Down);
            QCOMPARE(state.ChosenObjectNumber, 2);
            if (key == Qt::Key_unknown) {
                list->scrollToItem(list->item(12));
                doubleClick(list->viewport(), list->visualItemRect(list->item(12)).center());
            } else {
                QTest::keyClick(list, key);
            }
            QVERIFY(!selector.isVisible());
            QCOMPARE(edit::SelectedObjectNumber, key == Qt::Key_Escape   ? 0x85
                                                 : key == Qt::Key_Return ? 2
                                                                         : 12);
        }
    }
};

QTEST_MAIN(WindowNavigationTest)
#include "tst_window_navigation.moc"
