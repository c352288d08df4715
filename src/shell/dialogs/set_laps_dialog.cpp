#include "shell/dialogs/set_laps_dialog.h"

#include "track/track_layout.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace whoopline::shell {

namespace {

const QString SetLapsCaption = QStringLiteral("Set Laps");

void showWarning(QWidget *parent, const QString &text)
{
    QMessageBox::warning(parent, SetLapsCaption, text);
}

} // namespace

Result<int> ParseLaps(const QString &text)
{
    bool isNumber = false;
    const int laps = text.trimmed().toInt(&isNumber, 10);
    if (isNumber && laps >= track::MinimumLaps && laps <= track::MaximumLaps)
        return laps;
    return Failure{QStringLiteral("The laps must be a whole number from %1 to %2, not \u201C%3\u201D.")
                       .arg(track::MinimumLaps)
                       .arg(track::MaximumLaps)
                       .arg(text.trimmed())};
}

frmSetLaps::frmSetLaps(int laps, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_laps(laps), m_showMessage(showWarning)
{
    setObjectName(QStringLiteral("frmSetLaps"));
    setWindowTitle(SetLapsCaption);
    txtLaps = new QLineEdit(QString::number(laps), this);
    txtLaps->setObjectName(QStringLiteral("txtLaps"));
    txtLaps->setMaxLength(16);
    txtLaps->selectAll();
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto *layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("&Laps (%1 - %2):").arg(track::MinimumLaps).arg(track::MaximumLaps),
                   txtLaps);
    layout->addRow(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(buttons, &QDialogButtonBox::accepted, this, &frmSetLaps::btnOk_Click);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void frmSetLaps::setMessageFunction(MessageFunction showMessage)
{
    m_showMessage = std::move(showMessage);
}

void frmSetLaps::btnOk_Click()
{
    const Result<int> typed = ParseLaps(txtLaps->text());
    if (!typed) {
        m_showMessage(this, typed.error());
        txtLaps->setFocus();
        txtLaps->selectAll();
        return;
    }
    m_laps = *typed;
    accept();
}

std::optional<int> RunSetLaps(QWidget *parent, int laps)
{
    frmSetLaps dialog(laps, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.laps();
}

} // namespace whoopline::shell
