#include "stackcsv.h"

#include <QLocale>

#include <cmath>

namespace
{

QString cell(double value)
{
    if (std::isnan(value))
        return QString();
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

} // namespace

QString StackCsv::write(const std::vector<FocusPlanner::Frame> &frames, const QString &unitSymbol,
                        double unitMm)
{
    QString text = QStringLiteral("frame,focus_%1,near_%1,far_%1,step_mm\r\n").arg(unitSymbol);
    for (size_t i = 0; i < frames.size(); ++i) {
        const FocusPlanner::Frame &f = frames[i];
        text += QStringLiteral("%1,%2,%3,%4,%5\r\n")
                    .arg(QString::number(i + 1), cell(f.focus / unitMm), cell(f.nearLimit / unitMm),
                         cell(f.farLimit / unitMm), cell(f.step));
    }
    return text;
}
