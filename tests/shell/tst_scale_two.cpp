// Runs at QT_SCALE_FACTOR=2 (ctest sets it), where the windows take the scalable fallback fonts.
#include "shell/dialogs/frm_object_selector.h"
#include "shell/trackview/track_overview_widget.h"
#include "shell/window/app_fonts.h"
#include "shell/window/frm_main.h"
#include "window_harness.h"

#include <QtTest>
#include <QtWidgets>

using namespace whoopline;
using whoopline::testing::Window;

namespace {

// Every caption fits its control, and a label's text (from its top-left corner) lies under no
// other control; a label itself hides nothing but its text.
void checkTextsFit(QWidget *parent)
{
    const auto controls = parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    const auto textOf = [](QWidget *w) { return w->property("text").toString().remove('&'); };
    const auto cover = [&](QWidget *w) {
        if (!qobject_cast<QLabel *>(w))
            return w->geometry();
        return QRect(w->pos(), QSize(w->fontMetrics().horizontalAdvance(textOf(w)), w->fontMetrics().height()));
    };
    for (QWidget *w : controls) {
        if (textOf(w).isEmpty() || !w->isVisible())
            continue;
        // Labels and the check box by their size hint; a button or box keeps 4 pixels each side.
        const int needed = qobject_cast<QLabel *>(w) || qobject_cast<QCheckBox *>(w)
                               ? w->sizeHint().width()
                               : w->fontMetrics().horizontalAdvance(textOf(w)) + 8;
        QVERIFY2(needed <= w->width(), qPrintable(w->objectName()));
        for (QWidget *other : controls)
            QVERIFY2(!qobject_cast<QLabel *>(w) || other == w || !other->isVisible() || !cover(other).intersects(cover(w)),
                     qPrintable(w->objectName() + " under " + other->objectName()));
    }
}

} // namespace

class ScaleTwoTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCOMPARE(qApp->devicePixelRatio(), 2.0);
        shell::registerFontFamilies();
        QApplication::setFont(shell::windowFont());
    }

    // With the widest values the window shows.
    void mainWindowTextsFit()
    {
        Window window;
        window.lblCurrentObject->setText("$FF");
        window.lblLength->setText("255");
        window.txtLaps->setText("255");
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        checkTextsFit(window.findChild<QWidget *>("client"));
        // The overview's 32 rows show whole, above the status bar.
        const QWidget *strip = window.overview->viewport();
        QVERIFY(strip->isVisible());
        QVERIFY(strip->mapTo(&window, QPoint(0, 32)).y() <= window.statusBar()->y());
    }

    void selectorTextsAndEntriesFit()
    {
        shell::frmObjectSelector selector({}, QImage(), QString());
        selector.show();
        QVERIFY(QTest::qWaitForWindowExposed(&selector));
        checkTextsFit(&selector);
        auto *list = selector.findChild<QListWidget *>();
        QVERIFY(!list->horizontalScrollBar()->isVisible());
    }
};

QTEST_MAIN(ScaleTwoTest)
#include "tst_scale_two.moc"
