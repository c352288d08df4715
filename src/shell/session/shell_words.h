#pragma once

#include "rom/result.h"

#include <QString>
#include <QStringList>

namespace whoopline::shell {

// Splits a command line into words as a POSIX shell does, without running one and without any
// expansion: blanks separate words, '...' keeps everything literally, "..." keeps all but \",
// \\, \$ and \`, and a backslash elsewhere keeps the next character. On Windows the platform's
// own rules apply. An unclosed quote fails.
Result<QStringList> splitShellWords(const QString &line);

} // namespace whoopline::shell
