#include "shell/actions/track_controller.h"

#include "document/image_document.h"
#include "shell/actions/action_making.h"
#include "track/track_layout.h"

#include <QAction>

namespace whoopline::shell {

namespace {

std::array<QAction *, 5> trackActions(QObject *owner)
{
    std::array<QAction *, 5> actions{};
    for (int track = 1; track <= track::TrackCount; ++track)
        actions[track - 1] = makeAction(owner, qPrintable(QStringLiteral("mnuTrack%1").arg(track)),
                                        QStringLiteral("Track &%1").arg(track));
    return actions;
}

} // namespace

TrackController::TrackController(const ActionContext &context, QObject *parent)
    : QObject(parent), mnuTrack(trackActions(this)),
      mnuNextTrack(makeAction(this, "mnuNextTrack", QStringLiteral("&Next Track"))),
      mnuPreviousTrack(makeAction(this, "mnuPreviousTrack", QStringLiteral("&Previous Track"))),
      m_context(context)
{
    for (int track = 1; track <= track::TrackCount; ++track)
        connect(mnuTrack[track - 1], &QAction::triggered, this, [this, track] { emit loadRequested(track); });
    // From no track shown, either way begins at track 1.
    const auto step = [this](int by) {
        const int shown = m_context.document.shownTrack();
        emit loadRequested(shown == 0 ? 1 : (shown - 1 + by + track::TrackCount) % track::TrackCount + 1);
    };
    connect(mnuNextTrack, &QAction::triggered, this, [step] { step(1); });
    connect(mnuPreviousTrack, &QAction::triggered, this, [step] { step(-1); });
    followDocument(context.document, this, [this] {
        for (QAction *item : mnuTrack)
            item->setEnabled(m_context.document.isOpen());
        mnuNextTrack->setEnabled(m_context.document.isOpen());
        mnuPreviousTrack->setEnabled(m_context.document.isOpen());
    });
}

} // namespace whoopline::shell
