#include "catalog/container.h"

#include "support/gbk.h"
#include "support/log.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <zlib.h>

namespace paperkit {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kSection = "file1";
constexpr std::string_view kPassword = "mosslark";

// MS-DOS date-time in local time: date in the high 16 bits, time (2-second steps) in the low.
std::uint32_t ToDosDateTime(fs::file_time_type time) {
    const std::time_t t =
        std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(time));
    std::tm tm{};
    if (!localtime_r(&t, &tm))
        return 0;
    if (tm.tm_year < 80)
        return (1u << 5 | 1u) << 16; // the form cannot go before 1980-01-01
    if (tm.tm_year > 80 + 127)
        return (127u << 9 | 12u << 5 | 31u) << 16 | (23u << 11 | 59u << 5 | 29u);
    const auto date =
        static_cast<std::uint32_t>((tm.tm_year - 80) << 9 | (tm.tm_mon + 1) << 5 | tm.tm_mday);
    const auto clock =
        static_cast<std::uint32_t>(tm.tm_hour << 11 | tm.tm_min << 5 | tm.tm_sec / 2);
    return date << 16 | clock;
}

std::optional<fs::file_time_type> FromDosDateTime(std::uint32_t dos) {
    const std::uint32_t date = dos >> 16;
    const std::uint32_t clock = dos & 0xFFFF;
    std::tm tm{};
    tm.tm_year = static_cast<int>(date >> 9) + 80;
    tm.tm_mon = static_cast<int>(date >> 5 & 0x0F) - 1;
    tm.tm_mday = static_cast<int>(date & 0x1F);
    tm.tm_hour = static_cast<int>(clock >> 11);
    tm.tm_min = static_cast<int>(clock >> 5 & 0x3F);
    tm.tm_sec = static_cast<int>(clock & 0x1F) * 2;
    tm.tm_isdst = -1;
    if (tm.tm_mon < 0 || tm.tm_mon > 11 || tm.tm_mday < 1 || tm.tm_hour > 23 || tm.tm_min > 59 ||
        tm.tm_sec > 59)
        return std::nullopt;
    const std::time_t t = std::mktime(&tm);
    if (t == static_cast<std::time_t>(-1))
        return std::nullopt;
    return std::chrono::file_clock::from_sys(std::chrono::system_clock::from_time_t(t));
}

std::string ReadWholeFile(const fs::path& path, std::size_t limit) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw ContainerError("cannot open " + path.string());
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    if (ec)
        throw ContainerError("cannot read " + path.string());
    if (size > limit)
        throw ContainerError(path.string() + " is too large to pack");
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.gcount() != static_cast<std::streamsize>(bytes.size()) || in.peek() != EOF)
        throw ContainerError("cannot read " + path.string() + " whole");
    return bytes;
}

std::string Compress(const std::string& payload) {
    uLongf size = compressBound(payload.size());
    std::string out(size, '\0');
    const int rc = compress2(reinterpret_cast<Bytef*>(out.data()), &size,
                             reinterpret_cast<const Bytef*>(payload.data()), payload.size(),
                             Z_DEFAULT_COMPRESSION);
    if (rc != Z_OK)
        throw ContainerError("compression failed");
    out.resize(size);
    return out;
}

// A name beside the target that no one else uses, so a half-written file never takes its place.
fs::path ScratchBeside(const fs::path& target) {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    constexpr char hex[] = "0123456789abcdef";
    std::string suffix;
    for (std::uint64_t v = random(); suffix.size() < 16; v >>= 4)
        suffix += hex[v & 0x0F];
    return target.parent_path() / ("." + target.filename().string() + "." + suffix + ".part");
}

// Writes the bytes to a scratch file beside the target, lets `prepare` finish it, then renames it
// over the target. The scratch file is removed on every failure.
template <typename Prepare>
void WriteReplacing(const fs::path& target, std::string_view bytes, Prepare prepare) {
    const fs::path scratch = ScratchBeside(target);
    std::error_code ec;
    try {
        {
            std::ofstream out(scratch, std::ios::binary | std::ios::trunc);
            if (!out)
                throw ContainerError("cannot create " + scratch.string());
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            out.close();
            if (!out)
                throw ContainerError("cannot write " + scratch.string());
        }
        prepare(scratch);
        fs::rename(scratch, target, ec);
        if (ec)
            throw ContainerError("cannot replace " + target.string() + ": " + ec.message());
    } catch (...) {
        fs::remove(scratch, ec);
        throw;
    }
}

// The inflated payload, in memory from the caller's functions.
class PayloadBuffer {
public:
    explicit PayloadBuffer(const PayloadMemory& memory) : m_memory(memory) {}
    PayloadBuffer(const PayloadBuffer&) = delete;
    PayloadBuffer& operator=(const PayloadBuffer&) = delete;
    ~PayloadBuffer() {
        if (m_data)
            m_memory.Deallocate(m_data);
    }

