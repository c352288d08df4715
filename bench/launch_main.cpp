// Starts a program once as a whole process and prints "<start-up ns> <peak memory KiB>": the
// processor time the program reports in its "shown <ns>" line, and the peak resident memory the
// kernel reports for it. Deliberately free of Qt and small, because a child inherits the peak
// memory of the process that starts it.
// Usage: whoopline-bench-launch PROGRAM [ARGUMENT...]

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "Usage: %s PROGRAM [ARGUMENT...]\n", argv[0]);
        return 2;
    }
    int out[2];
    if (pipe(out) != 0) {
        std::perror("pipe");
        return 1;
    }
    const pid_t child = fork();
    if (child < 0) {
        std::perror("fork");
        return 1;
    }
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execv(argv[1], argv + 1);
        std::perror(argv[1]);
        _exit(127);
    }
    close(out[1]);
    std::string output;
    char buffer[256];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) != 0;) {
        if (n > 0)
            output.append(buffer, size_t(n));
        else if (errno != EINTR)
            break;
    }
    close(out[0]);

    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child) {
        std::perror("wait4");
        return 1;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed (status %d).\n", argv[1], status);
        return 1;
    }
    const std::string::size_type at = output.find("shown ");
    if (at == std::string::npos) {
        std::fprintf(stderr, "%s never reported its window as shown.\n", argv[1]);
        return 1;
    }
    const long long startup = std::strtoll(output.c_str() + at + 6, nullptr, 10);
    std::printf("%lld %ld\n", startup, usage.ru_maxrss);
    return 0;
}
