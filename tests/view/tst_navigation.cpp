#include "navigation.h"

#include <QTest>

using whoopline::view::Navigate;
using whoopline::view::NavigationButton;

class TestNavigation : public QObject
{
    Q_OBJECT

private slots:
    void movesByWholeStepsOnly_data()
    {
        QTest::addColumn<NavigationButton>("button");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("expected");
        const auto row = [](const char *name, NavigationButton button, int current, int last, int expected) {
            QTest::newRow(name) << button << current << last << expected;
        };
        using B = NavigationButton;
        row("> 38 of 39", B::Forward, 38, 39, 39);
        row("> at the last", B::Forward, 39, 39, 39);
        row("< 2", B::Back, 2, 39, 1);
        row("< 1 reaches the first", B::Back, 1, 39, 0);
        row("< at the first", B::Back, 0, 39, 0);
        row(">> 28", B::Forward10, 28, 39, 38);
        row(">> 29 reaches the last", B::Forward10, 29, 39, 39);
        row(">> 30 would overshoot", B::Forward10, 30, 39, 30);
        row("<< 11", B::Back10, 11, 39, 1);
        row("<< 10 reaches the first", B::Back10, 10, 39, 0);
        row("<< 9 would overshoot", B::Back10, 9, 39, 9);
        row("|< from the middle", B::First, 17, 39, 0);
        row(">| from the middle", B::Last, 17, 39, 39);
        row(">| at the last", B::Last, 39, 39, 39);
        row(">> 0 of 10", B::Forward10, 0, 10, 10);
        row(">> 1 of 10", B::Forward10, 1, 10, 1);
        row(">> 0 of 9", B::Forward10, 0, 9, 0);
        row("> 9 of 10", B::Forward, 9, 10, 10);
        for (B button : {B::First, B::Back10, B::Back, B::Forward, B::Forward10, B::Last})
            QTest::addRow("one object, button %d", int(button)) << button << 0 << 0 << 0;
        for (B button : {B::First, B::Back, B::Forward, B::Last})
            QTest::addRow("no objects, button %d", int(button)) << button << 0 << -1 << 0;
    }
    void movesByWholeStepsOnly()
    {
        QFETCH(NavigationButton, button);
        QFETCH(int, current);
        QFETCH(int, last);
        QFETCH(int, expected);
        QCOMPARE(Navigate(button, current, last), expected);
    }
};

QTEST_GUILESS_MAIN(TestNavigation)
#include "tst_navigation.moc"
