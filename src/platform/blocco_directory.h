// Runs that write into one directory take turns.
#pragma once

#include <functional>
#include <string>

namespace compattatore::piattaforma {

// An advisory lock on a directory, held for the object's life, so that runs
// writing into one directory follow each other. When another holder has it,
// `in_attesa` is called once and the lock is waited for. A directory that
// cannot be opened is not locked: writing into it will say why.
class BloccoDirectory {
public:
    BloccoDirectory(const std::string& directory, const std::function<void()>& in_attesa);
    ~BloccoDirectory();
    BloccoDirectory(const BloccoDirectory&) = delete;
    BloccoDirectory& operator=(const BloccoDirectory&) = delete;

private:
    int fd_ = -1;
};

}  // namespace compattatore::piattaforma
