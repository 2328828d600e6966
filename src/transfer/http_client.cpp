#include "transfer/http_client.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <curl/curl.h>
#include <mutex>
#include <optional>

namespace paperkit {

namespace {

void GlobalInit() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    }
    return true;
}

// "Content-Range: bytes 100-199/200" -> 100.
std::optional<std::uint64_t> ContentRangeStart(std::string_view line) {
    constexpr std::string_view name = "content-range:";
    if (!StartsWithNoCase(line, name))
        return std::nullopt;
    std::string_view value = line.substr(name.size());
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
        value.remove_prefix(1);
    if (!StartsWithNoCase(value, "bytes"))
        return std::nullopt;
    value.remove_prefix(5);
    while (!value.empty() && value.front() == ' ')
        value.remove_prefix(1);
    std::uint64_t start = 0;
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), start);
    if (ec != std::errc() || end == value.data() || end == value.data() + value.size() ||
        *end != '-')
        return std::nullopt;
    return start;
}

class StringSink : public BodySink {
public:
    explicit StringSink(std::string& buffer) : m_buffer(buffer) {}
    bool Start(std::uint64_t) override { return true; }
    bool Write(std::string_view bytes) override {
        m_buffer.append(bytes);
        return true;
    }

private:
    std::string& m_buffer;
};

} // namespace

// What the callbacks of one request need; lives on the requesting thread's stack.
struct HttpClient::Transfer {
    HttpClient* client;
    CURL* curl;
    BodySink* sink;
    bool started = false;
    bool refused = false;
    std::optional<std::uint64_t> rangeStart;

    static size_t OnHeader(char* data, size_t size, size_t count, void* user) {
        auto* t = static_cast<Transfer*>(user);
        const std::string_view line(data, size * count);
        // Each answer in a redirect chain begins with its status line; only the last one counts.
        if (StartsWithNoCase(line, "HTTP/"))
            t->rangeStart.reset();
        else if (auto start = ContentRangeStart(line))
            t->rangeStart = start;
        return size * count;
    }

    static size_t OnBody(char* data, size_t size, size_t count, void* user) {
        auto* t = static_cast<Transfer*>(user);
        if (!t->sink)
            return size * count;
        if (!t->started) {
            t->started = true;
            long status = 0;
            curl_easy_getinfo(t->curl, CURLINFO_RESPONSE_CODE, &status);
            const std::uint64_t offset = status == 206 ? t->rangeStart.value_or(0) : 0;
            if (!t->sink->Start(offset)) {
                t->refused = true;
                return CURL_WRITEFUNC_ERROR;
            }
        }
        if (!t->sink->Write(std::string_view(data, size * count))) {
            t->refused = true;
            return CURL_WRITEFUNC_ERROR;
        }
        return size * count;
    }

    static int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
        auto* t = static_cast<Transfer*>(user);
        const HttpClient& c = *t->client;
        return c.m_disconnect.load() || (c.m_cancelCheck && c.m_cancelCheck()) ? 1 : 0;
    }
};

HttpClient::HttpClient(HttpClientSettings settings) : m_settings(std::move(settings)) {
    GlobalInit();
    m_curl = curl_easy_init();
}

HttpClient::~HttpClient() {
    if (m_curl)
        curl_easy_cleanup(static_cast<CURL*>(m_curl));
}

void HttpClient::SetReadTimeout(long milliseconds) {
    m_settings.readTimeoutMs = milliseconds;
}

void HttpClient::SetCancelCheck(std::function<bool()> check) {
    m_cancelCheck = std::move(check);
}

std::int64_t HttpClient::Head(const std::string& url) {
    Perform(url, true, nullptr, 0, 0);
    curl_off_t length = -1;
    curl_easy_getinfo(static_cast<CURL*>(m_curl), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    return length > 0 ? static_cast<std::int64_t>(length) : 0;
}

void HttpClient::Get(const std::string& url, BodySink& sink, std::uint64_t start,
                     std::uint64_t end) {
    Perform(url, false, &sink, start, end);
}

void HttpClient::Get(const std::string& url, std::string& buffer, std::uint64_t start,
                     std::uint64_t end) {
    StringSink sink(buffer);
    Perform(url, false, &sink, start, end);
}

void HttpClient::Perform(const std::string& url, bool head, BodySink* sink, std::uint64_t start,
                         std::uint64_t end) {
    m_status = 0;
    m_disconnect.store(false);
    // A fresh handle for every request rather than curl_easy_reset: libcurl 7.88 keeps a pointer
    // to the last header of the previous answer across a reset, and an answer that opens with a
    // folded header line then makes it read freed memory.
    if (m_curl)
        curl_easy_cleanup(static_cast<CURL*>(m_curl));
    m_curl = curl_easy_init();
    CURL* curl = static_cast<CURL*>(m_curl);
    if (!curl)
        throw HttpError(0, "no HTTP client");

    Transfer t{this, curl, sink, false, false, std::nullopt};
    const long readSeconds = std::max(1L, (m_settings.readTimeoutMs + 999) / 1000);
    const std::string range =
        start != 0 || end != 0 ? std::to_string(start) + "-" + std::to_string(end) : std::string();

    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_USERAGENT, m_settings.userAgent.c_str());
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, m_settings.connectTimeoutMs);
    // The read time-out is the longest wait for data: at least one byte in that many seconds.
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, readSeconds);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 10L);
    // A redirect from a hostile server must not reach files or other protocols.
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FRESH_CONNECT, 1L);
    curl_easy_setopt(curl, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &Transfer::OnProgress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &t);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, &Transfer::OnHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &t);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Transfer::OnBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &t);
    if (head)
        curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
    if (!range.empty())
        curl_easy_setopt(curl, CURLOPT_RANGE, range.c_str());

    const CURLcode rc = curl_easy_perform(curl);
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    m_status = static_cast<int>(status);
    if (rc != CURLE_OK)
        throw HttpError(m_status, curl_easy_strerror(rc));
    if (m_status >= 400)
        throw HttpError(m_status, "HTTP status " + std::to_string(m_status));
}

} // namespace paperkit
