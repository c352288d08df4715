#pragma once

#include "shell/actions/action_context.h"

#include <QObject>

#include <array>

class QAction;

namespace whoopline::shell {

// The Track menu: Track 1 ... Track 5, Next Track and Previous Track, each asking for its track
// to be loaded as the Load button loads it.
class TrackController : public QObject
{
    Q_OBJECT

public:
    TrackController(const ActionContext &context, QObject *parent);

    const std::array<QAction *, 5> mnuTrack;
    QAction *const mnuNextTrack;
    QAction *const mnuPreviousTrack;

signals:
    // The user chose track 1..5 to be loaded.
    void loadRequested(int track);

private:
    const ActionContext m_context;
};

} // namespace whoopline::shell
