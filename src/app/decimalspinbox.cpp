#include "decimalspinbox.h"

#include <QLocale>

DecimalSpinBox::DecimalSpinBox(QWidget *parent) : QDoubleSpinBox(parent) {}

bool DecimalSpinBox::holdsGroupSeparator(const QString &input) const
{
    const QLocale numbers = locale();
    const QString group = numbers.groupSeparator();
    // The prefix and suffix are the box's own texts, not typed numbers.
    QString typed = input;
    if (!prefix().isEmpty() && typed.startsWith(prefix()))
        typed.remove(0, prefix().size());
    if (!suffix().isEmpty() && typed.endsWith(suffix()))
        typed.chop(suffix().size());
    return !group.isEmpty() && group != numbers.decimalPoint() && typed.contains(group);
}

QValidator::State DecimalSpinBox::validate(QString &input, int &pos) const
{
    // Intermediate rather than Invalid: an invalid key would be dropped,
    // and "2,8" typed would still become 28.
    if (holdsGroupSeparator(input))
        return QValidator::Intermediate;
    return QDoubleSpinBox::validate(input, pos);
}

void DecimalSpinBox::fixup(QString &input) const
{
    // QDoubleSpinBox's fixup removes the separators, which turns "2,8" into
    // 28; left as it is, the box goes back to its last value.
    if (holdsGroupSeparator(input))
        return;
    QDoubleSpinBox::fixup(input);
}
