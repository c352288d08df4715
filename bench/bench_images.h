#pragma once

#include "rom/result.h"

#include <QString>

// The images the benchmarks run on. Only the files are shared: every operation measured reads
// its file afresh.
namespace whoopline::bench {

enum class BenchImage { Sample, WorstCase, WorstCaseShortSpans };

// The span length of WorstCaseShortSpans: one span just fills the view.
constexpr int ShortSpan = 32;

// "sample.nes", "worst-case.nes", "worst-case-short-spans.nes".
QString imageFileName(BenchImage image);

// Writes all three images into the folder dir, which must exist.
Status WriteBenchImages(const QString &dir);

// The image's file in a temporary folder that is written at the first call and removed at exit;
// ends the run with a message when the images can't be written.
QString imagePath(BenchImage image);

} // namespace whoopline::bench
