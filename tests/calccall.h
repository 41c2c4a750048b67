#ifndef CALCCALL_H
#define CALCCALL_H

#include "calc/calcapp.h"
#include "coutcapture.h"

#include <QBuffer>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>

// One call of vorel-calc as a function: its status, standard output and
// standard error; the lens model's trace stays out. prepare supplies what a
// helper program would (the media commands, say).
struct CalcCall {
    int status = -1;
    QString out;
    QString err;
};

inline CalcCall callCalc(const QStringList &arguments,
                         const std::function<void(CalcApp &)> &prepare = {})
{
    CalcCall r;
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QTextStream err(&r.err);
    CoutCapture quiet;
    CalcApp calc(out, err);
    if (prepare)
        prepare(calc);
    r.status = calc.run(arguments);
    err.flush();
    r.out = QString::fromUtf8(out.data());
    return r;
}

#endif // CALCCALL_H
