#include "store/DataFileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace store {

DataFileLock::DataFileLock(const std::string& dataFile) {
    const int fd = ::open(lockFileOf(dataFile).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        fd_ = fd;
    } else {
        ::close(fd);
    }
}

DataFileLock::~DataFileLock() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace store
