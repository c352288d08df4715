#include "frm_main.h"
#include "image_builder.h"
#include "picture_box.h"
#include "rectangle_shape.h"

#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QtTest>

#include <algorithm>
#include <set>
#include <tuple>

using whoopline::shell::frmMain;

namespace {

const QRgb DarkGrey = qRgb(64, 64, 64);
const QRgb Green = qRgb(0, 255, 0);
const QRgb Red = qRgb(200, 10, 10);

QImage shown(QWidget *widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A control's own flag: the marker inherits the track view's, which is not the switch's doing.
bool ownEnabled(const QObject *control)
{
    if (auto *action = qobject_cast<const QAction *>(control))
        return action->isEnabled();
    return !static_cast<const QWidget *>(control)->testAttribute(Qt::WA_ForceDisabled);
}

// Clicks one arrow of a vertical scroll bar, wherever the style puts it.
void clickArrow(QScrollBar *bar, QStyle::SubControl arrow)
{
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = option.sliderValue = bar->value();
    option.singleStep = option.pageStep = 1;
    option.subControls = QStyle::SC_All;
    const QRect area = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, arrow, bar);
    QTest::mouseClick(bar, Qt::LeftButton, {}, area.center());
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void switchReachesAllButFiveMenuItems_data()
    {
        QTest::addColumn<bool>("switched");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("start-up") << false << false;
        QTest::newRow("enable") << true << true;
        QTest::newRow("disable") << true << false;
    }
    // Found in the window itself, so a control the switch does not know about fails too.
    void switchReachesAllButFiveMenuItems()
    {
        QFETCH(bool, switched);
        QFETCH(bool, enabled);
        frmMain window;
        QList<QObject *> all;
        for (QWidget *widget : window.centralWidget()->findChildren<QWidget *>())
            all << widget;
        for (QAction *menu : window.menuBar()->actions()) {
            all << menu;
            for (QAction *item : menu->menu()->actions())
                all << item;
        }
        if (switched) {
            for (QObject *control : all)
                control->setProperty("enabled", !enabled);
            window.SetControlsEnabled(&window, enabled);
        }
        const std::set<QObject *> alone = {window.mnuFile, window.mnuOpen,  window.mnuExit,
                                           window.mnuHelp, window.mnuAbout, window.shpSelect};
        const std::set<QObject *> noStep = {window.mnuUndo, window.mnuRedo}; // nothing to undo
        for (QObject *control : all)
            QVERIFY2(ownEnabled(control) ==
                         (noStep.count(control) ? false : alone.count(control) ? !enabled : enabled),
                     qPrintable(control->objectName()));
    }

    // The picture 1:1 from the top-left corner over dark grey, the marker a 1-pixel outline.
    void trackViewShowsItsPictureUnderTheMarker()
    {
        frmMain window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.centralWidget()->size(), QSize(529, 351));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QVERIFY(!window.shpSelect->isVisible());
        QCOMPARE(shown(window.picTrack),
                 QImage(":/shell/title.png").convertToFormat(QImage::Format_RGB32));

        QImage picture(100, 50, QImage::Format_RGB32);
        picture.fill(Red);
        picture.setPixel(99, 49, qRgb(1, 2, 3));
        window.picTrack->setPicture(picture);
        window.shpSelect->resize(48, 256);
        window.shpSelect->show();
        const QImage view = shown(window.picTrack);
        const QList<std::tuple<int, int, QRgb>> pixels = {
            {0, 128, Green},    {47, 128, Green},   {24, 0, Green},          {24, 255, Green},
            {24, 1, Red},       {48, 0, Red},       {99, 49, qRgb(1, 2, 3)}, {100, 49, DarkGrey},
            {99, 50, DarkGrey}, {1, 128, DarkGrey}, {48, 255, DarkGrey},     {511, 255, DarkGrey}};
        for (const auto &[x, y, colour] : pixels)
            QVERIFY2(view.pixel(x, y) == colour, qPrintable(QString("at %1, %2").arg(x).arg(y)));
    }

    // The lower arrow raises the value; the text box beside each bar shows it.
    void spinBarsShowTheirValue()
    {
        frmMain window;
        window.SetControlsEnabled(&window, true);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.txtLaps->text(), ""); // until a track is loaded
        QCOMPARE(window.txtLoadTrack->text(), "1");
        const auto down = QStyle::SC_ScrollBarAddLine, up = QStyle::SC_ScrollBarSubLine;
        const QList<std::tuple<QScrollBar *, int, QStyle::SubControl, int, int>> steps = {
            {window.scrLoadTrack, 1, down, 2, 3}, {window.scrLoadTrack, 3, down, 4, 5},
            {window.scrLoadTrack, 5, up, 5, 1},   {window.scrLaps, 1, down, 2, 3},
            {window.scrLaps, 3, up, 3, 1},        {window.scrLaps, 254, down, 2, 255}};
        for (const auto &[bar, from, arrow, clicks, value] : steps) {
            bar->setValue(from);
            for (int i = 0; i < clicks; ++i)
                clickArrow(bar, arrow);
            QCOMPARE(bar->value(), value);
            QLineEdit *box = bar == window.scrLaps ? window.txtLaps : window.txtLoadTrack;
            QCOMPARE(box->text(), QString::number(value));
        }
    }

    // With the widest values the editor shows in the value labels.
    void textFitsItsControl()
    {
        frmMain window;
        window.SetControlsEnabled(&window, true);
        window.lblCurrentObject->setText("$FF");
        window.lblLength->setText("255");
        for (QWidget *widget :
             window.centralWidget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (!qobject_cast<QLabel *>(widget) && !qobject_cast<QCheckBox *>(widget))
                continue;
            // The style pads a check box's height; its box and its text are what must fit.
            const int height = qobject_cast<QCheckBox *>(widget) ? widget->fontMetrics().height()
                                                                 : widget->sizeHint().height();
            QVERIFY2(widget->sizeHint().width() <= widget->width() && height <= widget->height(),
                     qPrintable(widget->objectName()));
        }
    }

    void exitEndsAtOnceWithoutAQuestion()
    {
        frmMain window;
        int messages = 0;
        window.showMessage = [&](auto...) { ++messages; };
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.mnuExit->trigger();
        QVERIFY(!window.isVisible());
        QCOMPARE(messages, 0);
    }

    void openDialogOffersRomFilesFirst_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("cancel") << false;
        QTest::newRow("choose") << true;
    }
    void openDialogOffersRomFilesFirst()
    {
        QFETCH(bool, accept);
        QTemporaryDir dir;
        const QString path = whoopline::testing::writeFile(dir, "picked.nes", {});
        frmMain window;
        QStringList seen;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            seen << dialog->windowTitle() << dialog->nameFilters() << dialog->selectedNameFilter();
            QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile); // never a new file
            dialog->selectFile(path);
            accept ? static_cast<QDialog *>(dialog)->accept() : dialog->reject();
        });
        const QString chosen = window.chooseImageFile(&window);
        QCOMPARE(seen, QStringList({"Open ROM...", "NES ROM (*.nes)", "All files (*.*)",
                                    "NES ROM (*.nes)"}));
        QCOMPARE(chosen, accept ? path : QString());
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
