#include "image_promises.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// libFuzzer hands each input to the editor as a whole cartridge image and stops at the first
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
    const QByteArray image(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString broken = whoopline::testing::CheckImagePromises(image, folder);
    if (!broken.isEmpty()) {
        std::fprintf(stderr, "Broken promise: %s\n", qPrintable(broken));
        std::abort();
    }
    return 0;
}
