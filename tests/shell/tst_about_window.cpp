#include "frm_about.h"
#include "frm_main.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QtTest>

#include <functional>

using whoopline::shell::frmAbout;
using whoopline::shell::frmMain;

namespace {

QString shownText()
{
    return frmAbout::storedText().replace("\r\n", "\n");
}

// Runs check on the About window while Help > About holds it open, then makes sure it closes.
// Returns how many About windows the check saw.
int whileAboutIsOpen(frmMain &window, const std::function<void(frmAbout *)> &check)
{
    int seen = 0;
    QTimer::singleShot(0, [&] {
        auto *about = qobject_cast<frmAbout *>(QApplication::activeModalWidget());
        if (about == nullptr)
            return;
        ++seen;
        check(about);
        if (about->isVisible())
            about->reject();
    });
    window.mnuAbout->trigger();
    return seen;
}

} // namespace

class AboutWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void storedTextHasItsFixedParts();
    void windowLooksAsDesigned();
    void helpAboutShowsTheTextModallyAndDestroysTheWindow();
    void clickCloses_data();
    void clickCloses();
    void typedTextIsGoneNextTime();
};

void AboutWindowTest::storedTextHasItsFixedParts()
{
    const QString text = frmAbout::storedText();
    QVERIFY(!text.isEmpty());
    QVERIFY2(!text.contains(QRegularExpression("[^\r]\n|\r[^\n]")), "every line ends in CR LF");

    const QStringList lines = text.split("\r\n");
    QCOMPARE(lines.at(0), QString("Click anywhere to close..."));
    QCOMPARE(lines.at(1), QString());
    QVERIFY(lines.at(2).contains("1.0b"));

    const QString equals(42, '=');
    const QString dashes = " " + QString(42, '-');
    int separators = 0;
    for (int i = 0; i < lines.size(); ++i) {
        if (lines.at(i) != equals)
            continue;
        ++separators;
        QVERIFY(i + 1 < lines.size());
        QCOMPARE(lines.at(i + 1), dashes);
    }
    QCOMPARE(separators, 4);

    QVERIFY(lines.contains("Some things to take note of:"));
    QVERIFY(text.contains("$30") && text.contains("$31"));
    QVERIFY(text.contains("alternative track"));
    // The release date closes the text and also stands in the title block.
    QVERIFY(lines.last().startsWith("Released "));
    QVERIFY(lines.mid(2, 4).contains(lines.last()));
}

void AboutWindowTest::windowLooksAsDesigned()
{
    frmAbout about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QCOMPARE(about.size(), QSize(399, 299));
    QCOMPARE(about.minimumSize(), about.maximumSize());
    QCOMPARE(about.txtAbout->geometry(), QRect(24, 224, 353, 65));
    QVERIFY(!about.txtAbout->isReadOnly());
    // Every stored line fits the box's width, so none wraps into a ragged paragraph.
    QPlainTextEdit *box = about.txtAbout;
    const qreal width = box->viewport()->width() - 2 * box->document()->documentMargin();
    for (const QString &line : frmAbout::storedText().split("\r\n"))
        QVERIFY2(box->fontMetrics().horizontalAdvance(line) <= width, qPrintable(line));

    // The background picture fills the window from its top-left corner.
    const QImage background = QImage(":/shell/about.png").convertToFormat(QImage::Format_RGB32);
    QCOMPARE(background.size(), QSize(400, 300));
    const QImage window = about.grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (QPoint p : {QPoint(0, 0), QPoint(200, 50), QPoint(398, 298), QPoint(10, 250)})
        QCOMPARE(window.pixel(p), background.pixel(p));
}

void AboutWindowTest::helpAboutShowsTheTextModallyAndDestroysTheWindow()
{
    frmMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QString text;
    int cursor = -1;
    int scroll = -1;
    bool modal = false;
    QPointer<frmAbout> opened;
    const int seen = whileAboutIsOpen(window, [&](frmAbout *about) {
        opened = about;
        modal = about->isModal();
        text = about->txtAbout->toPlainText();
        cursor = about->txtAbout->textCursor().position();
        scroll = about->txtAbout->verticalScrollBar()->value();
        QTest::mouseClick(about, Qt::LeftButton, {}, QPoint(200, 100));
    });

    QCOMPARE(seen, 1);
    QVERIFY(modal);
    QCOMPARE(text, shownText());
    QCOMPARE(cursor, 0);
    QCOMPARE(scroll, 0);
    QVERIFY2(opened.isNull(), "the About window is destroyed once closed");
}

void AboutWindowTest::clickCloses_data()
{
    QTest::addColumn<bool>("inTextBox");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<bool>("closes");
    QTest::newRow("picture") << false << QPoint(200, 100) << true;
    QTest::newRow("picture beside the text box") << false << QPoint(10, 260) << true;
    QTest::newRow("text box") << true << QPoint(20, 20) << false;
    QTest::newRow("text box edge") << true << QPoint(1, 1) << false;
}

void AboutWindowTest::clickCloses()
{
    QFETCH(bool, inTextBox);
    QFETCH(QPoint, at);
    QFETCH(bool, closes);
    frmAbout about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));

    QWidget *target = inTextBox ? about.txtAbout->viewport() : static_cast<QWidget *>(&about);
    QTest::mouseClick(target, Qt::LeftButton, {}, at);

    QCOMPARE(about.isVisible(), !closes);
    if (inTextBox)
        QVERIFY(about.txtAbout->hasFocus());
}

void AboutWindowTest::typedTextIsGoneNextTime()
{
    frmMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QString typed;
    whileAboutIsOpen(window, [&](frmAbout *about) {
        QTest::mouseClick(about->txtAbout->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::keyClicks(about->txtAbout, "scribble");
        typed = about->txtAbout->toPlainText();
        QTest::mouseClick(about, Qt::LeftButton, {}, QPoint(5, 5));
    });
    QVERIFY(typed.contains("scribble"));

    QString again;
    const int seen =
        whileAboutIsOpen(window, [&](frmAbout *about) { again = about->txtAbout->toPlainText(); });
    QCOMPARE(seen, 1);
    QCOMPARE(again, shownText());
}

QTEST_MAIN(AboutWindowTest)
#include "tst_about_window.moc"
