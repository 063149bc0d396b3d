#include "cli/InputQueue.h"

#include <algorithm>
#include <exception>
#include <system_error>

namespace jad {

namespace {

InputResult runGuarded(const InputQueue::Work& work, size_t index, size_t worker) {
    try {
        return work(index, worker);
    } catch (const std::exception& error) {
        InputResult failed;
        failed.failure = std::string("internal error: ") + error.what();
        return failed;
    }
}

}  // namespace

size_t InputQueue::threadsFor(size_t count, size_t requested) {
    const size_t wanted = requested ? requested : std::max<size_t>(1, std::thread::hardware_concurrency());
    return std::max<size_t>(1, std::min(count, wanted));
}

InputQueue::InputQueue(size_t count, size_t threads, Work work)
    : _count(count), _work(std::move(work)), _results(count) {
    if (threads < 2 || count < 2) return;
    try {
        for (size_t i = 0; i < threads; ++i) _workers.emplace_back([this, i] { workerLoop(i); });
    } catch (const std::system_error&) {
        // No more threads to be had: the ones started (or the reader) do the work.
    }
}

InputQueue::~InputQueue() {
    {
        std::lock_guard<std::mutex> lock(_mutex);
        _stopping = true;
    }
    _changed.notify_all();
    for (std::thread& worker : _workers) worker.join();
}

void InputQueue::workerLoop(size_t worker) {
    std::unique_lock<std::mutex> lock(_mutex);
    for (;;) {
        _changed.wait(lock, [this] { return _stopping || _claimed >= _count || _claimed < _taken + Window; });
        if (_stopping || _claimed >= _count) return;
        const size_t index = _claimed++;
        lock.unlock();
        InputResult result = runGuarded(_work, index, worker);
        lock.lock();
        _results[index] = std::move(result);
        _changed.notify_all();
    }
}

InputResult InputQueue::next() {
    if (_workers.empty()) return runGuarded(_work, _taken++, 0);
    std::unique_lock<std::mutex> lock(_mutex);
    const size_t index = _taken;
    _changed.wait(lock, [&] { return _results[index].has_value(); });
    InputResult result = std::move(*_results[index]);
    _results[index].reset();
    ++_taken;
    _changed.notify_all();
    return result;
}

}  // namespace jad
