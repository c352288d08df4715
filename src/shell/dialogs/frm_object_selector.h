#pragma once

#include "edit/object_catalogue.h"
#include "edit/current_object_edit.h"

#include <QDialog>
#include <QImage>
#include <QString>

#include <array>
#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace whoopline::shell {

// The modal dialog in which the user picks the object that replaces the current one. It opens
// showing a choice, with the list entry of its object selected. OK without a pick hands back the
// object it opened over; a one-byte object keeps the shown length when the typed one is no number.
class frmObjectSelector : public QDialog
{
    Q_OBJECT

public:
    // Shows a message to the user; replaceable so that tests never block on a message box.
    using MessageFunction = std::function<void(QWidget *parent, const QString &text)>;

    frmObjectSelector(const edit::ObjectChoice &shown, const QImage &picGFX, const QString &romPath,
                      QWidget *parent = nullptr);

    void setMessageFunction(MessageFunction showMessage);
    // What OK took: the object picked, or shown, and the length.
    const edit::ObjectChoice &choice() const { return m_choice; }

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    void lstObjectSelector_Click();
    void lstObjectSelector_ItemClicked();
    void lstObjectSelector_DblClick(QListWidgetItem *item);
    void btnOk_Click();
    void btnCancel_Click();

private:
    void buildControls();
    void Form_Load();
    void DrawSelectorPreview(int objectNumber);

    edit::ObjectChoice m_choice;
    int m_picked = 0; // the object number of the entry picked, else the one shown
    const QImage m_picGFX;
    const QString m_romPath;
    MessageFunction m_showMessage;
    std::array<int, edit::CatalogueSize> ListObjectNumbers{};
    bool m_hasPick = false; // whether the user picked an entry in this opening

    QLabel *picBuffer = nullptr;
    std::array<QLabel *, 2> lblGeneral{};
    QLineEdit *txtObjectNumber = nullptr;
    QListWidget *lstObjectSelector = nullptr;
    QLineEdit *txtLength = nullptr;
    QPushButton *btnCancel = nullptr;
    QPushButton *btnOk = nullptr;
};

// Opens the selector modally over parent showing shown; the choice when the user closed it with OK.
std::optional<edit::ObjectChoice> RunObjectSelector(QWidget *parent, const edit::ObjectChoice &shown,
                                                    const QImage &picGFX, const QString &romPath);

} // namespace whoopline::shell
