#include "current_object_edit.h"
#include "frm_object_selector.h"
#include "image_builder.h"
#include "model_fixture.h"
#include "picture_tables.h"
#include "rom_layout.h"
#include "selector_preview.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace whoopline;
using namespace whoopline::edit;
using namespace whoopline::testing;

namespace {

// One opening of the selector, driven through its controls as a user would.
struct Opening
{
    Opening(ObjectSelectorState &state, const QImage &sheet, const QString &romPath)
        : dialog(state, sheet, romPath)
    {
        dialog.setMessageFunction(
            [this](QWidget *, const QString &text) { messages.append(text); });
    }
    template <typename T> T *control(const char *name) { return dialog.findChild<T *>(name); }
    QLineEdit *length() { return control<QLineEdit>("txtLength"); }
    QListWidget *list() { return control<QListWidget>("lstObjectSelector"); }
    void pick(int index) { list()->setCurrentRow(index, QItemSelectionModel::ClearAndSelect); }
    void press(const char *button) { control<QPushButton>(button)->click(); }

    frmObjectSelector dialog;
    QStringList messages;
};

} // namespace

class TestObjectSelector : public QObject
{
    Q_OBJECT

    // Picture p of the test image is block FirstBlock + p at (0, 16), and every block of the
    // sheet has a colour of its own, so a preview names the picture it shows.
    static constexpr int FirstBlock = 16;
    static QColor blockColour(int block) { return QColor(block, 255 - block, (block * 7) & 0xFF); }
    static QImage previewOf(int picture) // all black for -1
    {
        QImage preview(256, 256, QImage::Format_RGB32);
        preview.fill(Qt::black);
        if (picture >= 0)
            QPainter(&preview).fillRect(0, 16, 16, 16, blockColour(FirstBlock + picture));
        return preview;
    }

    QTemporaryDir m_dir;
    QString m_romPath;
    QImage m_sheet{rom::SheetWidth, rom::SheetHeight, QImage::Format_RGB32};
    ObjectSelectorState m_state;

private slots:
    void initTestCase()
    {
        QPainter painter(&m_sheet);
        for (int block = 0; block < rom::TileCount; ++block)
            painter.fillRect(block * rom::BlockSize, 0, rom::BlockSize, rom::BlockSize,
                             blockColour(block));
        ImageBuilder image;
        for (int p = 0; p < view::PictureCount; ++p)
            image.set(view::PictureStreamPosition + 3 * p, {1, FirstBlock + p, 0});
        m_romPath = image.write(m_dir);
    }
    void init()
    {
        SelectedObjectNumber = 0;
        SelectedLength = 0;
        m_state = {};
    }

    // Each row's text begins with the number it applies: 0..35, 48, 49, then the spans 64..70.
    void listOffersTheCatalogue()
    {
        Opening opening(m_state, m_sheet, m_romPath);
        for (int i = 0; i < CatalogueSize; ++i) {
            const int number = i < 36 ? i : i < 38 ? i + 12 : i + 26;
            QCOMPARE(ListObjectNumbers()[i], number);
            QCOMPARE(opening.list()->item(i)->text().left(3), QString::asprintf("%02X ", number));
        }
    }

    // Opening over an object, then perhaps a pick: the number box, the length box, the preview.
    void showsTheObjectAndItsPicture_data()
    {
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("listIndex"); // -1: no pick
        QTest::addColumn<QString>("numberText");
        QTest::addColumn<int>("picture");
        QTest::newRow("marked 0x85") << 0x85 << 0 << -1 << "85" << 4;
        QTest::newRow("span 0x43 shows its base once") << 0x43 << 5 << -1 << "43" << 21;
        QTest::newRow("0x0A opened") << 0x0A << 0 << -1 << "0A" << 9;
        QTest::newRow("30 Nothing picked shows decimal") << 0x05 << 3 << 36 << "48" << 0;
        QTest::newRow("number without a picture") << 0xC3 << 0 << -1 << "C3" << -1;
    }
    void showsTheObjectAndItsPicture()
    {
        QFETCH(int, selected);
        QFETCH(int, length);
        QFETCH(int, listIndex);
        QFETCH(QString, numberText);
        QFETCH(int, picture);

        SelectedObjectNumber = selected;
        SelectedLength = length;
        Opening opening(m_state, m_sheet, m_romPath);
        if (listIndex >= 0)
            opening.pick(listIndex);
        QCOMPARE(opening.control<QLineEdit>("txtObjectNumber")->text(), numberText);
        QCOMPARE(opening.length()->text(), QString::number(length));
        const QImage preview = opening.control<QLabel>("picBuffer")->pixmap().toImage();
        QCOMPARE(preview.convertToFormat(QImage::Format_RGB32), previewOf(picture));
        QCOMPARE(m_state.ChosenObjectNumber, listIndex < 0 ? 0 : ListObjectNumbers()[listIndex]);
    }

