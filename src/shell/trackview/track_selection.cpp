#include "shell/trackview/track_selection.h"

#include "edit/object_selection.h"
#include "shell/trackview/picture_box.h"
#include "shell/window/frm_main.h"
#include "shell/window/rectangle_shape.h"
#include "shell/window/window_controls.h"
#include "view/strip_layout.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>

namespace whoopline::shell {

namespace {

// A tint over the selected objects' room; the picture shows through it.
class RunHighlight : public QWidget
{
public:
    explicit RunHighlight(QWidget *parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter(this).fillRect(rect(), QColor(64, 160, 255, 96));
    }
};

} // namespace

TrackSelection::TrackSelection(frmMain &window)
    : QObject(&window), m_window(window), m_highlight(new RunHighlight(window.picTrack)),
      m_status(makeStatusPart("lblSelection", window.statusBar()))
{
    m_highlight->setObjectName(QStringLiteral("shpSelection"));
    m_highlight->hide();
    m_highlight->stackUnder(window.shpSelect); // the current object's frame stays on top
    // After the file name, the track and the object.
    window.statusBar()->insertPermanentWidget(3, m_status);
    m_status->hide();
    window.picTrack->installEventFilter(this);

    // Shift with a navigation key follows that key's button: nothing while it is disabled.
    const struct
    {
        QPushButton *button;
        Qt::Key key;
        view::NavigationButton step;
    } keys[] = {{window.btnPrevBeginning, Qt::Key_Home, view::NavigationButton::First},
                {window.btnPrev, Qt::Key_Left, view::NavigationButton::Back},
                {window.btnNext, Qt::Key_Right, view::NavigationButton::Forward},
                {window.btnNextEnd, Qt::Key_End, view::NavigationButton::Last}};
    for (const auto &[button, key, step] : keys) {
        auto *shortcut = new QShortcut(QKeySequence(Qt::SHIFT | key), &window);
        connect(shortcut, &QShortcut::activated, this, [this, button, step] {
            const track::TrackModel &shown = m_window.document().track();
            if (button->isEnabled() && shown.isLoaded())
                m_window.document().setCurrentObject(
                    view::Navigate(step, shown.CurrentObject, shown.lastIndex()), true);
        });
    }

    const document::ImageDocument *doc = &window.document();
    connect(doc, &document::ImageDocument::selectionChanged, this, &TrackSelection::showSelection);
}

bool TrackSelection::eventFilter(QObject *watched, QEvent *event)
{
    const auto type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease)
        return QObject::eventFilter(watched, event);
    const auto *mouse = static_cast<QMouseEvent *>(event);
    document::ImageDocument &doc = m_window.document();
    if (type == QEvent::MouseButtonRelease || mouse->button() == Qt::RightButton) {
        m_dragging = false;
        return false;
    }
    const auto extendTo = [&] {
        const int hit = view::ObjectAtStripX(m_pressedStrip, mouse->position().toPoint().x());
        if (hit >= 0 && hit != doc.track().CurrentObject)
            doc.setCurrentObject(hit, true);
    };
    if (type == QEvent::MouseMove) {
        if (m_dragging)
            extendTo();
        return false;
    }
    if (mouse->button() != Qt::LeftButton || !m_window.picTrack->isEnabled())
        return false;
    m_dragging = true;
    m_pressedStrip = doc.track();
    if (!mouse->modifiers().testFlag(Qt::ShiftModifier))
        return false; // the window's click makes the object current alone
    extendTo();
    return true;
}

void TrackSelection::showSelection()
{
    const edit::TrackEditState &state = m_window.document().shownState();
    const edit::ObjectRun run = edit::SelectedRun(state);
    const bool several = run.count > 1;
    m_status->setText(several ? edit::SelectionText(state) : QString());
    m_status->setVisible(several);
    if (several) {
        // The strip begins at the current object, which is one end of the run.
        const track::TrackModel &model = state.track;
        qint64 right = 0;
        for (int i = model.CurrentObject; i <= std::min(run.last(), view::LastDrawnIndex(model)); ++i)
            right += view::StripAdvance(model.TrackObjects.at(i));
        m_highlight->setGeometry(0, 0, int(std::min<qint64>(right, m_window.picTrack->width())),
                                 m_window.picTrack->height());
    }
    m_highlight->setVisible(several);
}

} // namespace whoopline::shell
