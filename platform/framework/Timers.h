#pragma once

#include "platform/framework/Classes.h"

#include <cstdint>
#include <vector>

namespace framework {

class TTimer;

// Time as the framework sees it: it moves only when a test (or the host's idle loop) advances it,
// and due timers fire in time order during the advance.
class TVirtualClock {
public:
    std::int64_t Now() const { return m_now; }
    void Advance(std::int64_t milliseconds);

    struct Entry {
        void* owner;
        std::int64_t due;
        std::int64_t interval;
        std::function<void()> fire;
    };
    void Schedule(void* owner, std::int64_t interval, std::function<void()> fire);
    void Cancel(void* owner);
    bool Scheduled(void* owner) const;

private:
    std::int64_t m_now = 0;
    std::vector<Entry> m_entries;
};

TVirtualClock& Clock();

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    int Interval() const { return m_interval; }
    void SetInterval(int interval);

    TNotifyEvent OnTimer;
    void Loaded() override;
    void Update();

private:
    bool m_enabled = true;
    int m_interval = 1000;
};

} // namespace framework