    void previewStaysBlackWhenTheImageIsGone()
    {
        const QString gone = m_dir.filePath("gone.nes");
        QCOMPARE(view::ComposeSelectorPreview(5, m_sheet, gone), previewOf(-1));
    }

    void okWithoutPickAppliesTheLastPick()
    {
        SelectedObjectNumber = 0x85;
        Opening(m_state, m_sheet, m_romPath).press("btnOk");
        QCOMPARE(SelectedObjectNumber, 0);

        Opening cancelled(m_state, m_sheet, m_romPath);
        cancelled.pick(9);
        cancelled.press("btnCancel");
        QCOMPARE(SelectedObjectNumber, 0);

        // Tabbing into the list makes a row current without selecting it: that is no pick.
        Opening later(m_state, m_sheet, m_romPath);
        later.dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&later.dialog));
        later.list()->setFocus(Qt::TabFocusReason);
        QCOMPARE(later.list()->currentRow(), 0);
        later.press("btnOk");
        QCOMPARE(SelectedObjectNumber, 9);
    }

    // How the dialog closes decides what reaches the exchange; a span needs a length 0..255.
    void closingDecidesTheExchange_data()
    {
        QTest::addColumn<int>("listIndex");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("length");
        QTest::newRow("cancel") << 40 << "12" << "btnCancel" << true << 0x85 << 7;
        QTest::newRow("close box") << 40 << "12" << "close" << true << 0x85 << 7;
        QTest::newRow("span, empty") << 40 << "" << "btnOk" << false << 0x85 << 7;
        QTest::newRow("span, letters") << 40 << "abc" << "btnOk" << false << 0x85 << 7;
        QTest::newRow("span, 256") << 38 << "256" << "btnOk" << false << 0x85 << 7;
        QTest::newRow("span, -1") << 44 << "-1" << "btnOk" << false << 0x85 << 7;
        QTest::newRow("span, 0") << 40 << "0" << "btnOk" << true << 0x42 << 0;
        QTest::newRow("span, 255") << 40 << "255" << "btnOk" << true << 0x42 << 255;
        QTest::newRow("one byte, letters") << 12 << "x" << "btnOk" << true << 0x0C << 7;
        QTest::newRow("one byte, number") << 12 << "300" << "btnOk" << true << 0x0C << 300;
    }
    void closingDecidesTheExchange()
    {
        QFETCH(int, listIndex);
        QFETCH(QString, text);
        QFETCH(QString, how);
        QFETCH(bool, closes);
        QFETCH(int, number);
        QFETCH(int, length);

        SelectedObjectNumber = 0x85;
        SelectedLength = 7;
        Opening opening(m_state, m_sheet, m_romPath);
        opening.dialog.show();
        opening.pick(listIndex);
        opening.length()->setText(text);
        if (how == "close")
            opening.dialog.close();
        else
            opening.press(qPrintable(how));

        QCOMPARE(opening.dialog.isVisible(), !closes);
        QCOMPARE(SelectedObjectNumber, number);
        QCOMPARE(SelectedLength, length);
        QCOMPARE(opening.messages.size(), closes ? 0 : 1);
        QVERIFY(closes || opening.messages.first().contains("length from 0 to 255"));
    }

    // The "..." button's road: hand over the current object, show the selector modally, and
    // replace the object only on OK.
    void editsTheCurrentObjectThroughTheSelector()
    {
        const ByteList before = {b({0x85}), b({0x40, 0x03}), b({0x09})};
        track::TrackModel model = modelOf(before, 0);
        const auto choose = [&](int listIndex, const char *button) {
            QTimer::singleShot(0, this, [=] {
                if (QWidget *modal = QApplication::activeModalWidget()) {
                    modal->findChild<QListWidget *>()->setCurrentRow(listIndex);
                    modal->findChild<QPushButton *>(button)->click();
                }
            });
            return EditCurrentObject(model, distinctWidths(), [&] {
                return RunObjectSelector(nullptr, m_state, m_sheet, m_romPath);
            });
        };
        QVERIFY(choose(9, "btnCancel").ok());
        QCOMPARE(model.TrackObjects, modelOf(before, 0).TrackObjects); // the mark included
        model.CurrentObject = 1; // a span keeps its length when its kind changes
        QVERIFY(choose(41, "btnOk").ok());
        QCOMPARE(bytesOf(model), (ByteList{b({0x85}), b({0x43, 0x03}), b({0x09})}));
    }
};

QTEST_MAIN(TestObjectSelector)
#include "tst_object_selector.moc"
