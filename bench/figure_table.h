#pragma once

#include <QList>
#include <QString>

// The benchmark's one table: each figure as a ratio to a baseline measured in the same run.
namespace whoopline::bench {

enum class Unit { Nanoseconds, Kibibytes };

struct Figure
{
    QString name;     // what was measured, "Redraw of the view"
    QString image;    // which image or case, "worst case"
    double value = 0; // the best of the repetitions, in unit
    QString baselineName;
    double baseline = 0; // the best of its repetitions, in unit
    Unit unit = Unit::Nanoseconds;
    double target = 0; // the largest ratio allowed

    double ratio() const { return baseline > 0 ? value / baseline : 0; }
    bool met() const { return baseline > 0 && value > 0 && ratio() <= target; }
};

// "12.3 µs", "1.24 ms", "38.2 MiB".
QString FormatQuantity(double value, Unit unit);

// A Markdown table, one line per figure, with the ratio, the target and whether it is met.
QString FormatTable(const QList<Figure> &figures);

// The smallest of values, 0 for none. Every figure and baseline is the best of its repetitions:
// on a shared machine other work only ever adds time, so the best run is the steadiest measure.
double Minimum(const QList<double> &values);

} // namespace whoopline::bench
