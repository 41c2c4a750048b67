#include "plannerfields.h"

#include "app/decimalspinbox.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace PlannerFields
{

QLabel *labelFor(QWidget *field, const QString &text, const QString &accessibleName)
{
    auto *label = new QLabel(text);
    label->setBuddy(field);
    field->setAccessibleName(accessibleName);
    // A screen reader lands on a combo box's typing field as a field of its
    // own: it bears the combo box's name.
    if (auto *combo = qobject_cast<QComboBox *>(field); combo && combo->lineEdit())
        combo->lineEdit()->setAccessibleName(accessibleName);
    return label;
}

QLineEdit *result()
{
    auto *line = new QLineEdit;
    line->setReadOnly(true);
    line->setMinimumWidth(160);
    return line;
}

QDoubleSpinBox *number(double min, double max, double value, int decimals, const QString &suffix)
{
    auto *box = new DecimalSpinBox;
    box->setDecimals(decimals);
    box->setRange(min, max);
    box->setValue(value);
    box->setSuffix(suffix);
    return box;
}

void addRow(QFormLayout *form, const QString &text, const QString &accessibleName, QWidget *field)
{
    form->addRow(labelFor(field, text, accessibleName), field);
}

} // namespace PlannerFields
