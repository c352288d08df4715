#include "frm_main.h"
#include "picture_box.h"
#include "rectangle_shape.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QtTest>

using whoopline::shell::frmMain;

namespace {

const QRgb DarkGrey = qRgb(64, 64, 64);
const QRgb Green = qRgb(0, 255, 0);

QImage shown(QWidget *widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Clicks one arrow of a vertical scroll bar, wherever the style puts it.
void clickArrow(QScrollBar *bar, QStyle::SubControl arrow)
{
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.subControls = QStyle::SC_All;
    const QRect area = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, arrow, bar);
    QTest::mouseClick(bar, Qt::LeftButton, {}, area.center());
}

} // namespace

class MainWindowViewTest : public QObject
{
    Q_OBJECT

private slots:
    void startupShowsTheTitlePictureWithoutMarker();
    void pictureShowsOneToOneOverDarkGrey();
    void markerIsAOnePixelGreenOutline_data();
    void markerIsAOnePixelGreenOutline();
    void spinBarsShowTheirValue_data();
    void spinBarsShowTheirValue();
    void textFitsItsControl_data();
    void textFitsItsControl();
};

void MainWindowViewTest::startupShowsTheTitlePictureWithoutMarker()
{
    frmMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(!window.shpSelect->isVisible());

    const QImage title = QImage(":/shell/title.png").convertToFormat(QImage::Format_RGB32);
    QCOMPARE(title.size(), QSize(512, 256));
    QCOMPARE(window.picTrack->picture(), title);
    QCOMPARE(shown(window.picTrack), title);
}

void MainWindowViewTest::pictureShowsOneToOneOverDarkGrey()
{
    frmMain window;
    QImage picture(100, 50, QImage::Format_RGB32);
    picture.fill(qRgb(200, 10, 10));
    picture.setPixel(99, 49, qRgb(1, 2, 3));
    window.picTrack->setPicture(picture);

    const QImage view = shown(window.picTrack);
    QCOMPARE(view.size(), QSize(512, 256));
    QCOMPARE(view.pixel(0, 0), qRgb(200, 10, 10));
    QCOMPARE(view.pixel(99, 49), qRgb(1, 2, 3));
    QCOMPARE(view.pixel(100, 49), DarkGrey);
    QCOMPARE(view.pixel(99, 50), DarkGrey);
    QCOMPARE(view.pixel(511, 255), DarkGrey);
}

void MainWindowViewTest::markerIsAOnePixelGreenOutline_data()
{
    QTest::addColumn<int>("width");
    QTest::newRow("one block") << 16;
    QTest::newRow("three blocks") << 48;
    QTest::newRow("narrow") << 3;
}

void MainWindowViewTest::markerIsAOnePixelGreenOutline()
{
    QFETCH(int, width);
    frmMain window;
    QImage black(512, 256, QImage::Format_RGB32);
    black.fill(Qt::black);
    window.picTrack->setPicture(black);
    window.shpSelect->resize(width, 256);
    window.shpSelect->show();

    const QImage view = shown(window.picTrack);
    for (int y : {0, 128, 255}) {
        QCOMPARE(view.pixel(0, y), Green);
        QCOMPARE(view.pixel(width - 1, y), Green);
        QCOMPARE(view.pixel(width, y), qRgb(0, 0, 0));
    }
    QCOMPARE(view.pixel(width / 2, 0), Green);
    QCOMPARE(view.pixel(width / 2, 255), Green);
    QCOMPARE(view.pixel(width / 2, 1), qRgb(0, 0, 0));
    QCOMPARE(view.pixel(1, 128), qRgb(0, 0, 0));
}

void MainWindowViewTest::spinBarsShowTheirValue_data()
{
    QTest::addColumn<bool>("laps");
    QTest::addColumn<int>("setTo");
    QTest::addColumn<int>("lowerClicks");
    QTest::addColumn<int>("upperClicks");
    QTest::addColumn<QString>("text");
    QTest::newRow("track number set by the editor") << false << 4 << 0 << 0 << "4";
    QTest::newRow("lower arrow raises the track number") << false << 0 << 2 << 0 << "3";
    QTest::newRow("track number stops at 5") << false << 0 << 6 << 0 << "5";
    QTest::newRow("track number stops at 1") << false << 0 << 1 << 3 << "1";
    QTest::newRow("laps stop at 255") << true << 300 << 1 << 0 << "255";
    QTest::newRow("laps stop at 1") << true << 2 << 0 << 2 << "1";
}

void MainWindowViewTest::spinBarsShowTheirValue()
{
    QFETCH(bool, laps);
    QFETCH(int, setTo);
    QFETCH(int, lowerClicks);
    QFETCH(int, upperClicks);
    QFETCH(QString, text);
    frmMain window;
    window.SetControlsEnabled(&window, true);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QScrollBar *bar = laps ? window.scrLaps : window.scrLoadTrack;
    QLineEdit *box = laps ? window.txtLaps : window.txtLoadTrack;
    QCOMPARE(bar->value(), 1);
    QCOMPARE(box->text(), QString(laps ? "" : "1"));

    if (setTo != 0)
        bar->setValue(setTo);
    for (int i = 0; i < lowerClicks; ++i)
        clickArrow(bar, QStyle::SC_ScrollBarAddLine);
    for (int i = 0; i < upperClicks; ++i)
        clickArrow(bar, QStyle::SC_ScrollBarSubLine);

    QCOMPARE(box->text(), text);
    QCOMPARE(bar->value(), text.toInt());
}

void MainWindowViewTest::textFitsItsControl_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    for (const char *name :
         {"lblGeneral_0", "lblGeneral_1", "lblGeneral_2", "lblGeneral_3", "chkAlternative"})
        QTest::newRow(name) << name << QString();
    // The widest values the editor will show there.
    QTest::newRow("byte") << "lblCurrentObject"
                          << "$FF";
    QTest::newRow("length") << "lblLength"
                            << "255";
}

void MainWindowViewTest::textFitsItsControl()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    frmMain window;
    window.SetControlsEnabled(&window, true);
    auto *widget = window.findChild<QWidget *>(name);
    QVERIFY(widget != nullptr);
    if (!text.isEmpty())
        widget->setProperty("text", text);

    // The style pads a check box's height; its box and its text are what must fit.
    const int height = qobject_cast<QCheckBox *>(widget)
                           ? std::max(widget->style()->pixelMetric(QStyle::PM_IndicatorHeight),
                                      widget->fontMetrics().height())
                           : widget->sizeHint().height();
    QVERIFY2(widget->sizeHint().width() <= widget->width() && height <= widget->height(),
             qPrintable(QString("needs %1 x %2").arg(widget->sizeHint().width()).arg(height)));
}

QTEST_MAIN(MainWindowViewTest)
#include "tst_main_window_view.moc"
