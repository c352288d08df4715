#include "frm_main.h"

#include <QFileDialog>
#include <QTemporaryDir>
#include <QtTest>

using whoopline::shell::frmMain;

class StandardDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void openDialogOffersRomFilesFirst_data();
    void openDialogOffersRomFilesFirst();
};

void StandardDialogsTest::openDialogOffersRomFilesFirst_data()
{
    QTest::addColumn<bool>("accept");
    QTest::newRow("cancel") << false;
    QTest::newRow("choose") << true;
}

void StandardDialogsTest::openDialogOffersRomFilesFirst()
{
    QFETCH(bool, accept);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("picked.nes");
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

    frmMain window;
    QString title;
    QStringList filters;
    QString selectedFilter;
    QFileDialog::FileMode mode = QFileDialog::Directory;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            return;
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        selectedFilter = dialog->selectedNameFilter();
        mode = dialog->fileMode();
        if (accept) {
            dialog->selectFile(path);
            static_cast<QDialog *>(dialog)->accept();
        } else {
            dialog->reject();
        }
    });

    const QString chosen = window.chooseImageFile(&window);

    QCOMPARE(title, QString("Open ROM..."));
    QCOMPARE(filters, QStringList({"NES ROM (*.nes)", "All files (*.*)"}));
    QCOMPARE(selectedFilter, QString("NES ROM (*.nes)"));
    QCOMPARE(mode, QFileDialog::ExistingFile);
    QCOMPARE(chosen, accept ? QFileInfo(path).absoluteFilePath() : QString());
}

QTEST_MAIN(StandardDialogsTest)
#include "tst_standard_dialogs.moc"
