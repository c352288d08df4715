#pragma once

namespace whoopline::shell {

// Ignores the signal the system sends when a write passes the file-size limit (RLIMIT_FSIZE): such
// a write then fails with "File too large", which the save reports and rolls back, instead of the
// signal ending the editor with the image half written. Called once at start-up.
void ignoreFileSizeSignal();

} // namespace whoopline::shell
