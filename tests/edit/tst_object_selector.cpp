#include "current_object_edit.h"
#include "frm_object_selector.h"
#include "model_fixture.h"
#include "picture_fixture.h"
#include "selector_preview.h"
#include "track_invariants.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
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
        dialog.setMessageFunction([this](QWidget *, const QString &text) { messages.append(text); });
    }
    template <typename T> T *control(const char *name)
    {
        T *found = dialog.findChild<T *>(QLatin1String(name));
        return found ? found : (qFatal("no control %s", name), nullptr);
    }
    QString numberText() { return control<QLineEdit>("txtObjectNumber")->text(); }
    QLineEdit *length() { return control<QLineEdit>("txtLength"); }
    QListWidget *list() { return control<QListWidget>("lstObjectSelector"); }
    QImage preview() { return control<QLabel>("picBuffer")->pixmap().toImage(); }
    void pick(int index) { list()->setCurrentRow(index, QItemSelectionModel::ClearAndSelect); }
    void press(const char *button) { control<QPushButton>(button)->click(); }
    bool accepted() const { return dialog.result() == QDialog::Accepted; }

    frmObjectSelector dialog;
    QStringList messages;
};

} // namespace

class TestObjectSelector : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_romPath;
    QImage m_sheet = distinctSheet();
    ObjectSelectorState m_state;

