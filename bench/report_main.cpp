// Prints the benchmark's table from Google Benchmark's JSON results (the best of the repetitions)
// and from the launcher's lines for the whole-process runs (the best run). Exits with 1 when a
// target is missed.
// Usage: whoopline-bench-report RESULTS.json QT_MINIMAL_RUNS EDITOR_SAMPLE_RUNS EDITOR_WORST_RUNS

#include "figure_table.h"

#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <cstdio>
#include <optional>

using namespace whoopline::bench;

namespace {

[[noreturn]] void fail(const QString &message)
{
    std::fprintf(stderr, "%s\n", qPrintable(message));
    std::exit(2);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("%1 cannot be read: %2").arg(path, file.errorString()));
    return file.readAll();
}

double nanosecondsPer(const QString &timeUnit)
{
    static const QHash<QString, double> factors = {
        {QStringLiteral("ns"), 1}, {QStringLiteral("us"), 1e3}, {QStringLiteral("ms"), 1e6}, {QStringLiteral("s"), 1e9}};
    return factors.value(timeUnit, 0);
}

// The best real time of each benchmark over its repetitions, in nanoseconds, by benchmark name.
QHash<QString, double> benchmarkBests(const QString &path)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(readAll(path), &error);
    if (document.isNull())
        fail(QStringLiteral("%1 is not JSON: %2").arg(path, error.errorString()));
    QHash<QString, QList<double>> times;
    for (const QJsonValue &entry : document.object().value(QStringLiteral("benchmarks")).toArray()) {
        const QJsonObject run = entry.toObject();
        if (run.value(QStringLiteral("run_type")).toString() != QStringLiteral("iteration"))
            continue;
        if (run.contains(QStringLiteral("error_occurred")))
            fail(QStringLiteral("%1 failed: %2").arg(run.value(QStringLiteral("run_name")).toString(),
                                                      run.value(QStringLiteral("error_message")).toString()));
        // Benchmarks that time themselves carry this suffix in their names.
        QString name = run.value(QStringLiteral("run_name")).toString();
        name.remove(QStringLiteral("/manual_time"));
        times[name] << run.value(QStringLiteral("real_time")).toDouble() *
                           nanosecondsPer(run.value(QStringLiteral("time_unit")).toString());
    }
    QHash<QString, double> bests;
    for (auto it = times.cbegin(); it != times.cend(); ++it)
        bests.insert(it.key(), Minimum(it.value()));
    return bests;
}

// The launcher's lines "<start-up ns> <peak KiB>", one per run.
struct ProcessRuns
{
    QList<double> startupNanoseconds;
    QList<double> peakKibibytes;
};

