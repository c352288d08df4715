#include "shell/dialogs/frm_object_selector.h"

#include "track/track_layout.h"
#include "view/selector_preview.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <algorithm>

namespace whoopline::shell {

using namespace edit;

namespace {

constexpr int ClientWidth = 513;
constexpr int ClientHeight = 257;
constexpr int LongestLengthText = 3;
constexpr int MaximumLength = 255; // a span's length is stored as one byte

const QString SelectorCaption = QStringLiteral("Object Selector");

void showInformation(QWidget *parent, const QString &text)
{
    QMessageBox::information(parent, SelectorCaption, text);
}

// Where the window font falls back to a scalable face (at a scale factor above 1), a few texts are
// wider than the room the design gives them. Such a control gets its face narrowed until the
// widest text fits; where everything fits, nothing changes.
void narrowToFit(QWidget *control, const std::function<int()> &widestText, int room)
{
    for (const auto stretch : {QFont::SemiCondensed, QFont::Condensed}) {
        if (widestText() <= room)
            return;
        QFont font = control->font();
        font.setStretch(stretch);
        control->setFont(font);
    }
}

// Two upper-case hexadecimal digits without prefix: 0x85 shows as 85, 0x0A as 0A.
QString hexDigits(int objectNumber)
{
    return QStringLiteral("%1").arg(objectNumber, 2, 16, QLatin1Char('0')).toUpper();
}

} // namespace

frmObjectSelector::frmObjectSelector(const ObjectChoice &shown, const QImage &picGFX,
                                     const QString &romPath, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_choice(shown), m_picGFX(picGFX), m_romPath(romPath), m_showMessage(showInformation)
{
    setObjectName(QStringLiteral("frmObjectSelector"));
    setWindowTitle(SelectorCaption);
    setFixedSize(ClientWidth, ClientHeight);
    buildControls();
    Form_Load();
}

void frmObjectSelector::setMessageFunction(MessageFunction showMessage)
{
    m_showMessage = std::move(showMessage);
}

void frmObjectSelector::buildControls()
{
    picBuffer = new QLabel(this);
    picBuffer->setObjectName(QStringLiteral("picBuffer"));
    picBuffer->setGeometry(0, 0, 256, 256);
    picBuffer->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picBuffer->setStyleSheet(QStringLiteral("background-color: black;"));
    picBuffer->setFocusPolicy(Qt::TabFocus);

    // The labels come before the text boxes, which overlap the labels' right ends and so must
    // lie on top of them.
    const QString labelTexts[] = {QStringLiteral("Object Number:"),
                                  QStringLiteral("Length (2-Byte Objects, (1 - 127):")};
    const QRect labelPlaces[] = {{264, 8, 129, 17}, {264, 120, 193, 17}};
    for (int i = 0; i < 2; ++i) {
        lblGeneral[i] = new QLabel(labelTexts[i], this);
        lblGeneral[i]->setObjectName(QStringLiteral("lblGeneral%1").arg(i));
        lblGeneral[i]->setGeometry(labelPlaces[i]);
    }

    txtObjectNumber = new QLineEdit(this);
    txtObjectNumber->setObjectName(QStringLiteral("txtObjectNumber"));
    txtObjectNumber->setGeometry(344, 8, 41, 19);
    txtObjectNumber->setReadOnly(true);

    lstObjectSelector = new QListWidget(this);
    lstObjectSelector->setObjectName(QStringLiteral("lstObjectSelector"));
    lstObjectSelector->setGeometry(264, 32, 241, 82);
    lstObjectSelector->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int i = 0; i < CatalogueSize; ++i)
        lstObjectSelector->addItem(catalogueText(i));

    txtLength = new QLineEdit(this);
    txtLength->setObjectName(QStringLiteral("txtLength"));
    txtLength->setGeometry(424, 120, 41, 19);
    txtLength->setMaxLength(LongestLengthText);

    // Each caption runs up to its text box, the entries across the list.
    for (const auto &[caption, box] :
         {std::pair(lblGeneral[0], txtObjectNumber), std::pair(lblGeneral[1], txtLength)})
        narrowToFit(
            caption,
            [label = caption] { return label->fontMetrics().horizontalAdvance(label->text()); },
            box->x() - caption->x());
    const int listRoom =
        lstObjectSelector->width() - 2 * lstObjectSelector->frameWidth() -
        style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, lstObjectSelector);
    narrowToFit(
        lstObjectSelector, [this] { return lstObjectSelector->sizeHintForColumn(0); }, listRoom);

    btnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setGeometry(392, 144, 57, 25);

