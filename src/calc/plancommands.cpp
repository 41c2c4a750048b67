// The planners' commands: optimum and stack.

#include "calcarguments.h"
#include "calccommands.h"

namespace CalcCommands
{

void declareOptimum(CalcArguments &) {}
int runOptimum(CalcArguments &args, QString &)
{
    args.fail(QStringLiteral("not yet"));
    return 1;
}
void declareStack(CalcArguments &) {}
int runStack(CalcArguments &args, QString &)
{
    args.fail(QStringLiteral("not yet"));
    return 1;
}

} // namespace CalcCommands
