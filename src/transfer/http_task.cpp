#include "transfer/http_task.h"

#include "transfer/http_thread.h"

#include <algorithm>

namespace paperkit {

namespace {

std::unique_ptr<TWallHttpTask> MakeTask(std::string_view kind, std::string_view key,
                                        const std::filesystem::path& target, std::string_view url) {
    auto task = std::make_unique<TWallHttpTask>();
    task->Kind = kind;
    task->Key = key;
    task->Target = target;
    task->URL = url;
    return task;
}

} // namespace

TWallHttpTaskes::~TWallHttpTaskes() {
    Clear();
}

TWallHttpTask* TWallHttpTaskes::Get(int index) const {
    if (index < 0 || index >= Count())
        return nullptr;
    return m_tasks[static_cast<std::size_t>(index)].get();
}

TWallHttpTask* TWallHttpTaskes::Add(std::string_view kind, std::string_view key,
                                    const std::filesystem::path& target, std::string_view url) {
    m_tasks.push_back(MakeTask(kind, key, target, url));
    return m_tasks.back().get();
}

TWallHttpTask* TWallHttpTaskes::AddFirst(std::string_view kind, std::string_view key,
                                         const std::filesystem::path& target,
                                         std::string_view url) {
    m_tasks.insert(m_tasks.begin(), MakeTask(kind, key, target, url));
    return m_tasks.front().get();
}

void TWallHttpTaskes::Delete(int index) {
    TWallHttpTask* task = Get(index);
    if (!task)
        return;
    // A worker whose result was already collected may still point at the task; it lets go of it
    // as well, so that no worker is left referring to a released task. Only a running transfer
    // is aborted.
    if (task->Worker && task->Worker->Task() == task)
        task->Worker->DetachFrom(task, !task->State.empty());
    m_tasks.erase(m_tasks.begin() + index);
}

void TWallHttpTaskes::DeleteKinds(std::string_view kinds) {
    std::vector<std::string_view> names;
    for (std::size_t start = 0; start <= kinds.size();) {
        const std::size_t comma = std::min(kinds.find(',', start), kinds.size());
        names.push_back(kinds.substr(start, comma - start));
        start = comma + 1;
    }
    for (int i = Count() - 1; i >= 0; --i) {
        const std::string& kind = m_tasks[static_cast<std::size_t>(i)]->Kind;
        if (std::find(names.begin(), names.end(), kind) != names.end())
            Delete(i);
    }
}

void TWallHttpTaskes::MoveToEnd(int index) {
    if (index < 0 || index >= Count() - 1)
        return;
    auto it = m_tasks.begin() + index;
    std::rotate(it, it + 1, m_tasks.end());
}

void TWallHttpTaskes::MoveToFront(int index) {
    if (index <= 0 || index >= Count())
        return;
    auto it = m_tasks.begin() + index;
    std::rotate(m_tasks.begin(), it, it + 1);
}

void TWallHttpTaskes::Clear() {
    while (Count() > 0)
        Delete(Count() - 1);
}

} // namespace paperkit
