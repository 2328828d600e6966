#include "transfer/fetch.h"

#include "platform/online_state.h"
#include "support/globals.h"
#include "support/log.h"
#include "transfer/get_plan.h"
#include "transfer/online.h"
#include "transfer/part_file.h"

#include <chrono>

namespace paperkit {

namespace {

bool Stopped(const FetchHooks& hooks) {
    return hooks.stop && hooks.stop();
}

void Notify(const std::function<void()>& hook) {
    if (hook)
        hook();
}

// Returns the length, 0 when none could be had.
std::int64_t HeadPhase(HttpClient& client, const std::string& url, FetchVoice voice,
                       const TransferSettings& settings, const FetchHooks& hooks) {
    const bool worker = voice == FetchVoice::Worker;
    for (int attempt = 0; attempt < settings.headAttempts; ++attempt) {
        // Without this, shutdown would wait for every remaining attempt to time out.
        if (Stopped(hooks))
            break;
        client.SetReadTimeout(settings.headReadTimeoutMs);
        try {
            const std::int64_t length = client.Head(url);
            Log("Get http Head URL: " + url);
            return length;
        } catch (const HttpError& e) {
            if (e.Status() == 404) {
                Log((worker ? "Get Http Head Error 404: " : "Get http Head Error 404: ") + url);
                break;
            }
            Log(worker ? "Get http Head Error: " + url
                       : "Get http Head Error " + std::to_string(e.Status()) + ": " + url);
        }
    }
    return 0;
}

bool TryGet(HttpClient& client, const std::string& url, PartFile& part, std::uint64_t start,
            std::uint64_t end) {
    try {
        client.Get(url, part, start, end);
        return true;
    } catch (const HttpError&) {
        return false;
    }
}

} // namespace

HttpClientSettings ClientSettingsFor(const TransferSettings& settings) {
    HttpClientSettings client;
    client.userAgent = "PaperKite" + strFileVersion;
    client.connectTimeoutMs = settings.connectTimeoutMs;
    client.readTimeoutMs = 300000;
    return client;
}

bool FetchResource(HttpClient& client, const std::string& url, const std::filesystem::path& target,
                   FetchVoice voice, const TransferSettings& settings, const FetchHooks& hooks) {
    const bool worker = voice == FetchVoice::Worker;
    const auto started = std::chrono::steady_clock::now();
    bool success = false;

    const std::int64_t length = HeadPhase(client, url, voice, settings, hooks);
    if (length > MaxResourceBytes) {
        Log("Resource too large: " + std::to_string(length) + " " + url);
    } else if (length > 0) {
        const GetPlan plan = PlanGet(length);
        client.SetReadTimeout(settings.getReadTimeoutMs > 0
                                  ? settings.getReadTimeoutMs
                                  : static_cast<long>(plan.readTimeoutMs));
        Log("TryCount: " + std::to_string(plan.tries) + " " + url);
        Notify(hooks.onBegin);

        const auto end = static_cast<std::uint64_t>(length);
        // The range end is the length itself, so a server may send one byte more than announced.
        PartFile part(target, end + 1);
        if (!part.Open()) {
            Log("Write File Error: " + target.string());
        } else {
            if (!Stopped(hooks)) {
                Log((worker ? "Http Begin: " : "http Begin: ") + url);
                success = TryGet(client, url, part, 0, end);
                if (!success) {
                    Log((worker ? "Http Error Except " : "http Error Except ") +
                        std::to_string(client.Status()) + ": " + url);
                }
            }
            for (std::int64_t k = 1; !success && k <= plan.tries; ++k) {
                if (part.Overflowed() || part.WriteFailed())
                    break;
                if (Stopped(hooks))
                    break;
                if (client.Status() == 404) {
                    Log((worker ? "Http Error 404: " : "http Error 404: ") + url);
                    break;
                }
                const std::string ks = std::to_string(k);
                Log(worker ? "Http Error Try" + ks + " " + url : "http Try" + ks + ": " + url);
                success = TryGet(client, url, part, part.Size(), end);
                if (!success) {
                    const bool last = worker ? k >= plan.tries : k >= 10;
                    Log(std::string(worker ? (last ? "Http Error TryEnd " : "Http Error ")
                                           : (last ? "http Error TryEnd " : "http Error ")) +
                        std::to_string(client.Status()) + " " + ks + ": " + url);
                }
            }
            if (part.Overflowed())
                Log("Too many bytes: " + url);

            if (success) {
                Notify(hooks.onReceived);
                if (!worker)
                    Log("http End: " + url);
                success = part.Commit();
                if (!success)
                    Log("Write File Error: " + target.string());
                if (worker)
                    Log("Http End: " + url);
            } else {
                part.Discard();
            }
        }
    }

    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
                             std::chrono::steady_clock::now() - started)
                             .count();
    Log(std::string(worker ? "Http Time: " : "http Time: ") + std::to_string(elapsed) + "秒 " +
        url);
    return success;
}

Fetcher::Fetcher(std::shared_ptr<const OnlineState> online, TransferSettings settings)
    : m_online(online ? std::move(online) : CreateOnlineState()), m_settings(settings),
      m_client(ClientSettingsFor(settings)) {
    // Shutdown sets Closing before it disconnects; a request that starts in between still ends.
    m_client.SetCancelCheck([] { return Closing.load(); });
}

Fetcher::~Fetcher() = default;

bool Fetcher::FetchToFile(const std::string& url, const std::filesystem::path& target) {
    if (!IsOnline(*m_online))
        return false;
    FetchHooks hooks;
    hooks.stop = [] { return Closing.load(); };
    return FetchResource(m_client, url, target, FetchVoice::Coordinator, m_settings, hooks);
}

void Fetcher::Disconnect() {
    m_client.Disconnect();
}

} // namespace paperkit
