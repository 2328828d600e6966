#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace paperkit {

/// One running instance per user and data folder. The running instance listens on a local
/// channel; later starts find it there and hand it short text messages instead of running.
class SingleInstance {
public:
    using Handler = std::function<void(const std::string& message)>;

    virtual ~SingleInstance() = default;

    /// Becomes the running instance: listens, and hands each message received to `handler` on a
    /// thread of its own. False when another instance already answers. A channel left behind by
    /// an instance that died does not count as running.
    virtual bool Listen(Handler handler) = 0;
    /// Delivers one message to the running instance and returns once it has been handed to its
    /// handler; false when no instance answers.
    virtual bool Send(std::string_view message) = 0;
};

/// The platform's channel, named for the current user and the data folder.
std::unique_ptr<SingleInstance> CreateSingleInstance(const std::filesystem::path& dataFolder);

} // namespace paperkit
