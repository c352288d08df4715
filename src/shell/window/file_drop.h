#pragma once

#include <QString>

class QMimeData;

namespace whoopline::shell {

// The one local file that data carries, or "" for none, several or a remote one: what a drop on
// the window opens.
QString SingleLocalFile(const QMimeData *data);

} // namespace whoopline::shell