private slots:
    void initTestCase() { m_romPath = imageWithDistinctPictures().write(m_dir); }
    void init()
    {
        SelectedObjectNumber = 0;
        SelectedLength = 0;
        m_state = {};
    }

    void catalogueTextsBeginWithTheirNumbers()
    {
        const auto numbers = ListObjectNumbers();
        Opening opening(m_state, m_sheet, m_romPath);
        QCOMPARE(opening.list()->count(), CatalogueSize);
        for (int i = 0; i < CatalogueSize; ++i) {
            const QString text = opening.list()->item(i)->text();
            QVERIFY2(text.startsWith(QStringLiteral("%1 ").arg(numbers[i], 2, 16, QLatin1Char('0'))
                                         .toUpper()), qPrintable(text));
            QVERIFY(numbers[i] == i || (i >= 36 && numbers[i] == i + (i < 38 ? 12 : 26)));
        }
        QCOMPARE(catalogueText(10), QStringLiteral("0A 6-block wide tall |\\ ramp"));
        QVERIFY(opening.list()->selectedItems().isEmpty());
    }

    // Opening over an object, then perhaps a pick: the number box, the length box, the preview.
    void showsTheObjectAndItsPicture_data()
    {
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("listIndex"); // -1: no pick
        QTest::addColumn<QString>("numberText");
        QTest::addColumn<QString>("lengthText");
        QTest::addColumn<int>("picture");
        QTest::newRow("marked 0x85") << 0x85 << 0 << -1 << "85" << "0" << 4;
        QTest::newRow("span 0x43 shows its base once") << 0x43 << 5 << -1 << "43" << "5" << 21;
        QTest::newRow("0x0A opened") << 0x0A << 0 << -1 << "0A" << "0" << 9;
        QTest::newRow("0A picked shows decimal") << 0x0A << 0 << 10 << "10" << "0" << 9;
        QTest::newRow("30 Nothing picked") << 0x05 << 3 << 36 << "48" << "3" << 0;
        QTest::newRow("31 Nothing picked") << 0x05 << 0 << 37 << "49" << "0" << 0;
        QTest::newRow("span picked") << 0x05 << 0 << 41 << "67" << "0" << 21;
    }
    void showsTheObjectAndItsPicture()
    {
        QFETCH(int, selected);
        QFETCH(int, length);
        QFETCH(int, listIndex);
        QFETCH(QString, numberText);
        QFETCH(QString, lengthText);
        QFETCH(int, picture);

        SelectedObjectNumber = selected;
        SelectedLength = length;
        Opening opening(m_state, m_sheet, m_romPath);
        if (listIndex >= 0)
            opening.pick(listIndex);
        QCOMPARE(opening.numberText(), numberText);
        QCOMPARE(opening.length()->text(), lengthText);
        QCOMPARE(opening.preview().convertToFormat(QImage::Format_RGB32), expectedPreview(picture));
        QCOMPARE(m_state.ChosenObjectNumber, listIndex < 0 ? 0 : ListObjectNumbers()[listIndex]);
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
        QTest::newRow("escape") << 40 << "12" << "escape" << true << 0x85 << 7;
        QTest::newRow("span, empty") << 40 << "" << "btnOk" << false << 0x85 << 7;
        QTest::newRow("span, letters") << 40 << "abc" << "btnOk" << false << 0x85 << 7;
        QTest::newRow("span, 256") << 38 << "256" << "btnOk" << false << 0x85 << 7;
        QTest::newRow("span, -1") << 44 << "-1" << "btnOk" << false << 0x85 << 7;
        QTest::newRow("span, 0") << 40 << "0" << "btnOk" << true << 0x42 << 0;
        QTest::newRow("span, 255") << 40 << "255" << "btnOk" << true << 0x42 << 255;
        QTest::newRow("one byte, empty") << 12 << "" << "btnOk" << true << 0x0C << 7;
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
        QVERIFY(QTest::qWaitForWindowExposed(&opening.dialog));
        opening.pick(listIndex);
        opening.length()->setText(text);
        if (how == "close")
            opening.dialog.close();
        else if (how == "escape")
            QTest::keyClick(&opening.dialog, Qt::Key_Escape);
        else
            opening.press(qPrintable(how));

        QCOMPARE(opening.dialog.isVisible(), !closes);
        QCOMPARE(SelectedObjectNumber, number);
        QCOMPARE(SelectedLength, length);
        const bool refused = !closes;
        QCOMPARE(opening.messages.size(), refused ? 1 : 0);
        QVERIFY(!refused || opening.messages.first().contains("length from 0 to 255"));
    }

    void windowKeepsItsShapeAndTabOrder()
    {
        Opening opening(m_state, m_sheet, m_romPath);
        QCOMPARE(opening.dialog.windowTitle(), QStringLiteral("Object Selector"));
        QCOMPARE(opening.dialog.minimumSize(), QSize(513, 257));
        QCOMPARE(opening.dialog.maximumSize(), QSize(513, 257));
        QVERIFY(!(opening.dialog.windowFlags() & Qt::WindowMinMaxButtonsHint));
        QVERIFY(opening.control<QLineEdit>("txtObjectNumber")->isReadOnly());
        opening.length()->setText(QStringLiteral("1234"));
        QCOMPARE(opening.length()->text(), QStringLiteral("123"));

        QWidget *widget = opening.control<QWidget>("txtObjectNumber");
        for (const char *name : {"txtObjectNumber", "lstObjectSelector", "txtLength", "btnCancel",
                                 "btnOk", "picBuffer"}) {
            QCOMPARE(widget->objectName(), QString::fromLatin1(name));
            do
                widget = widget->nextInFocusChain();
            while (widget->focusPolicy() == Qt::NoFocus || widget->parent() != &opening.dialog);
        }
    }

    void unreadableImageGivesABlackPreview()
    {
        QImage black(256, 256, QImage::Format_RGB32);
        black.fill(Qt::black);
        SelectedObjectNumber = 0x05;
        Opening opening(m_state, m_sheet, m_dir.filePath("gone.nes"));
        QCOMPARE(opening.preview().convertToFormat(QImage::Format_RGB32), black);
        QCOMPARE(view::ComposeSelectorPreview(0xC3, m_sheet, m_romPath), black); // no picture
    }

    // The "..." button's road: hand over the current object, open the selector, apply on OK.
    void editsTheCurrentObjectThroughTheSelector_data()
    {
        QTest::addColumn<ByteList>("before");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("listIndex");
        QTest::addColumn<QString>("button");
        QTest::addColumn<ByteList>("after");

        const ByteList marked = {b({0x85}), b({0x0C})};
        const ByteList spans = {b({0x05}), b({0x40, 0x03}), b({0x09})};
        QTest::newRow("cancel over a marked object") << marked << 0 << 9 << "btnCancel" << marked;
        QTest::newRow("cancel over a span") << spans << 1 << 12 << "btnCancel" << spans;
        QTest::newRow("marked object replaced")
            << marked << 0 << 9 << "btnOk" << ByteList{b({0x09}), b({0x0C})};
        QTest::newRow("span keeps its length when its kind changes")
            << spans << 1 << 41 << "btnOk" << ByteList{b({0x05}), b({0x43, 0x03}), b({0x09})};
    }
    void editsTheCurrentObjectThroughTheSelector()
    {
        QFETCH(ByteList, before);
        QFETCH(int, current);
        QFETCH(int, listIndex);
        QFETCH(QString, button);
        QFETCH(ByteList, after);

        track::TrackModel model = modelOf(before, current);
        const track::TrackModel untouched = model;
        const Status status = EditCurrentObject(model, distinctWidths(), [&] {
            Opening opening(m_state, m_sheet, m_romPath);
            opening.pick(listIndex);
            opening.press(qPrintable(button));
            return opening.accepted();
        });
        QVERIFY2(status.ok(), qPrintable(status.error()));
        QCOMPARE(bytesOf(model), after);
        QCOMPARE(model.CurrentObject, current);
        if (before == after)
            QCOMPARE(model.TrackObjects, untouched.TrackObjects);
        const QString violation = TrackInvariantViolation(model.TrackObjects, distinctWidths());
        QVERIFY2(violation.isEmpty(), qPrintable(violation));

        bool shown = false;
        track::TrackModel empty;
        QVERIFY(EditCurrentObject(empty, distinctWidths(), [&] { return shown = true; }).ok());
        QVERIFY(!shown);
    }

    void runShowsTheSelectorModally()
    {
        for (const char *button : {"btnOk", "btnCancel"}) {
            QTimer::singleShot(0, this, [button] {
                if (QWidget *modal = QApplication::activeModalWidget())
                    modal->findChild<QPushButton *>(QLatin1String(button))->click();
            });
            QCOMPARE(RunObjectSelector(nullptr, m_state, m_sheet, m_romPath),
                     qstrcmp(button, "btnOk") == 0);
        }
    }
};

QTEST_MAIN(TestObjectSelector)
#include "tst_object_selector.moc"
