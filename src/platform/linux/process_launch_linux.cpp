#include "platform/process_launch.h"

#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace paperkit {

bool LaunchDetached(const std::filesystem::path& program, const std::vector<std::string>& args) {
    std::vector<std::string> owned;
    owned.push_back(program.string());
    owned.insert(owned.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& arg : owned)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, owned.front().c_str(), nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    // Nobody waits for the child's result, but someone must reap it.
    std::thread([pid] {
        int status = 0;
        waitpid(pid, &status, 0);
    }).detach();
    return true;
}

} // namespace paperkit
