// Every dialog and question of the editor, opened as the editor opens it, at the scale ctest sets
// (1 and 2) and with the fonts the editor registers: each fits a 1024 x 768 screen and shows all
// its buttons.
#include "edit/current_object_edit.h"
#include "shell/dialogs/frm_object_selector.h"
#include "shell/dialogs/frm_preferences.h"
#include "shell/dialogs/set_laps_dialog.h"
#include "shell/dialogs/standard_dialogs.h"
#include "shell/session/editor_settings.h"
#include "shell/window/app_fonts.h"

#include <QtTest>
#include <QtWidgets>

using namespace whoopline;

class DialogSizesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        shell::registerFontFamilies();
        QApplication::setFont(shell::windowFont());
    }

    void fitsTheScreen_data()
    {
        QTest::addColumn<QString>("dialog");
        for (const char *name : {"Preferences", "Set Laps", "Object Selector", "About", "Export Track Picture",
                                 "Overwrite question", "Unsaved edits question", "Warning"})
            QTest::newRow(name) << name;
    }
    void fitsTheScreen()
    {
        QFETCH(QString, dialog);
        QSize size;
        QStringList hidden;
        QTimer::singleShot(100, [&] {
            QWidget *shown = QApplication::activeModalWidget();
            QVERIFY(shown);
            size = shown->frameGeometry().size();
            for (QAbstractButton *button : shown->findChildren<QAbstractButton *>())
                if (qobject_cast<QPushButton *>(button) && (!button->isVisible() || !shown->rect().contains(QRect(button->mapTo(shown, QPoint()), button->size()))))
                    hidden << button->text();
            shown->close();
        });
        shell::EditorSettings settings;
        const QString question = QStringLiteral("Tracks 2 and 4 in “a rather long image name for a hack.nes” were changed by another program since they were loaded. Overwrite those changes?");
        if (dialog == "Preferences") shell::showPreferences(nullptr, settings, true);
        if (dialog == "Set Laps") shell::RunSetLaps(nullptr, 7);
        if (dialog == "Object Selector") shell::RunObjectSelector(nullptr, {}, QImage(4096, 16, QImage::Format_RGB32), QString());
        if (dialog == "About") shell::showAboutWindow(nullptr);
        if (dialog == "Export Track Picture") shell::chooseTrackPictureFile(nullptr, QDir::tempPath() + "/hills-track3.png");
        if (dialog == "Overwrite question") shell::askActionOrCancel(nullptr, "Whoopline", question, "&Overwrite");
        if (dialog == "Unsaved edits question") shell::askSaveDiscardCancel(nullptr, "Whoopline", "Save the changes to tracks 1, 2 and 5 of “hills.nes”?");
        if (dialog == "Warning") shell::showMessageBox(nullptr, QMessageBox::Warning, "Whoopline", question + " " + question);
        QVERIFY2(QRect(0, 0, 1024, 768).contains(QRect(QPoint(), size)), qPrintable(QString("%1 x %2").arg(size.width()).arg(size.height())));
        QCOMPARE(hidden, QStringList());
    }
};

QTEST_MAIN(DialogSizesTest)
#include "tst_dialog_sizes.moc"
