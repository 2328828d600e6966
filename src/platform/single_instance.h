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

    /// What a start found when it tried to become the running instance.
    enum class ListenResult {
        Listening,     ///< this process is the running instance now
        OtherInstance, ///< another instance of this user answers: hand over to it
        Failed,        ///< neither; FailureReason() says why
    };

    virtual ~SingleInstance() = default;

    /// Becomes the running instance: listens, and hands each message received to `handler` on a
    /// thread of its own. Of several starts at the same moment only one becomes the instance; the
    /// others find it answering. A channel left behind by an instance that died does not count as
    /// running, and neither does a channel of another user.
    virtual ListenResult Listen(Handler handler) = 0;
    /// Why the last Listen failed, in words for the user; empty when it did not.
    virtual std::string FailureReason() const = 0;
    /// Delivers one message to the running instance and returns once it has been handed to its
    /// handler; false when no instance of this user answers.
    virtual bool Send(std::string_view message) = 0;
};

/// The platform's channel, named for the current user and the data folder. The data folder also
/// holds the lock that keeps two starts from both becoming the instance.
std::unique_ptr<SingleInstance> CreateSingleInstance(const std::filesystem::path& dataFolder);

} // namespace paperkit
