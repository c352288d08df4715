#include "bench_images.h"

#include "sample_image.h"
#include "worst_case_image.h"

#include <QDir>
#include <QSaveFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace whoopline::bench {

namespace {

constexpr BenchImage AllImages[] = {BenchImage::Sample, BenchImage::WorstCase, BenchImage::WorstCaseShortSpans};

Result<QByteArray> buildImage(BenchImage image)
{
    switch (image) {
    case BenchImage::Sample:
        return sample::BuildSampleImage();
    case BenchImage::WorstCase:
        return BuildWorstCaseImage(LongestSpan);
    case BenchImage::WorstCaseShortSpans:
        return BuildWorstCaseImage(ShortSpan);
    }
    return Failure{QStringLiteral("No such benchmark image.")};
}

} // namespace

QString imageFileName(BenchImage image)
{
    switch (image) {
    case BenchImage::Sample:
        return QStringLiteral("sample.nes");
    case BenchImage::WorstCase:
        return QStringLiteral("worst-case.nes");
    case BenchImage::WorstCaseShortSpans:
        return QStringLiteral("worst-case-short-spans.nes");
    }
    return {};
}

Status WriteBenchImages(const QString &dir)
{
    for (BenchImage image : AllImages) {
        const auto bytes = buildImage(image);
        if (!bytes)
            return Failure{bytes.error()};
        const QString path = QDir(dir).filePath(imageFileName(image));
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(*bytes) != bytes->size() || !file.commit())
            return Failure{QStringLiteral("The benchmark image %1 can't be written: %2").arg(path, file.errorString())};
    }
    return Success{};
}

QString imagePath(BenchImage image)
{
    static const QTemporaryDir dir;
    static const Status written = dir.isValid()
                                      ? WriteBenchImages(dir.path())
                                      : Status(Failure{QStringLiteral("No temporary folder for the benchmark "
                                                                      "images: %1").arg(dir.errorString())});
    if (!written) {
        std::fprintf(stderr, "%s\n", qPrintable(written.error()));
        std::exit(EXIT_FAILURE);
    }
    return QDir(dir.path()).filePath(imageFileName(image));
}

} // namespace whoopline::bench
