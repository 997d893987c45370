// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/run/SessionBus.h"

#include <fstream>
#include <signal.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr const char* kConfig =
    "<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen>"
    "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
    "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>";

}  // namespace

SessionBus::SessionBus(const std::string& folder) {
    const std::string config = folder + "/bus.conf";
    std::ofstream(config) << kConfig;
    int ready[2];
    if (::pipe(ready) != 0) throw std::runtime_error("pipe failed");
    const std::string configOption = "--config-file=" + config;
    const std::string addressOption = "--print-address=" + std::to_string(ready[1]);
    std::vector<const char*> argv = {"dbus-daemon", configOption.c_str(), "--nofork", addressOption.c_str(), nullptr};
    const int spawned =
        ::posix_spawnp(&daemon_, "dbus-daemon", nullptr, nullptr, const_cast<char* const*>(argv.data()), environ);
    ::close(ready[1]);
    if (spawned != 0) {
        ::close(ready[0]);
        daemon_ = -1;
        throw std::runtime_error("dbus-daemon could not be started (is the dbus package installed?)");
    }
    char c;
    while (::read(ready[0], &c, 1) == 1 && c != '\n') address_ += c;
    ::close(ready[0]);
    if (address_.empty()) throw std::runtime_error("dbus-daemon gave no address");
}

SessionBus::~SessionBus() {
    if (daemon_ > 0) {
        ::kill(daemon_, SIGTERM);
        ::waitpid(daemon_, nullptr, 0);
    }
}
