#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace paperkit {

class TWallHttpThread;

/// One download, owned by the task list.
struct TWallHttpTask {
    /// "T", "I", "DS", "DI" or "F".
    std::string Kind;
    /// Album id, image key or version record file name.
    std::string Key;
    std::string URL;
    /// The file to write.
    std::filesystem::path Target;
    /// Whether the attempt that ended last wrote the target.
    bool Success = false;
    /// Empty: waiting for a worker; "create": handed to a worker; "end": an attempt has ended.
    std::string State;
    /// The worker the task was last handed to; not owned.
    TWallHttpThread* Worker = nullptr;
    /// Number of ended attempts.
    int TryCounts = 0;
};

/// The ordered task list; the scheduler hands tasks out from the front. Coordinator thread only.
class TWallHttpTaskes {
public:
    TWallHttpTaskes() = default;
    ~TWallHttpTaskes();
    TWallHttpTaskes(const TWallHttpTaskes&) = delete;
    TWallHttpTaskes& operator=(const TWallHttpTaskes&) = delete;

    int Count() const { return static_cast<int>(m_tasks.size()); }
    /// The task at the index, nullptr outside the list.
    TWallHttpTask* Get(int index) const;

    /// A new waiting task at the end.
    TWallHttpTask* Add(std::string_view kind, std::string_view key,
                       const std::filesystem::path& target, std::string_view url);
    /// A new waiting task at the front.
    TWallHttpTask* AddFirst(std::string_view kind, std::string_view key,
                            const std::filesystem::path& target, std::string_view url);
    /// Removes the task, first detaching its worker when that still holds it. An invalid index
    /// does nothing.
    void Delete(int index);
    /// Deletes every task whose kind is in the comma-separated list ("T,I"), last to first.
    void DeleteKinds(std::string_view kinds);
    /// Moves the task to the end; nothing unless 0 <= index < Count - 1.
    void MoveToEnd(int index);
    /// Moves the task to the front; nothing unless 0 < index < Count.
    void MoveToFront(int index);
    /// Deletes every task.
    void Clear();

private:
    std::vector<std::unique_ptr<TWallHttpTask>> m_tasks;
};

} // namespace paperkit
