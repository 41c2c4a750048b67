#ifndef DECIMALSPINBOX_H
#define DECIMALSPINBOX_H

#include <QDoubleSpinBox>

// The form's number box. Text that holds the locale's group separator is
// not a number until corrected: the other language's decimal mark ("2,8"
// in English, "2.8" in German) would otherwise be read as 28. No meta-object
// of its own, so that the box is a QDoubleSpinBox to everything that asks.
class DecimalSpinBox : public QDoubleSpinBox
{
public:
    explicit DecimalSpinBox(QWidget *parent = nullptr);

    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;

private:
    bool holdsGroupSeparator(const QString &input) const;
};

#endif // DECIMALSPINBOX_H
