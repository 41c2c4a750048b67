// The floor for vorel-calc's start: a Qt Core program that does nothing
// but print one line, built with the same compiler and options.

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream(stdout) << "bare\n";
    return 0;
}
