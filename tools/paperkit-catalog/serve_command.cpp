#include "commands.h"
#include "publish/static_server.h"

#include <csignal>
#include <filesystem>
#include <iostream>
#include <memory>
#include <mutex>
#include <string>

namespace paperkit::tool {

void AddServeCommand(CLI::App& app) {
    struct Args {
        std::string out;
        int port = 8080;
        std::string bind = "127.0.0.1";
    };
    auto args = std::make_shared<Args>();
    CLI::App* cmd = app.add_subcommand("serve", "Serve a published catalog over HTTP");
    cmd->add_option("OUT", args->out, "catalog folder: the server root")->required();
    cmd->add_option("--port", args->port, "port; 0 picks a free one")
        ->capture_default_str()
        ->check(CLI::Range(0, 65535));
    cmd->add_option("--bind", args->bind, "address to listen on")->capture_default_str();
    cmd->callback([args] {
        std::error_code ec;
        if (!std::filesystem::is_directory(args->out, ec))
            Fail(args->out + " is not a folder");
        // The server's threads inherit the blocked signals, so only this thread receives them.
        sigset_t stopSignals;
        sigemptyset(&stopSignals);
        sigaddset(&stopSignals, SIGINT);
        sigaddset(&stopSignals, SIGTERM);
        pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
        auto lock = std::make_shared<std::mutex>();
        StaticServer server(args->out, [lock](const std::string& line) {
            std::lock_guard guard(*lock);
            std::cout << line << std::endl;
        });
        if (server.Start(args->bind, args->port) < 0)
            Fail("cannot listen on " + args->bind + " port " + std::to_string(args->port));
        {
            std::lock_guard guard(*lock);
            std::cout << "serving " << args->out << " at " << server.Url() << "/" << std::endl;
        }
        int signal = 0;
        sigwait(&stopSignals, &signal);
        server.Stop();
        std::lock_guard guard(*lock);
        std::cout << "stopped" << std::endl;
    });
}

} // namespace paperkit::tool
