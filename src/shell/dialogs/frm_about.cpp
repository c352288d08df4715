#include "shell/dialogs/frm_about.h"

#include "shell/window/app_fonts.h"

#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>

#include <algorithm>

namespace whoopline::shell {

namespace {

constexpr QSize ClientSize(399, 299);
constexpr QRect TextBoxGeometry(24, 224, 353, 65);
const QColor TextBoxBackground(64, 64, 64);
const QColor TextBoxForeground(255, 128, 128);

} // namespace

frmAbout::frmAbout(QWidget *parent)
    : QDialog(parent), m_background(QStringLiteral(":/shell/about.png"))
{
    setWindowTitle(QStringLiteral("About Whoopline"));
    setFont(windowFont());
    setFixedSize(ClientSize);
    setModal(true);

    txtAbout = new QPlainTextEdit(this);
    txtAbout->setObjectName(QStringLiteral("txtAbout"));
    txtAbout->setGeometry(TextBoxGeometry);
    txtAbout->setFont(valueFont());
    QPalette palette = txtAbout->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, TextBoxBackground);
        palette.setColor(group, QPalette::Text, TextBoxForeground);
    }
    txtAbout->setPalette(palette);
    txtAbout->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtAbout->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtAbout->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txtAbout->setPlainText(storedText());
    // Whole lines at every scale and font: what the box's height leaves over a whole number of
    // lines goes to the margin above the first, so the last line in view is never cut in two.
    const int inside = TextBoxGeometry.height() - 2 * txtAbout->frameWidth();
    const int line = txtAbout->fontMetrics().lineSpacing();
    txtAbout->document()->setDocumentMargin(std::max(1, (inside % line) / 2));

    // Centred on the screen rather than over the main window.
    if (QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

QString frmAbout::storedText()
{
    QFile file(QStringLiteral(":/shell/about.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

void frmAbout::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.fillRect(rect(), Qt::black);
    painter.drawImage(QRect(QPoint(0, 0), m_background.size()), m_background);
}

void frmAbout::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QDialog::mousePressEvent(event);
}

void frmAbout::mouseReleaseEvent(QMouseEvent *event)
{
    // A click is a press and a release on the window itself; presses in the text box stay there.
    const bool clicked = m_pressed && event->button() == Qt::LeftButton &&
                         rect().contains(event->position().toPoint());
    m_pressed = false;
    QDialog::mouseReleaseEvent(event);
    if (clicked)
        Form_Click();
}

void frmAbout::Form_Click()
{
    close();
}

} // namespace whoopline::shell
