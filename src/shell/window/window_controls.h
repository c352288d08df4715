#pragma once

#include <QFont>
#include <QRect>
#include <QString>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QWidget;

// The kinds of control the main window is built of, each with its place and its settings.
namespace whoopline::shell {

QPushButton *makeButton(const QString &caption, QRect geometry, QWidget *parent);
QLabel *makeCaptionLabel(const QString &text, const QFont &font, QRect geometry, QWidget *parent);
// A value label in Courier New.
QLabel *makeValueLabel(QRect geometry, QWidget *parent);
// A read-only, centred number box in Courier New.
QLineEdit *makeNumberBox(const QString &text, QRect geometry, QWidget *parent);
// A vertical scroll bar no taller than its two arrows, used as a spin control: the lower arrow
// raises the value, by 1 within minimum..maximum.
QScrollBar *makeSpinBar(int minimum, int maximum, QRect geometry, QWidget *parent);
// A part of the status bar, named name, in the window's font.
QLabel *makeStatusPart(const char *name, QWidget *bar);

// The navigation keys press their buttons, so they follow the buttons' rules and do nothing while
// the buttons are disabled. They are the window's, whatever control has the focus; a text field
// keeps the keys it moves its cursor with.
// buttons: first, 10 back, back, forward, 10 forward, last.
void assignNavigationKeys(QWidget *window, const std::array<QPushButton *, 6> &buttons);

} // namespace whoopline::shell
