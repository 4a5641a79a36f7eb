#pragma once

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <map>
#include <mutex>
#include <thread>
#include <variant>
#include <vector>

namespace host {

// Runs produce(index, worker) for index 0, 1, ... on worker threads, ahead of one consumer that
// takes the results strictly in order. Workers stop starting new items while the weights (bytes)
// of the results waiting for the consumer would exceed the budget, so memory stays bounded however
// large the whole job is; the item the consumer waits for always starts, whatever its weight.
template <class Result>
class TOrderedWork {
public:
    using Produce = std::function<Result(std::size_t index, unsigned worker)>;

    TOrderedWork(std::vector<std::uint64_t> weights, unsigned workers, std::uint64_t budget, Produce produce)
        : m_weights(std::move(weights)), m_budget(budget), m_produce(std::move(produce)) {
        workers = std::max(1u, std::min<unsigned>(workers, static_cast<unsigned>(m_weights.size())));
        for (unsigned w = 0; w < workers && !m_weights.empty(); ++w)
            m_threads.emplace_back([this, w] { Work(w); });
    }

    // Stops the workers after the items they are on and waits for them.
    ~TOrderedWork() {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_room.notify_all();
        for (std::thread& thread : m_threads)
            thread.join();
    }

    TOrderedWork(const TOrderedWork&) = delete;
    TOrderedWork& operator=(const TOrderedWork&) = delete;

    static unsigned DefaultWorkers() { return std::clamp(std::thread::hardware_concurrency(), 1u, 8u); }

    // Indexes must increase from one call to the next. Raises what produce raised for the item.
    Result Take(std::size_t index) {
        std::unique_lock lock(m_mutex);
        m_taken = index;
        m_room.notify_all();
        m_ready.wait(lock, [&] { return m_done.count(index) != 0; });
        auto done = m_done.extract(index);
        m_waiting -= m_weights[index];
        m_taken = index + 1;
        lock.unlock();
        m_room.notify_all();
        if (auto* error = std::get_if<std::exception_ptr>(&done.mapped()))
            std::rethrow_exception(*error);
        return std::move(std::get<Result>(done.mapped()));
    }

private:
    bool MayStart(std::size_t index) const {
        return index <= m_taken || m_waiting + m_weights[index] <= m_budget;
    }

    void Work(unsigned worker) {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_room.wait(lock, [&] { return m_stop || m_next >= m_weights.size() || MayStart(m_next); });
            if (m_stop || m_next >= m_weights.size())
                return;
            const std::size_t index = m_next++;
            m_waiting += m_weights[index];
            lock.unlock();
            std::variant<Result, std::exception_ptr> outcome;
            try {
                outcome = m_produce(index, worker);
            } catch (...) {
                outcome = std::current_exception();
            }
            lock.lock();
            m_done.emplace(index, std::move(outcome));
            m_ready.notify_one();
        }
    }

    const std::vector<std::uint64_t> m_weights;
    const std::uint64_t m_budget;
    const Produce m_produce;
    std::mutex m_mutex;
    std::condition_variable m_room;  // workers wait here for budget
    std::condition_variable m_ready; // the consumer waits here for its item
    std::size_t m_next = 0;
    std::size_t m_taken = 0;
    std::uint64_t m_waiting = 0; // weight of the items started and not yet taken
    std::map<std::size_t, std::variant<Result, std::exception_ptr>> m_done;
    bool m_stop = false;
    std::vector<std::thread> m_threads;
};

} // namespace host
