#include "sample_image.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

// whoopline-sample OUT.nes: writes the sample cartridge image to OUT.nes.
int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr,
                     "Usage: whoopline-sample OUT.nes\n"
                     "Writes a cartridge image with our own tracks and artwork to OUT.nes.\n");
        return 2;
    }
    const whoopline::Status written = whoopline::sample::WriteSampleImage(arguments.at(1));
    if (!written) {
        std::fprintf(stderr, "%s\n", qPrintable(written.error()));
        return 1;
    }
    return 0;
}
