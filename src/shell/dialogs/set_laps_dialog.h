#pragma once

#include "rom/result.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <optional>

class QLineEdit;

namespace whoopline::shell {

// Reads the laps a user typed: a whole number from 1 to 255, blanks around it allowed. Anything
// else is refused with a message that quotes the text.
Result<int> ParseLaps(const QString &text);

// The small dialog of Edit > Set Laps…: one line holding the laps, OK and Cancel. OK with text
// ParseLaps refuses shows the reason and keeps the dialog open with the text selected.
class frmSetLaps : public QDialog
{
    Q_OBJECT

public:
    // Shows a message to the user; replaceable so that tests never block on a message box.
    using MessageFunction = std::function<void(QWidget *parent, const QString &text)>;

    explicit frmSetLaps(int laps, QWidget *parent = nullptr);

    void setMessageFunction(MessageFunction showMessage);
    // The laps OK accepted; the laps the dialog opened with until then.
    int laps() const { return m_laps; }

private:
    void btnOk_Click();

    int m_laps;
    MessageFunction m_showMessage;
    QLineEdit *txtLaps = nullptr;
};

// Opens the dialog modally over parent with laps shown, and returns the laps typed on OK,
// nothing on Cancel.
std::optional<int> RunSetLaps(QWidget *parent, int laps);

} // namespace whoopline::shell
