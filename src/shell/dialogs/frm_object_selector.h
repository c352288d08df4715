#pragma once

#include "edit/object_catalogue.h"
#include "edit/selection_exchange.h"

#include <QDialog>
#include <QImage>
#include <QString>

#include <array>
#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace whoopline::shell {

// The modal dialog in which the user picks the object that replaces the current one. It shows
// SelectedObjectNumber and SelectedLength when it opens, with the list entry of that object
// selected, and overwrites them only on OK; Cancel and the close box leave them alone. OK
// without a pick hands back the object it opened over.
class frmObjectSelector : public QDialog
{
    Q_OBJECT

public:
    // Shows a message to the user; replaceable so that tests never block on a message box.
    using MessageFunction = std::function<void(QWidget *parent, const QString &text)>;

    frmObjectSelector(edit::ObjectSelectorState &state, const QImage &picGFX, const QString &romPath,
                      QWidget *parent = nullptr);

    void setMessageFunction(MessageFunction showMessage);

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

    edit::ObjectSelectorState &m_state;
    const QImage m_picGFX;
    const QString m_romPath;
    MessageFunction m_showMessage;
    std::array<int, edit::CatalogueSize> ListObjectNumbers{};
    bool m_picked = false; // whether the user picked an entry in this opening

    QLabel *picBuffer = nullptr;
    std::array<QLabel *, 2> lblGeneral{};
    QLineEdit *txtObjectNumber = nullptr;
    QListWidget *lstObjectSelector = nullptr;
    QLineEdit *txtLength = nullptr;
    QPushButton *btnCancel = nullptr;
    QPushButton *btnOk = nullptr;
};

// Opens the selector modally over parent and returns true when the user closed it with OK.
bool RunObjectSelector(QWidget *parent, edit::ObjectSelectorState &state, const QImage &picGFX,
                       const QString &romPath);

} // namespace whoopline::shell
