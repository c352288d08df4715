#include "edit_road.h"

#include <QDir>
#include <QHashFunctions>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// libFuzzer hands each input to the edit road as a whole cartridge image and stops at the first
// broken promise, with the input saved as the artifact that shows it.
namespace {

// One folder for the whole run. A memory file system, where there is one, keeps the saves'
// syncs from setting the pace.
QString workFolder()
{
    const QString base =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    static const QTemporaryDir folder(base + QStringLiteral("/whoopline-fuzz-XXXXXX"));
    if (!folder.isValid()) {
        std::fprintf(stderr, "No folder for the fuzz run's files under %s.\n", qPrintable(base));
        std::abort();
    }
    return folder.path();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const QString folder = workFolder();
    static whoopline::testing::RoadFigures figures;
    const QByteArray image(reinterpret_cast<const char *>(data), qsizetype(size));
    // The input picks the road's steps too, so that a saved artifact walks the same road again.
    const QString broken = whoopline::testing::WalkEditRoad(
        {QStringLiteral("the input"), image, {}}, quint32(qHash(image)), folder, false, figures);
    if (!broken.isEmpty()) {
        std::fprintf(stderr, "Broken promise: %s\n", qPrintable(broken));
        std::abort();
    }
    return 0;
}
