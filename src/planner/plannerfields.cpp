#include "plannerfields.h"

#include "app/decimalspinbox.h"
#include "plannertext.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>

#include <cmath>
#include <limits>

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
    // Narrow enough for half a screen; a longer text scrolls, and its
    // start shows.
    line->setMinimumWidth(120);
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

namespace
{

// Where a field keeps what its tooltip says it is.
const char TipProperty[] = "plannerTip";

QString withUnit(const QDoubleSpinBox *box, double value)
{
    return box->prefix() + PlannerText::number(value, 6) + box->suffix();
}

} // namespace

void setTip(QWidget *field, const QString &what)
{
    field->setProperty(TipProperty, what);
    auto *box = qobject_cast<QDoubleSpinBox *>(field);
    if (!box) {
        field->setToolTip(what);
        return;
    }
    // The range as the box shows its figures: its prefix, its unit.
    const QString range = QCoreApplication::translate("PlannerFields", "From %1 to %2.")
                              .arg(withUnit(box, box->minimum()), withUnit(box, box->maximum()));
    field->setToolTip(what.isEmpty() ? range : what + QLatin1Char(' ') + range);
}

void renewTip(QDoubleSpinBox *box)
{
    setTip(box, box->property(TipProperty).toString());
}

double stored(const QSettings &settings, const QString &key)
{
    bool ok = false;
    const double value = settings.value(key).toDouble(&ok);
    return ok && std::isfinite(value) ? value : std::numeric_limits<double>::quiet_NaN();
}

void restore(QDoubleSpinBox *box, const QSettings &settings, const QString &key)
{
    const double value = stored(settings, key);
    if (value >= box->minimum() && value <= box->maximum())
        box->setValue(value);
}

} // namespace PlannerFields
