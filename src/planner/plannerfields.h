#ifndef PLANNERFIELDS_H
#define PLANNERFIELDS_H

#include <QString>

class QDoubleSpinBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QSettings;
class QWidget;

// The planner's fields as the eye, the keyboard and a screen reader meet
// them: each has a label with a mnemonic as its buddy and an accessible
// name; a result is a read-only line whose text is the value, so that it
// can be selected, copied and read out.
namespace PlannerFields
{

QLabel *labelFor(QWidget *field, const QString &text, const QString &accessibleName);
// Named by the row addRow puts it in.
QLineEdit *result();
// A number box of the planner's own kind (it refuses the group separator).
QDoubleSpinBox *number(double min, double max, double value, int decimals, const QString &suffix);
// Adds a labelled row to a form layout.
void addRow(QFormLayout *form, const QString &text, const QString &accessibleName, QWidget *field);
// Sets a field's tooltip to what it is; a number box's tooltip adds its
// range with its unit, anew each time, as a unit changes.
void setTip(QWidget *field, const QString &what);
// Renews a number box's tooltip after its range or unit changed.
void renewTip(QDoubleSpinBox *box);
// Sets a number box to what the settings hold under key, where that is a
// number within the box's range; otherwise the box stays as it is.
void restore(QDoubleSpinBox *box, const QSettings &settings, const QString &key);
// The number the settings hold under key; NaN for none.
double stored(const QSettings &settings, const QString &key);

} // namespace PlannerFields

#endif // PLANNERFIELDS_H
