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

class AboutWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void storedTextHasItsFixedParts()
    {
        const QString text = frmAbout::storedText();
        QVERIFY2(!text.contains(QRegularExpression("[^\r]\n|\r[^\n]")), "every line ends in CR LF");
        const QStringList lines = text.split("\r\n");
        QCOMPARE(lines.mid(0, 2), QStringList({"Click anywhere to close...", ""}));
        QCOMPARE(text.count(QString(42, '=') + "\r\n " + QString(42, '-') + "\r\n"), 4);
        QVERIFY(lines.contains("Some things to take note of:"));
        QVERIFY(text.contains("$30") && text.contains("$31") && text.contains("alternative track"));
    }

    // No stored line wraps into a ragged paragraph, and the background is drawn 1:1.
    void windowShowsTheTextOverTheBackground()
    {
        frmAbout about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QPlainTextEdit *box = about.txtAbout;
        const qreal width = box->viewport()->width() - 2 * box->document()->documentMargin();
        for (const QString &line : frmAbout::storedText().split("\r\n"))
            QVERIFY2(box->fontMetrics().horizontalAdvance(line) <= width, qPrintable(line));
        const QImage background = QImage(":/shell/about.png").convertToFormat(QImage::Format_RGB32);
        const QImage window = about.grab().toImage().convertToFormat(QImage::Format_RGB32);
        for (QPoint p : {QPoint(0, 0), QPoint(200, 50), QPoint(398, 298), QPoint(10, 250)})
            QCOMPARE(window.pixel(p), background.pixel(p));
    }

    // Help > About, modal, shows the stored text from the first line; a click in the text box lets
    // the user type, a click on the picture beside it closes and destroys the window; the next one
    // is fresh. Clicks go to the window, which passes each to the control under it.
    void helpAboutShowsTheStoredTextAfresh()
    {
        frmMain window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        struct Shown
        {
            QPointer<frmAbout> about;
            QString text;
            int cursor = -1, scroll = -1;
        };
        auto open = [&](const std::function<void(frmAbout *)> &use) {
            Shown shown;
            QTimer::singleShot(0, [&] {
                auto *about = qobject_cast<frmAbout *>(QApplication::activeModalWidget());
                if (about == nullptr)
                    return;
                QPlainTextEdit *box = about->txtAbout;
                shown = {about, box->toPlainText(), box->textCursor().position(),
                         box->verticalScrollBar()->value()};
                use(about);
                if (about->isVisible())
                    about->reject();
            });
            window.mnuAbout->trigger();
            return shown;
        };
        bool stayedOpen = false, closed = false;
        const Shown first = open([&](frmAbout *about) {
            QTest::mouseClick(about->windowHandle(), Qt::LeftButton, {}, QPoint(30, 230));
            QTest::keyClicks(about->txtAbout, "scribble");
            stayedOpen = about->isVisible() && about->txtAbout->toPlainText().contains("scribble");
            QTest::mouseClick(about->windowHandle(), Qt::LeftButton, {}, QPoint(10, 260));
            closed = !about->isVisible();
        });
        QVERIFY(stayedOpen && closed);
        QVERIFY2(first.about.isNull(), "destroyed once closed");
        for (const Shown &shown : {first, open([](frmAbout *) {})}) {
            QCOMPARE(shown.text, frmAbout::storedText().replace("\r\n", "\n"));
            QCOMPARE(shown.cursor, 0);
            QCOMPARE(shown.scroll, 0);
        }
    }
};

QTEST_MAIN(AboutWindowTest)
#include "tst_about_window.moc"
