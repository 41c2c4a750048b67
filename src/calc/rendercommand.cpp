// vorel-calc render: a project's diagram drawn to a file.

#include "calcarguments.h"
#include "calccommands.h"

namespace CalcCommands
{

void declareRender(CalcArguments &) {}
int runRender(CalcArguments &args, QString &)
{
    args.fail(QStringLiteral("not yet"));
    return 1;
}

} // namespace CalcCommands