ProcessRuns processRuns(const QString &path)
{
    ProcessRuns runs;
    QTextStream lines(readAll(path));
    for (QString line; lines.readLineInto(&line);) {
        const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (fields.size() != 2)
            continue;
        runs.startupNanoseconds << fields[0].toDouble();
        runs.peakKibibytes << fields[1].toDouble();
    }
    if (runs.startupNanoseconds.isEmpty())
        fail(QStringLiteral("%1 holds no runs.").arg(path));
    return runs;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 5) {
        std::fprintf(stderr, "Usage: %s RESULTS.json QT_MINIMAL_RUNS EDITOR_SAMPLE_RUNS EDITOR_WORST_RUNS\n", argv[0]);
        return 2;
    }
    const QHash<QString, double> bests = benchmarkBests(QString::fromLocal8Bit(argv[1]));
    const ProcessRuns qtMinimal = processRuns(QString::fromLocal8Bit(argv[2]));
    const ProcessRuns editorSample = processRuns(QString::fromLocal8Bit(argv[3]));
    const ProcessRuns editorWorst = processRuns(QString::fromLocal8Bit(argv[4]));

    const auto best = [&bests](const char *name) {
        const auto found = bests.constFind(QString::fromLatin1(name));
        if (found == bests.constEnd())
            fail(QStringLiteral("The results hold no time for %1.").arg(QString::fromLatin1(name)));
        return *found;
    };
    const double frameCopy = best("frame_copy");
    const double fileRead = best("file_read");
    const auto timed = [&](const QString &figure, const QString &image, const char *name,
                           const QString &baselineName, double baseline, double target) {
        return Figure{figure, image, best(name), baselineName, baseline, Unit::Nanoseconds, target};
    };
    const QString frame = QStringLiteral("frame_copy");
    const QString read = QStringLiteral("file_read");
    const QString sample = QStringLiteral("sample");
    const QString worst = QStringLiteral("worst case");
    const QString open = QStringLiteral("Open: palette, tile sheet, background, widths");
    const QString load = QStringLiteral("Load of track 4, the longest");
    const QString redraw = QStringLiteral("Redraw of the view from object 0 of track 4");
    const QString click = QStringLiteral("Click on \">\" in the window, to the new strip");
    const QString trackClick = QStringLiteral("Click on the track view, to the new strip");
    const QString overview = QStringLiteral("Overview of track 4 redrawn after an edit");

    QList<Figure> figures = {
        timed(open, sample, "open/sample", frame, frameCopy, 15),
        timed(open, worst, "open/worst_case", frame, frameCopy, 15),
        timed(load, sample, "load/sample", read, fileRead, 3),
        timed(load, worst, "load/worst_case", read, fileRead, 3),
        timed(redraw, sample, "redraw/sample", frame, frameCopy, 6),
        timed(redraw, worst, "redraw/worst_case", frame, frameCopy, 6),
        timed(QStringLiteral("Redraw growth: spans of length 255 vs 32"), worst, "redraw/worst_case",
              QStringLiteral("spans of 32"), best("redraw/worst_case_short_spans"), 1.2),
        // 3.75 times the pixels, and as many more objects.
        timed(QStringLiteral("Redraw of a view 1,920 pixels wide"), sample, "redraw_1920/sample",
              QStringLiteral("512 wide"), best("redraw/sample"), 4),
        timed(QStringLiteral("Redraw of a view 1,920 pixels wide"), worst, "redraw_1920/worst_case",
              QStringLiteral("512 wide"), best("redraw/worst_case"), 4),
        timed(click, sample, "click/sample", frame, frameCopy, 20),
        timed(click, worst, "click/worst_case", frame, frameCopy, 20),
        timed(trackClick, sample, "track_click/sample", frame, frameCopy, 20),
        timed(trackClick, worst, "track_click/worst_case", frame, frameCopy, 20),
        timed(overview, sample, "overview/sample", frame, frameCopy, 20),
        timed(overview, worst, "overview/worst_case", frame, frameCopy, 20),
        timed(QStringLiteral("Export of track 4 as one PNG"), worst, "export/worst_case",
              QStringLiteral("libpng alone"), best("png_alone/worst_case"), 1.5),
    };
    const QString qtMinimalName = QStringLiteral("qt_minimal");
    const QString memory = QStringLiteral("Peak memory, image open and track 4 shown");
    const double qtMinimalPeak = Minimum(qtMinimal.peakKibibytes);
    figures << Figure{memory, sample, Minimum(editorSample.peakKibibytes), qtMinimalName, qtMinimalPeak,
                      Unit::Kibibytes, 1.3}
            << Figure{memory, worst, Minimum(editorWorst.peakKibibytes), qtMinimalName, qtMinimalPeak,
                      Unit::Kibibytes, 1.3}
            // The window shows before any image is opened, so every editor run times the same start.
            << Figure{QStringLiteral("Start-up to the shown main window, processor time"), QStringLiteral("-"),
                      Minimum(editorSample.startupNanoseconds + editorWorst.startupNanoseconds),
                      qtMinimalName, Minimum(qtMinimal.startupNanoseconds), Unit::Nanoseconds, 1.3};

    std::printf("%s\n", qPrintable(FormatTable(figures)));
    const bool allMet = std::all_of(figures.cbegin(), figures.cend(), [](const Figure &f) { return f.met(); });
    return allMet ? 0 : 1;
}
