#pragma once
// Descriptors watched with poll() on the test's own thread: the event loop of
// a program without a toolkit, as far as the system's services need one.
// Linux only, and kept to a header so the Windows tests do not build it.
#include <poll.h>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "system/Handle_Watcher.h"

class TPoll_Handle_Watcher final : public THandle_Watcher {
public:
    std::unique_ptr<THandle_Watch> Watch(TWaitable_Handle handle, std::function<void()> on_ready) override
    {
        const int id = next_id_++;
        watched_[id] = {static_cast<int>(handle), true, std::make_shared<std::function<void()>>(std::move(on_ready))};
        return std::make_unique<TWatch>(*this, id);
    }

    // One pass of the loop: waits up to `timeout` for a watched descriptor,
    // then calls back each one that poll() found ready, in one round, as an
    // event loop does. A callback may run a nested pass.
    void Run_Once(std::chrono::milliseconds timeout = std::chrono::milliseconds(0))
    {
        std::vector<int> ids;
        std::vector<pollfd> fds;
        for (const auto& [id, watched] : watched_)
            if (watched.enabled) {
                ids.push_back(id);
                fds.push_back({watched.fd, POLLIN, 0});
            }
        if (poll(fds.data(), fds.size(), static_cast<int>(timeout.count())) <= 0)
            return;
        for (std::size_t i = 0; i < fds.size(); ++i) {
            // Stopped or disabled by an earlier callback of this round.
            const auto found = watched_.find(ids[i]);
            if (fds[i].revents == 0 || found == watched_.end() || !found->second.enabled)
                continue;
            const auto on_ready = found->second.on_ready;
            (*on_ready)();
        }
    }

    // Passes until `done` holds or `limit` has passed; whether it held.
    bool Run_Until(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(5))
    {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (!done()) {
            if (std::chrono::steady_clock::now() >= deadline)
                return false;
            Run_Once(std::chrono::milliseconds(50));
        }
        return true;
    }

private:
    struct TWatched {
        int fd;
        bool enabled;
        std::shared_ptr<std::function<void()>> on_ready;
    };

    class TWatch final : public THandle_Watch {
    public:
        TWatch(TPoll_Handle_Watcher& watcher, int id) : watcher_(watcher), id_(id) {}
        ~TWatch() override { watcher_.watched_.erase(id_); }
        TWatch(const TWatch&) = delete;
        TWatch& operator=(const TWatch&) = delete;
        void Set_Enabled(bool enabled) override { watcher_.watched_.at(id_).enabled = enabled; }

    private:
        TPoll_Handle_Watcher& watcher_;
        int id_;
    };

    std::map<int, TWatched> watched_;
    int next_id_ = 0;
};
