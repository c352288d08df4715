#pragma once

#include <QDialog>
#include <QImage>

class QPlainTextEdit;

namespace whoopline::shell {

// The About window: a picture with a scrolling text over its lower part. A click anywhere on
// the window outside the text box closes it; every new window shows the stored text afresh.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget *parent = nullptr);

    // The text as stored with the program, CR LF line ends included.
    static QString storedText();

    QPlainTextEdit *txtAbout = nullptr;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void Form_Click();

    QImage m_background;
    bool m_pressed = false;
};

} // namespace whoopline::shell
