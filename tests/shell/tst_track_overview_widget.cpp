#include "shell/trackview/track_overview_widget.h"
#include "view/strip_layout.h"

#include <QHelpEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

using namespace whoopline;

// chosen: by the press, then by a drag 1 and 4 pixels on.
struct Choosing { int current, scrolled, x; QList<int> chosen; };
Q_DECLARE_METATYPE(Choosing)

class TestOverviewStrip : public QObject
{
    Q_OBJECT

private slots:
    // 200 objects 32 wide, 4 pixels each in the overview, in a strip 200 wide whose stretch
    // was last shown from object 100 (overview x 400..464, scrolled to 264).
    void followsTheStretchAndChooses_data()
    {
        QTest::addColumn<Choosing>("row");
        QTest::newRow("first") << Choosing{0, 0, 10, {2, 3}};
        QTest::newRow("stays in sight") << Choosing{90, 264, 10, {68, 69}};
        QTest::newRow("left of the strip") << Choosing{50, 200, 3, {50, 51}};
        QTest::newRow("last") << Choosing{199, 600, 195, {198, 199}};
    }
    void followsTheStretchAndChooses()
    {
        QFETCH(Choosing, row);
        const auto &[current, scrolled, x, chosen] = row;
        shell::TrackOverviewWidget strip;
        strip.resize(200, strip.minimumSizeHint().height());
        strip.show();
        QVERIFY(QTest::qWaitForWindowExposed(&strip));
        const track::TrackObjectList objects(200, {1, QByteArray(1, 1), 32, false});
        QList<qint64> drawn;
        strip.setDrawer([&](qint64 from, qint64 to) {
            drawn << from << to;
            QImage picture(int(std::clamp<qint64>(to, 0, 400) - from) * 2, 32, QImage::Format_RGB32);
            return view::TrackOverviewPicture{picture, view::TrackObjectLefts(objects), 2, from, 400};
        });
        QList<int> details;
        strip.setDetails([&](int index) { return details << index, QString::number(index); });
        strip.setCurrent(100, 512);
        strip.setCurrent(current, 512);
        QCOMPARE(strip.horizontalScrollBar()->value(), scrolled);
        // Drawn: the columns in sight at least.
        QVERIFY(drawn.at(drawn.size() - 2) <= scrolled / 2);
        QVERIFY(drawn.last() >= (scrolled + 200) / 2);
        QSignalSpy spy(&strip, &shell::TrackOverviewWidget::objectChosen);
        QTest::mousePress(strip.viewport(), Qt::LeftButton, {}, QPoint(x, 5));
        for (int on : {1, 4}) {
            QMouseEvent move(QEvent::MouseMove, QPointF(x + on, 5), strip.viewport()->mapToGlobal(QPointF(x + on, 5)),
                             Qt::NoButton, Qt::LeftButton, {});
            QCoreApplication::sendEvent(strip.viewport(), &move);
        }
        QHelpEvent help(QEvent::ToolTip, QPoint(x, 5), strip.viewport()->mapToGlobal(QPoint(x, 5)));
        QCoreApplication::sendEvent(strip.viewport(), &help);
        QCOMPARE(std::tuple(QList({spy.at(0).at(0).toInt(), spy.at(spy.size() - 1).at(0).toInt(), int(spy.size())}), details), std::tuple(chosen + QList{2}, QList{chosen[0]}));
    }
};

QTEST_MAIN(TestOverviewStrip)
#include "tst_track_overview_widget.moc"
