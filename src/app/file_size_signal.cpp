#include "app/file_size_signal.h"

#include <csignal>

namespace whoopline::shell {

void ignoreFileSizeSignal()
{
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

} // namespace whoopline::shell
