#pragma once

#include <QDialog>

class QFormLayout;
class QLineEdit;

namespace whoopline::shell {

class EditorSettings;

// Edit > Preferences...: the emulator command of the play test. OK keeps what it shows in the
// settings; Cancel keeps nothing.
class frmPreferences : public QDialog
{
    Q_OBJECT

public:
    explicit frmPreferences(EditorSettings &settings, QWidget *parent = nullptr);

    // Puts the keyboard focus on the emulator command, all of it selected, as the play test
    // asks when no command is set.
    void focusEmulatorCommand();

    QLineEdit *txtEmulatorCommand = nullptr;

    // Further choices go into this form, one row each.
    QFormLayout *form() const { return m_form; }

    void accept() override;

private:
    EditorSettings &m_settings;
    QFormLayout *m_form = nullptr;
};

// Shows Preferences modally over parent; true when the user chose OK.
bool showPreferences(QWidget *parent, EditorSettings &settings, bool focusEmulatorCommand);

} // namespace whoopline::shell
