#include "standard_dialogs.h"

#include "frm_about.h"

#include <QFileDialog>

namespace whoopline::shell {

QString chooseRomFile(QWidget *parent, const QString &directory)
{
    QFileDialog dialog(parent, QString::fromLatin1(OpenDialogTitle), directory);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // Only an existing file can be an image to edit; the dialog says so before the command runs.
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({QString::fromLatin1(RomFileFilter), QString::fromLatin1(AnyFileFilter)});
    dialog.selectNameFilter(QString::fromLatin1(RomFileFilter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void showMessageBox(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                    const QString &text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

void showAboutWindow(QWidget *parent)
{
    frmAbout about(parent);
    about.exec();
}

} // namespace whoopline::shell
