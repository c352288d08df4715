#include "frm_main.h"
#include "picture_box.h"
#include "rectangle_shape.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

#include <algorithm>
#include <set>

using whoopline::shell::frmMain;

namespace {

bool enabledState(const QObject *control)
{
    if (auto *action = qobject_cast<const QAction *>(control))
        return action->isEnabled();
    return qobject_cast<const QWidget *>(control)->isEnabled();
}

QObject *control(frmMain &window, const QString &name)
{
    for (QObject *c : window.Controls())
        if (c->objectName() == name)
            return c;
    return nullptr;
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void startupEnablesOnlyTheMenusThatNeedNoImage_data();
    void startupEnablesOnlyTheMenusThatNeedNoImage();
    void switchLeavesFiveMenuItemsAndTheMarkerAlone_data();
    void switchLeavesFiveMenuItemsAndTheMarkerAlone();
    void everyControlAndMenuItemIsWalked();
    void controlsAsDesigned_data();
    void controlsAsDesigned();
    void windowHasFixedSizeAroundClientArea();
    void exitEndsAtOnceWithoutAQuestion_data();
    void exitEndsAtOnceWithoutAQuestion();
};

void MainWindowTest::startupEnablesOnlyTheMenusThatNeedNoImage_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("enabled");
    for (const char *name : {"mnuFile", "mnuOpen", "mnuExit", "mnuHelp", "mnuAbout"})
        QTest::newRow(name) << name << true;
    for (const char *name :
         {"mnuSave", "mnuFileLine1", "picTrack", "btnPrevBeginning", "lblGeneral_2",
          "lblCurrentObject", "txtLaps", "scrLoadTrack", "btnLoadTrack", "chkAlternative"})
        QTest::newRow(name) << name << false;
}

void MainWindowTest::startupEnablesOnlyTheMenusThatNeedNoImage()
{
    QFETCH(QString, name);
    QFETCH(bool, enabled);
    frmMain window;
    QObject *c = control(window, name);
    QVERIFY2(c != nullptr, qPrintable(name));
    QCOMPARE(enabledState(c), enabled);
}

void MainWindowTest::switchLeavesFiveMenuItemsAndTheMarkerAlone_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::newRow("enable") << true;
    QTest::newRow("disable") << false;
}

void MainWindowTest::switchLeavesFiveMenuItemsAndTheMarkerAlone()
{
    QFETCH(bool, enabled);
    frmMain window;
    for (QObject *c : window.Controls())
        c->setProperty("enabled", !enabled);

    window.SetControlsEnabled(&window, enabled);

    QObject *marker = window.shpSelect;
    const std::set<QObject *> leftAlone = {window.mnuFile, window.mnuOpen,  window.mnuExit,
                                           window.mnuHelp, window.mnuAbout, marker};
    for (QObject *c : window.Controls()) {
        // The marker's own flag, not the one it inherits from the track view.
        const bool actual =
            c == marker ? !window.shpSelect->testAttribute(Qt::WA_ForceDisabled) : enabledState(c);
        QVERIFY2(actual == (leftAlone.count(c) ? !enabled : enabled), qPrintable(c->objectName()));
    }
}

// A control the switch does not know about would stay disabled after an image is opened.
void MainWindowTest::everyControlAndMenuItemIsWalked()
{
    frmMain window;
    const auto &controls = window.Controls();
    auto walked = [&](QObject *o) {
        return std::find(controls.begin(), controls.end(), o) != controls.end();
    };

    QList<QWidget *> widgets =
        window.centralWidget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    widgets += window.picTrack->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *w : widgets)
        QVERIFY2(walked(w), w->metaObject()->className());

    int menuItems = 0;
    for (QAction *top : window.menuBar()->actions()) {
        QVERIFY2(walked(top), qPrintable(top->text()));
        for (QAction *item : top->menu()->actions()) {
            QVERIFY2(walked(item), qPrintable(item->text()));
            ++menuItems;
        }
    }
    QCOMPARE(menuItems, 5);
    QCOMPARE(int(controls.size()), int(widgets.size()) + 2 + menuItems);
}

