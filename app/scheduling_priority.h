#pragma once

#include <memory>

namespace voltarix::app {

// Raises the process and the calling thread to the highest priority the
// system grants, and puts both back exactly as they were, thread first.
class SchedulingPriority {
public:
    virtual ~SchedulingPriority() = default;

    // Remembers the present priorities, then raises them.
    virtual void raise() = 0;
    // Puts back what raise() remembered: the thread's, then the process's.
    virtual void restore() = 0;

    // The system's own.
    static std::unique_ptr<SchedulingPriority> system();
};

} // namespace voltarix::app
