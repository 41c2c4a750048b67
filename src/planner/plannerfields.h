#ifndef PLANNERFIELDS_H
#define PLANNERFIELDS_H

#include <QString>

class QDoubleSpinBox;
class QFormLayout;
class QLabel;
class QLineEdit;
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

} // namespace PlannerFields

#endif // PLANNERFIELDS_H