    char* Data() const { return m_data; }
    std::size_t Capacity() const { return m_capacity; }

    // Moves the first `used` bytes into a buffer of `capacity` bytes; false when memory runs out.
    bool Grow(std::size_t used, std::size_t capacity) {
        char* bigger = static_cast<char*>(m_memory.Allocate(capacity));
        if (!bigger)
            return false;
        if (used)
            std::memcpy(bigger, m_data, used);
        if (m_data)
            m_memory.Deallocate(m_data);
        m_data = bigger;
        m_capacity = capacity;
        return true;
    }

    std::unique_ptr<char, void (*)(void*)> Release() {
        m_capacity = 0;
        return {std::exchange(m_data, nullptr), m_memory.Deallocate};
    }

private:
    PayloadMemory m_memory;
    char* m_data = nullptr;
    std::size_t m_capacity = 0;
};

// Inflates the whole stream into `out` and gives its length; nullopt when it is not zlib data,
// ends early, or grows past the limit.
std::optional<std::size_t> Inflate(const fs::path& container, std::size_t limit,
                                   PayloadBuffer& out) {
    std::ifstream in(container, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::error_code ec;
    const std::uintmax_t packed = fs::file_size(container, ec);
    // One byte beyond the limit is room enough to tell that a stream goes past it.
    const std::size_t ceiling = limit == SIZE_MAX ? limit : limit + 1;
    // Inflating straight into one buffer spares copying chunks and regrowing; room that is never
    // written costs no memory, so the first guess is generous and later ones follow the ratio seen.
    constexpr std::size_t kFirstRoom = 64 * 1024;
    const std::size_t guess =
        ec ? kFirstRoom
           : static_cast<std::size_t>(std::min<std::uintmax_t>(packed, SIZE_MAX / 8) * 4);
    if (!out.Grow(0, std::clamp(guess, std::min(kFirstRoom, ceiling), ceiling)))
        return std::nullopt;
    z_stream z{};
    if (inflateInit(&z) != Z_OK)
        return std::nullopt;
    std::array<char, 64 * 1024> input{};
    std::size_t produced = 0;
    int rc = Z_OK;
    while (rc != Z_STREAM_END) {
        if (z.avail_in == 0) {
            in.read(input.data(), input.size());
            z.next_in = reinterpret_cast<Bytef*>(input.data());
            z.avail_in = static_cast<uInt>(in.gcount());
            if (z.avail_in == 0)
                break; // the stream ends before its end marker
        }
        if (produced == out.Capacity()) {
            if (produced >= ceiling) {
                rc = Z_BUF_ERROR;
                break;
            }
            double projected = static_cast<double>(produced) * 1.5;
            if (!ec && z.total_in > 0)
                projected = std::max(projected, static_cast<double>(produced) * 1.0625 *
                                                    static_cast<double>(packed) /
                                                    static_cast<double>(z.total_in));
            const std::size_t next = projected >= static_cast<double>(ceiling)
                                         ? ceiling
                                         : static_cast<std::size_t>(projected);
            if (!out.Grow(produced, std::max(next, produced + 1))) {
                rc = Z_MEM_ERROR;
                break;
            }
        }
        const std::size_t room =
            std::min<std::size_t>(out.Capacity() - produced, std::numeric_limits<uInt>::max());
        z.next_out = reinterpret_cast<Bytef*>(out.Data() + produced);
        z.avail_out = static_cast<uInt>(room);
        rc = inflate(&z, Z_NO_FLUSH);
        produced += room - z.avail_out;
        if (rc != Z_OK && rc != Z_STREAM_END)
            break;
    }
    inflateEnd(&z);
    if (rc != Z_STREAM_END || produced > limit)
        return std::nullopt;
    return produced;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

std::string_view Trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

// The value of a key in the [file1] section, as an INI reader finds it: section and key without
// regard to letter case, the first occurrence winning.
std::optional<std::string_view> TrailerValue(std::string_view trailer, std::string_view key) {
    bool inSection = false;
    while (!trailer.empty()) {
        const auto end = trailer.find('\n');
        const std::string_view line = Trim(trailer.substr(0, end));
        trailer = end == std::string_view::npos ? std::string_view{} : trailer.substr(end + 1);
        if (line.starts_with('[')) {
            const auto close = line.find(']');
            inSection = close != std::string_view::npos &&
                        EqualsNoCase(Trim(line.substr(1, close - 1)), kSection);
            continue;
        }
        const auto eq = line.find('=');
        if (inSection && eq != std::string_view::npos &&
            EqualsNoCase(Trim(line.substr(0, eq)), key))
            return Trim(line.substr(eq + 1));
    }
    return std::nullopt;
}

// A signed decimal as the INI reader takes it: anything else gives the default.
std::int64_t TrailerInteger(std::string_view trailer, std::string_view key) {
    const auto text = TrailerValue(trailer, key);
    std::int64_t value = 0;
    if (!text || std::from_chars(text->data(), text->data() + text->size(), value).ptr !=
                     text->data() + text->size())
        return 0;
    return value;
}

// Only a plain file name may come out of a container: nothing that climbs out of the folder or
// lands elsewhere. Checked after the GBK conversion, where a trail byte can no longer pass for '\'.
bool IsPlainFileName(const std::string& name) {
    if (name.empty() || name == "." || name == "..")
        return false;
    if (name.find_first_of(std::string_view("/\\\0", 3)) != std::string::npos)
        return false;
    return !fs::path(name).has_root_path();
}

} // namespace

void TMyZip::Pack(const fs::path& source, const fs::path& container) const {
    std::error_code ec;
    if (container.has_parent_path()) {
        fs::create_directories(container.parent_path(), ec);
        if (ec)
            throw ContainerError("cannot create the folder of " + container.string());
    }
    // The trailer states the size as a 32-bit number, and a container that could not be unpacked
    // again is no use.
    std::string payload = ReadWholeFile(source, std::min<std::size_t>(m_maxPayload, INT32_MAX));
    const auto written = fs::last_write_time(source, ec);
    if (ec)
        throw ContainerError("cannot read the time of " + source.string());

    const std::string trailer =
        "[" + std::string(kSection) + "]\r\n" +
        "FileName=" + Utf8ToGbk(source.filename().string()) + "\r\n" +
        "Password=" + std::string(kPassword) + "\r\n" +
        "FileSize=" + std::to_string(payload.size()) + "\r\n" +
        "FileDate=" + std::to_string(static_cast<std::int32_t>(ToDosDateTime(written))) + "\r\n";
    const auto length = static_cast<std::uint32_t>(trailer.size());
    payload += trailer;
    for (int shift = 0; shift < 32; shift += 8)
        payload += static_cast<char>(length >> shift & 0xFF);

    if (payload.size() > m_maxPayload)
        throw ContainerError(source.string() + " is too large to pack");
    WriteReplacing(container, Compress(payload), [](const fs::path&) {});
}

fs::path TMyZip::Unpack(const fs::path& container, const fs::path& folder) const noexcept {
    constexpr PayloadMemory heap{[](std::size_t size) { return std::malloc(size); },
                                 [](void* data) { std::free(data); }};
    return Unpack(container, folder, heap).File;
}

UnpackedFile TMyZip::Unpack(const fs::path& container, const fs::path& folder,
                            const PayloadMemory& memory) const noexcept {
    try {
        PayloadBuffer buffer(memory);
        const auto produced = Inflate(container, m_maxPayload, buffer);
        if (!produced || *produced < 4) {
            Log("unpack: " + container.string() + " is not a readable container");
            return {};
        }
        const std::string_view payload(buffer.Data(), *produced);
        std::uint32_t length = 0;
        for (int i = 0; i < 4; ++i)
            length |= std::uint32_t{static_cast<unsigned char>(payload[payload.size() - 4 + i])}
                      << (8 * i);
        const std::size_t body = payload.size() - 4;
        if (length > body) {
            Log("unpack: " + container.string() + " has a trailer longer than its payload");
            return {};
        }
        const std::string_view trailer = payload.substr(body - length, length);
        const std::int64_t size = std::max<std::int64_t>(0, TrailerInteger(trailer, "filesize"));
        const auto date = static_cast<std::uint32_t>(TrailerInteger(trailer, "filedate"));
        const std::string name = GbkToUtf8(TrailerValue(trailer, "filename").value_or(""));
        if (!IsPlainFileName(name)) {
            Log("unpack: " + container.string() + " names no plain file: \"" + name + "\"");
            return {};
        }
        if (static_cast<std::uint64_t>(size) > body - length) {
            Log("unpack: " + container.string() + " states more bytes than it holds");
            return {};
        }

        fs::create_directories(folder);
        UnpackedFile unpacked;
        unpacked.File = folder / name;
        unpacked.Size = static_cast<std::size_t>(size);
        WriteReplacing(unpacked.File, payload.substr(0, unpacked.Size),
                       [date](const fs::path& scratch) {
                           if (const auto time = FromDosDateTime(date))
                               fs::last_write_time(scratch, *time);
                       });
        unpacked.Bytes = buffer.Release();
        return unpacked;
    } catch (const std::exception& e) {
        Log("unpack: " + container.string() + ": " + e.what());
    } catch (...) {
        Log("unpack: " + container.string() + ": unknown failure");
    }
    return {};
}

} // namespace paperkit
