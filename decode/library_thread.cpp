#include "decode/library_thread.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace voltarix::decode {

namespace {

// Never destroyed: the thread waits on it until the process ends, past static destruction.
struct Queue {
    std::mutex mutex;
    std::condition_variable changed;
    const std::function<void()>* task = nullptr;
    bool done = false;
    // Serves one caller at a time.
    std::mutex callers;
    std::thread::id thread;
};

Queue& queue() {
    static Queue* const instance = [] {
        auto* made = new Queue;
        std::thread worker([made] {
            std::unique_lock lock(made->mutex);
            while (true) {
                made->changed.wait(lock, [made] { return made->task != nullptr; });
                const std::function<void()>* task = made->task;
                lock.unlock();
                (*task)();
                lock.lock();
                made->task = nullptr;
                made->done = true;
                made->changed.notify_all();
            }
        });
        made->thread = worker.get_id();
        worker.detach();
        return made;
    }();
    return *instance;
}

} // namespace

void LibraryThread::run(const std::function<void()>& task) {
    Queue& q = queue();
    if (std::this_thread::get_id() == q.thread) {
        task();
        return;
    }
    std::lock_guard caller(q.callers);
    std::unique_lock lock(q.mutex);
    q.task = &task;
    q.done = false;
    q.changed.notify_all();
    q.changed.wait(lock, [&q] { return q.done; });
}

} // namespace voltarix::decode
