#include "figure_table.h"

#include <QStringList>

#include <algorithm>

namespace whoopline::bench {

namespace {

QString ratioText(double ratio)
{
    return QStringLiteral("%1 x").arg(ratio, 0, 'f', ratio < 10 ? 2 : 1);
}

} // namespace

QString FormatQuantity(double value, Unit unit)
{
    if (unit == Unit::Kibibytes)
        return QStringLiteral("%1 MiB").arg(value / 1024, 0, 'f', 1);
    if (value < 1e3)
        return QStringLiteral("%1 ns").arg(value, 0, 'f', 0);
    if (value < 1e6)
        return QStringLiteral("%1 \u00B5s").arg(value / 1e3, 0, 'f', 1);
    return QStringLiteral("%1 ms").arg(value / 1e6, 0, 'f', 2);
}

QString FormatTable(const QList<Figure> &figures)
{
    QStringList lines;
    lines << QStringLiteral("| Figure | Image | Best | Baseline (best) | Ratio | Target | Met |")
          << QStringLiteral("|---|---|---:|---|---:|---:|---|");
    for (const Figure &figure : figures) {
        lines << QStringLiteral("| %1 | %2 | %3 | %4 %5 | %6 | <= %7 | %8 |")
                     .arg(figure.name, figure.image, FormatQuantity(figure.value, figure.unit),
                          figure.baselineName, FormatQuantity(figure.baseline, figure.unit),
                          ratioText(figure.ratio()), ratioText(figure.target),
                          figure.met() ? QStringLiteral("yes") : QStringLiteral("**NO**"));
    }
    return lines.join(QLatin1Char('\n'));
}

double Minimum(const QList<double> &values)
{
    return values.isEmpty() ? 0 : *std::min_element(values.cbegin(), values.cend());
}

} // namespace whoopline::bench
