#include "shell/dialogs/frm_preferences.h"

#include "shell/session/editor_settings.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace whoopline::shell {

frmPreferences::frmPreferences(EditorSettings &settings, QWidget *parent)
    : QDialog(parent), m_settings(settings)
{
    setWindowTitle(QStringLiteral("Preferences"));
    // An editable list: the emulators found on the PATH, each with its %f form, or any command.
    auto *emulators = new QComboBox(this);
    emulators->setObjectName(QStringLiteral("cboEmulatorCommand"));
    emulators->setEditable(true);
    emulators->setInsertPolicy(QComboBox::NoInsert);
    for (const char *program : {"fceux", "mesen", "nestopia", "punes", "mednafen", "ares"})
        if (!QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty())
            emulators->addItem(QStringLiteral("%1 %f").arg(QString::fromLatin1(program)));
    emulators->setCurrentText(settings.get(Settings::EmulatorCommand));
    txtEmulatorCommand = emulators->lineEdit();
    txtEmulatorCommand->setObjectName(QStringLiteral("txtEmulatorCommand"));
    // Room for 48 characters, measured on text: the window's bitmap font reports an average
    // character width of hundreds of pixels, which once made the dialog 29,449 pixels wide.
    emulators->setMinimumWidth(emulators->fontMetrics().horizontalAdvance(QString(48, u'x')));
    txtEmulatorCommand->setPlaceholderText(QStringLiteral("myemulator --fullscreen %f"));

    auto *hint = new QLabel(
        QStringLiteral("File > Play Test writes the image with its unsaved edits to a temporary "
                       "file and starts this command on it. Write %f where the file's path goes; "
                       "without %f the path comes last. Quote arguments with spaces as in a "
                       "shell; the command is not run by a shell."),
        this);
    hint->setWordWrap(true);

    m_form = new QFormLayout;
    auto *commandLabel = new QLabel(QStringLiteral("&Emulator command:"), this);
    commandLabel->setBuddy(emulators);
    m_form->addRow(commandLabel, emulators);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(m_form);
    layout->addWidget(hint);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    hint->setFixedWidth(m_form->sizeHint().width());
}

void frmPreferences::focusEmulatorCommand()
{
    txtEmulatorCommand->setFocus(Qt::OtherFocusReason);
    txtEmulatorCommand->selectAll();
}

void frmPreferences::accept()
{
    m_settings.set(Settings::EmulatorCommand, txtEmulatorCommand->text().trimmed());
    QDialog::accept();
}

bool showPreferences(QWidget *parent, EditorSettings &settings, bool focusEmulatorCommand)
{
    frmPreferences dialog(settings, parent);
    if (focusEmulatorCommand)
        dialog.focusEmulatorCommand();
    return dialog.exec() == QDialog::Accepted;
}

} // namespace whoopline::shell
