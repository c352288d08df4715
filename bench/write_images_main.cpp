// Writes the benchmark images into a folder, for the whole-process runs of the editor.
// Usage: whoopline-bench-images FOLDER

#include "bench_images.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString usage = QStringLiteral("Usage: %1 FOLDER\nWrites the benchmark images into FOLDER, "
                                         "which it makes when it is missing.\n")
                              .arg(QString::fromLocal8Bit(argv[0]));
    if (argc == 2 && (qstrcmp(argv[1], "--help") == 0 || qstrcmp(argv[1], "-h") == 0)) {
        std::fputs(qPrintable(usage), stdout);
        return 0;
    }
    // An option is no folder name: "--help" misspelt must not become a folder.
    if (argc != 2 || argv[1][0] == '-') {
        std::fputs(qPrintable(usage), stderr);
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