void MainWindowTest::controlsAsDesigned_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("font"); // family, then " bold" for a bold one
    const QString sans = "MS Sans Serif";
    const QString mono = "Courier New";
    QTest::newRow("view") << "picTrack"
                          << "" << QRect(8, 8, 512, 256) << sans;
    QTest::newRow("marker") << "shpSelect"
                            << "" << QRect(0, 0, 16, 256) << sans;
    QTest::newRow("first") << "btnPrevBeginning"
                           << "|<" << QRect(8, 272, 25, 25) << sans;
    QTest::newRow("object caption")
        << "lblGeneral_1"
        << "Current Object:" << QRect(136, 304, 97, 17) << sans + " bold";
    QTest::newRow("length caption") << "lblGeneral_2"
                                    << "Length:" << QRect(296, 304, 65, 17) << sans;
    QTest::newRow("laps caption") << "lblGeneral_3"
                                  << "Number of Laps:" << QRect(384, 304, 137, 17)
                                  << sans + " bold";
    QTest::newRow("laps") << "txtLaps"
                          << "" << QRect(392, 320, 33, 21) << mono;
    QTest::newRow("laps bar") << "scrLaps"
                              << "" << QRect(429, 320, 17, 19) << sans;
    QTest::newRow("alternative") << "chkAlternative"
                                 << "Appear only in alternative track." << QRect(144, 324, 201, 17)
                                 << sans;
}

void MainWindowTest::controlsAsDesigned()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QRect, geometry);
    QFETCH(QString, font);
    frmMain window;
    auto *widget = qobject_cast<QWidget *>(control(window, name));
    QVERIFY(widget != nullptr);
    QCOMPARE(widget->geometry(), geometry);
    QCOMPARE(widget->parentWidget(), name == "shpSelect" ? static_cast<QWidget *>(window.picTrack)
                                                         : window.centralWidget());
    QCOMPARE(widget->property("text").toString(), text);
    QCOMPARE(widget->font().family() + (widget->font().bold() ? " bold" : ""), font);
    QCOMPARE(widget->font().pointSizeF(), 8.25);
}

void MainWindowTest::windowHasFixedSizeAroundClientArea()
{
    frmMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.centralWidget()->size(), QSize(529, 351));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QCOMPARE(window.height(), window.menuBar()->height() + 351);
    QCOMPARE(window.windowTitle(), QString("Whoopline - Version 1.0b - Quenby"));
    const QList<QSize> iconSizes = window.windowIcon().availableSizes();
    QVERIFY(iconSizes.contains(QSize(16, 16)) && iconSizes.contains(QSize(32, 32)));

    QStringList menus;
    for (QAction *top : window.menuBar()->actions()) {
        menus << top->text();
        for (QAction *item : top->menu()->actions())
            menus << (item->isSeparator() ? "-" : item->text() + item->shortcut().toString());
    }
    QCOMPARE(menus, QStringList({"&File", "&Open ROM File...", "&Save ROM File", "-", "&Exit",
                                 "&Help", "&About"}));
}

void MainWindowTest::exitEndsAtOnceWithoutAQuestion_data()
{
    QTest::addColumn<bool>("fromMenu");
    QTest::newRow("File > Exit") << true;
    QTest::newRow("close box") << false;
}

void MainWindowTest::exitEndsAtOnceWithoutAQuestion()
{
    QFETCH(bool, fromMenu);
    frmMain window;
    int dialogs = 0;
    window.showMessage = [&](QWidget *, QMessageBox::Icon, const QString &, const QString &) {
        ++dialogs;
    };
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    if (fromMenu)
        window.mnuExit->trigger();
    else
        QVERIFY(window.close());
    QVERIFY(!window.isVisible());
    QCOMPARE(dialogs, 0);
}

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
