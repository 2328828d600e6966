#pragma once

#include "transfer/http_client.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace paperkit {

class OnlineState;

/// The largest resource the program accepts; a server announcing more is refused.
inline constexpr std::int64_t MaxResourceBytes = std::int64_t{256} * 1024 * 1024;

/// Time-outs of the transfers. Tests shorten them; the defaults are the program's.
struct TransferSettings {
    long connectTimeoutMs = 30000;
    long headReadTimeoutMs = 20000;
    int headAttempts = 11;
    /// Replaces the read time-out computed from the length for every GET when not 0.
    long getReadTimeoutMs = 0;
};

/// The configuration of every client: "PaperKite" + strFileVersion as user agent, and the
/// settings' connect time-out.
HttpClientSettings ClientSettingsFor(const TransferSettings& settings);

/// Whose fetch it is; the coordinator's and the workers' diagnostic lines differ.
enum class FetchVoice { Coordinator, Worker };

struct FetchHooks {
    /// Polled before each attempt and while a request runs; true ends the fetch.
    std::function<bool()> stop;
    /// The length is known and the GET phase begins.
    std::function<void()> onBegin;
    /// Every byte has arrived; the target is written next.
    std::function<void()> onReceived;
};

/// HEAD for the length, then GET with resume from the bytes already received, then the target is
/// put in place. True when the target was written.
bool FetchResource(HttpClient& client, const std::string& url, const std::filesystem::path& target,
                   FetchVoice voice, const TransferSettings& settings, const FetchHooks& hooks);

/// The coordinator's fetching: one client for the whole run.
class Fetcher {
public:
    /// Without a connection state the platform's own is used.
    explicit Fetcher(std::shared_ptr<const OnlineState> online = nullptr,
                     TransferSettings settings = {});
    ~Fetcher();

    /// Fetches the URL into the target file; false when offline, when the server has no length
    /// for it, when every attempt failed, or when the target could not be written.
    bool FetchToFile(const std::string& url, const std::filesystem::path& target);

    /// Makes a request in progress fail at once. Safe from another thread (shutdown).
    void Disconnect();

private:
    std::shared_ptr<const OnlineState> m_online;
    TransferSettings m_settings;
    HttpClient m_client;
};

} // namespace paperkit
