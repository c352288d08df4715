#include "shell/dialogs/standard_dialogs.h"

#include "shell/dialogs/frm_about.h"
#include "shell/window/name_only_icon_provider.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QGridLayout>
#include <QPushButton>

namespace whoopline::shell {

void prepareOpenDialog(QFileDialog &dialog, NameOnlyIconProvider &icons)
{
    dialog.setWindowTitle(QString::fromLatin1(OpenDialogTitle));
    // Qt's own dialog, so that it lists files with the provider below.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // Listing a folder never reads a file: reading some files never ends.
    dialog.setIconProvider(&icons);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // Only an existing file can be an image to edit; the dialog says so before the command runs.
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({QString::fromLatin1(RomFileFilter), QString::fromLatin1(AnyFileFilter)});
    dialog.selectNameFilter(QString::fromLatin1(RomFileFilter));
}

QString chooseRomFile(QWidget *parent, const QString &directory)
{
    NameOnlyIconProvider icons; // outlives the dialog, which uses it to the end
    QFileDialog dialog(parent);
    prepareOpenDialog(dialog, icons);
    if (!directory.isEmpty())
        dialog.setDirectory(directory);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

std::optional<int> askForObjectNumber(QWidget *parent, int current, int count)
{
    bool ok = false;
    const int number = QInputDialog::getInt(parent, QStringLiteral("Go to Object"),
                                            QStringLiteral("Object (1 to %1):").arg(count), current, 1, count, 1, &ok);
    return ok ? std::optional(number) : std::nullopt;
}

QString chooseTrackFileToOpen(QWidget *parent, const QString &directory)
{
    NameOnlyIconProvider icons;
    QFileDialog dialog(parent, QStringLiteral("Import Track"), directory);
    prepareOpenDialog(dialog, icons);
    dialog.setNameFilter(QStringLiteral("Whoopline track (*.track)"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

namespace {

// Qt's own dialog, which takes a check box below its fields.
void prepareSaveDialog(QFileDialog &dialog, NameOnlyIconProvider &icons,
                       const QString &suggestedPath, const QString &filter)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setIconProvider(&icons);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(filter);
    dialog.selectFile(suggestedPath);
}

QString chosenFile(QFileDialog &dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString chooseFileToSave(QWidget *parent, const QString &title, const QString &suggestedPath,
                         const QString &filter)
{
    NameOnlyIconProvider icons;
    QFileDialog dialog(parent, title);
    prepareSaveDialog(dialog, icons, suggestedPath, filter);
    return chosenFile(dialog);
}

PictureChoice chooseTrackPictureFile(QWidget *parent, const QString &suggestedPath)
{
    NameOnlyIconProvider icons;
    QFileDialog dialog(parent, QStringLiteral("Export Track Picture"));
    prepareSaveDialog(dialog, icons, suggestedPath, QStringLiteral("PNG picture (*.png)"));
    auto *mark = new QCheckBox(QStringLiteral("Mark alternative objects"), &dialog);
    mark->setObjectName(QStringLiteral("chkMarkAlternative"));
    if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout()))
        grid->addWidget(mark, grid->rowCount(), 0, 1, grid->columnCount());
    else
        dialog.layout()->addWidget(mark);
    const QString path = chosenFile(dialog);
    return {path, !path.isEmpty() && mark->isChecked()};
}

void showMessageBox(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                    const QString &text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

QMessageBox::StandardButton askSaveDiscardCancel(QWidget *parent, const QString &title,
                                                 const QString &text)
{
    QMessageBox box(QMessageBox::Question, title, text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    // Alt+S and Alt+D answer as the buttons do; Escape cancels.
    box.button(QMessageBox::Save)->setText(QStringLiteral("&Save"));
    box.button(QMessageBox::Discard)->setText(QStringLiteral("&Discard"));
    return QMessageBox::StandardButton(box.exec());
}

bool askActionOrCancel(QWidget *parent, const QString &title, const QString &text,
                       const QString &action)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Cancel, parent);
    QPushButton *goOn = box.addButton(action, QMessageBox::AcceptRole);
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    return box.clickedButton() == goOn;
}

void showAboutWindow(QWidget *parent)
{
    frmAbout about(parent);
    about.exec();
}

} // namespace whoopline::shell
