#ifndef FILESIZELIMIT_H
#define FILESIZELIMIT_H

#include <csignal>
#include <sys/resource.h>

// Limits the size of the files this process (and any child it starts) may
// write, for as long as it lives: a write beyond it fails as on a full disk,
// for root too. SIGXFSZ is ignored meanwhile, so the write reports the
// failure instead of the signal ending the process.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        if (getrlimit(RLIMIT_FSIZE, &previous) != 0)
            return;
        rlimit small = previous;
        small.rlim_cur = bytes;
        oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        active = setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    ~FileSizeLimit() { lift(); }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    // Whether the limit was set.
    bool isActive() const { return active; }

    void lift()
    {
        if (!active)
            return;
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, oldHandler);
        active = false;
    }

private:
    rlimit previous{};
    void (*oldHandler)(int) = SIG_DFL;
    bool active = false;
};

#endif // FILESIZELIMIT_H
