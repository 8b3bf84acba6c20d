#include "platform/blocco_directory.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <cerrno>

namespace compattatore::piattaforma {

namespace {

int blocca(int fd, int modo) {
    int esito = 0;
    do {
        esito = ::flock(fd, modo);
    } while (esito != 0 && errno == EINTR);
    return esito;
}

}  // namespace

BloccoDirectory::BloccoDirectory(const std::string& directory, const std::function<void()>& in_attesa)
    : fd_(::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (fd_ < 0) return;
    if (blocca(fd_, LOCK_EX | LOCK_NB) == 0) return;
    if (errno == EWOULDBLOCK) {
        in_attesa();
        if (blocca(fd_, LOCK_EX) == 0) return;
    }
    // A file system without locks: the run goes on unguarded.
    ::close(fd_);
    fd_ = -1;
}

BloccoDirectory::~BloccoDirectory() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace compattatore::piattaforma
