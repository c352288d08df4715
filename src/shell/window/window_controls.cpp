#include "shell/window/window_controls.h"

#include "shell/window/app_fonts.h"
#include "shell/window/caption_label.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>

namespace whoopline::shell {

QPushButton *makeButton(const QString &caption, QRect geometry, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setGeometry(geometry);
    b->setAutoDefault(false);
    return b;
}

QLabel *makeCaptionLabel(const QString &text, const QFont &font, QRect geometry, QWidget *parent)
{
    auto *l = new CaptionLabel(text, parent);
    l->setFont(font);
    l->setGeometry(geometry);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

QLabel *makeValueLabel(QRect geometry, QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setFont(valueFont());
    l->setGeometry(geometry);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

QLineEdit *makeNumberBox(const QString &text, QRect geometry, QWidget *parent)
{
    auto *t = new QLineEdit(text, parent);
    t->setFont(valueFont());
    t->setGeometry(geometry);
    t->setReadOnly(true);
    t->setAlignment(Qt::AlignCenter);
    return t;
}

QScrollBar *makeSpinBar(int minimum, int maximum, QRect geometry, QWidget *parent)
{
    auto *s = new QScrollBar(Qt::Vertical, parent);
    s->setGeometry(geometry);
    s->setRange(minimum, maximum);
    s->setSingleStep(1);
    s->setPageStep(1);
    s->setValue(minimum);
    return s;
}

QLabel *makeStatusPart(const char *name, QWidget *bar)
{
    auto *part = new QLabel(bar);
    part->setObjectName(QString::fromLatin1(name));
    part->setFont(windowFont());
    return part;
}

void assignNavigationKeys(QWidget *window, const std::array<QPushButton *, 6> &buttons)
{
    const struct
    {
        QPushButton *button;
        Qt::Key key;
        const char *tip;
    } navigation[] = {
        {buttons[0], Qt::Key_Home, "First object (Home)"},
        {buttons[1], Qt::Key_PageUp, "10 objects back (Page Up)"},
        {buttons[2], Qt::Key_Left, "Previous object (Left)"},
        {buttons[3], Qt::Key_Right, "Next object (Right)"},
        {buttons[4], Qt::Key_PageDown, "10 objects forward (Page Down)"},
        {buttons[5], Qt::Key_End, "Last object (End)"},
    };
    for (const auto &[target, key, tip] : navigation) {
        auto *shortcut = new QShortcut(QKeySequence(key), window);
        QObject::connect(shortcut, &QShortcut::activated, target, &QPushButton::click);
        target->setToolTip(QString::fromLatin1(tip));
    }
}

} // namespace whoopline::shell
