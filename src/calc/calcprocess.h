#ifndef CALCPROCESS_H
#define CALCPROCESS_H

#include <functional>
#include <iosfwd>
#include <streambuf>

class CalcApp;

// What vorel-calc and its drawing helper both do around a command line:
// for as long as it lives, the lens model's and the project reader's traces
// to std::cout stay out of standard output, which carries the results alone,
// and Qt's notes stay off standard error. Construct it before the
// application object, so that Qt's start-up notes are caught too.
class CalcProcess
{
public:
    CalcProcess();
    ~CalcProcess();
    CalcProcess(const CalcProcess &) = delete;
    CalcProcess &operator=(const CalcProcess &) = delete;

    // Names the application, then runs its command line with the result
    // going to standard output, unbuffered, so that the result's bytes go
    // out in one write whose failure the program sees. prepare may supply
    // what this program adds to the commands. Returns the exit status.
    static int run(const std::function<void(CalcApp &)> &prepare = {});

private:
    // Swallows what is written to it.
    class NullBuffer : public std::streambuf
    {
    protected:
        int overflow(int c) override { return traits_type::not_eof(c); }
        std::streamsize xsputn(const char *, std::streamsize n) override { return n; }
    };

    NullBuffer nowhere;
    // std::cout's own buffer, given back on destruction: std::cout is
    // flushed once more after main() returns.
    std::streambuf *previous;
};

#endif // CALCPROCESS_H
