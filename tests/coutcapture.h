#ifndef COUTCAPTURE_H
#define COUTCAPTURE_H

#include <iostream>
#include <sstream>
#include <string>

// Redirects std::cout for as long as it lives, to read the trace lines.
class CoutCapture
{
public:
    CoutCapture() : old(std::cout.rdbuf(buffer.rdbuf())) {}
    ~CoutCapture() { std::cout.rdbuf(old); }
    CoutCapture(const CoutCapture &) = delete;
    CoutCapture &operator=(const CoutCapture &) = delete;

    std::string text() const { return buffer.str(); }
    int count(const std::string &what) const
    {
        const std::string all = buffer.str();
        int n = 0;
        for (auto pos = all.find(what); pos != std::string::npos; pos = all.find(what, pos + 1))
            ++n;
        return n;
    }

private:
    std::ostringstream buffer;
    std::streambuf *old;
};

#endif // COUTCAPTURE_H