    btnOk = new QPushButton(QStringLiteral("&Ok"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setGeometry(448, 144, 57, 25);
    // Enter presses OK; Escape is the dialog's own Cancel.
    btnOk->setDefault(true);

    setTabOrder(txtObjectNumber, lstObjectSelector);
    setTabOrder(lstObjectSelector, txtLength);
    setTabOrder(txtLength, btnCancel);
    setTabOrder(btnCancel, btnOk);
    setTabOrder(btnOk, picBuffer);

    // A selection change, not a change of the current row: giving the list the focus makes a
    // row current without selecting it, and that is no pick.
    connect(lstObjectSelector, &QListWidget::itemSelectionChanged, this,
            &frmObjectSelector::lstObjectSelector_Click);
    connect(lstObjectSelector, &QListWidget::itemClicked, this,
            &frmObjectSelector::lstObjectSelector_ItemClicked);
    connect(lstObjectSelector, &QListWidget::itemDoubleClicked, this,
            &frmObjectSelector::lstObjectSelector_DblClick);
    connect(btnOk, &QPushButton::clicked, this, &frmObjectSelector::btnOk_Click);
    connect(btnCancel, &QPushButton::clicked, this, &frmObjectSelector::btnCancel_Click);
}

void frmObjectSelector::showEvent(QShowEvent *event)
{
    if (const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}

void frmObjectSelector::Form_Load()
{
    const int shownNumber = m_choice.SelectedObjectNumber;
    DrawSelectorPreview(shownNumber);
    txtObjectNumber->setText(hexDigits(shownNumber));
    txtLength->setText(QString::number(m_choice.SelectedLength));
    ListObjectNumbers = edit::ListObjectNumbers();
    m_picked = shownNumber;
    // The entry of the object shown is selected by the editor, which is no pick; making it the
    // current row scrolls it into view.
    const int shown = track::isSpanCode(shownNumber) ? shownNumber : track::objectIdOf(shownNumber);
    const auto entry = std::find(ListObjectNumbers.cbegin(), ListObjectNumbers.cend(), shown);
    const QSignalBlocker noPick(lstObjectSelector);
    lstObjectSelector->clearSelection();
    if (entry != ListObjectNumbers.cend())
        lstObjectSelector->setCurrentRow(int(entry - ListObjectNumbers.cbegin()));
    // The arrows, Enter and Escape act on the list at once, without a click into it first.
    lstObjectSelector->setFocus();
}

void frmObjectSelector::lstObjectSelector_Click()
{
    const QList<QListWidgetItem *> selected = lstObjectSelector->selectedItems();
    if (selected.isEmpty())
        return;
    const int objectNumber = ListObjectNumbers.at(lstObjectSelector->row(selected.first()));
    DrawSelectorPreview(objectNumber);
    txtObjectNumber->setText(QString::number(objectNumber));
    m_picked = objectNumber;
    m_hasPick = true;
}

// A click on the entry the editor selected changes no selection, yet it is a pick.
void frmObjectSelector::lstObjectSelector_ItemClicked()
{
    if (!m_hasPick)
        lstObjectSelector_Click();
}

void frmObjectSelector::lstObjectSelector_DblClick(QListWidgetItem *item)
{
    // A pick even when the entry was selected already, then OK.
    lstObjectSelector->setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
    lstObjectSelector_Click();
    btnOk->click();
}

void frmObjectSelector::btnOk_Click()
{
    bool isNumber = false;
    const int length = txtLength->text().trimmed().toInt(&isNumber);
    if (track::isSpanCode(m_picked) && (!isNumber || length < 0 || length > MaximumLength)) {
        m_showMessage(this, QStringLiteral("A two-byte object needs a length from 0 to 255. "
                                           "Please enter its length in blocks of 16 pixels."));
        txtLength->setFocus();
        txtLength->selectAll();
        return;
    }
    m_choice.SelectedObjectNumber = m_picked;
    // A one-byte object ignores the length; text that is no number leaves the shown one standing.
    if (isNumber)
        m_choice.SelectedLength = length;
    accept();
}

void frmObjectSelector::btnCancel_Click()
{
    reject();
}

void frmObjectSelector::DrawSelectorPreview(int objectNumber)
{
    picBuffer->setPixmap(QPixmap::fromImage(view::ComposeSelectorPreview(objectNumber, m_picGFX,
                                                                         m_romPath)));
}

std::optional<ObjectChoice> RunObjectSelector(QWidget *parent, const ObjectChoice &shown,
                                              const QImage &picGFX, const QString &romPath)
{
    frmObjectSelector selector(shown, picGFX, romPath, parent);
    if (selector.exec() != QDialog::Accepted)
        return std::nullopt;
    return selector.choice();
}

} // namespace whoopline::shell
