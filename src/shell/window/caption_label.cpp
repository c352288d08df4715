#include "shell/window/caption_label.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

namespace whoopline::shell {

CaptionLabel::CaptionLabel(const QString &text, QWidget *parent) : QLabel(text, parent) {}

bool CaptionLabel::overstrikes() const
{
    if (!font().bold())
        return false;
    const QFontInfo resolved(font());
    return !QFontDatabase::isSmoothlyScalable(resolved.family(), resolved.styleName());
}

// The overstrike widens every glyph by a pixel.
QSize CaptionLabel::sizeHint() const
{
    return QLabel::sizeHint() + QSize(overstrikes() ? int(text().size()) : 0, 0);
}

QSize CaptionLabel::minimumSizeHint() const
{
    return QLabel::minimumSizeHint() + QSize(overstrikes() ? int(text().size()) : 0, 0);
}

void CaptionLabel::paintEvent(QPaintEvent *event)
{
    if (!overstrikes()) {
        QLabel::paintEvent(event);
        return;
    }
    // Each glyph is drawn twice, one pixel apart, and advances one pixel further.
    const QFontMetrics metrics(font());
    const QString caption = text();
    const QSize size(metrics.horizontalAdvance(caption) + int(caption.size()), metrics.height());
    const QRect area = QStyle::alignedRect(layoutDirection(), alignment(), size, contentsRect());
    const QPalette::ColorGroup group = !isEnabled()       ? QPalette::Disabled
                                       : isActiveWindow() ? QPalette::Active
                                                          : QPalette::Inactive;
    QPainter painter(this);
    painter.setPen(palette().color(group, foregroundRole()));
    int x = area.left();
    const int baseline = area.top() + metrics.ascent();
    for (const QChar ch : caption) {
        painter.drawText(x, baseline, QString(ch));
        painter.drawText(x + 1, baseline, QString(ch));
        x += metrics.horizontalAdvance(ch) + 1;
    }
}

} // namespace whoopline::shell
