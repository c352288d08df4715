// Writes the benchmark images into a folder, for the whole-process runs of the editor.
// Usage: whoopline-bench-images FOLDER

#include "bench_images.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "Usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(dir)) {
        std::fprintf(stderr, "The folder %s can't be created.\n", argv[1]);
        return 1;
    }
    const whoopline::Status written = whoopline::bench::WriteBenchImages(dir);
    if (!written) {
        std::fprintf(stderr, "%s\n", qPrintable(written.error()));
        return 1;
    }
    return 0;
}
