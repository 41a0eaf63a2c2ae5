#include "app/time_stamp_counter.h"

#if defined(__x86_64__) || defined(__i386__) || defined(_M_X64) || defined(_M_IX86)
#define VOLTARIX_HAS_TSC 1
#ifdef _MSC_VER
#include <intrin.h>
#else
#include <x86intrin.h>
#endif
#endif

namespace voltarix::app {

std::unique_ptr<TimeStampCounter> TimeStampCounter::open() {
#if defined(VOLTARIX_HAS_TSC)
    return std::unique_ptr<TimeStampCounter>(new TimeStampCounter);
#else
    return nullptr;
#endif
}

CycleSource::Count TimeStampCounter::read() {
#if defined(VOLTARIX_HAS_TSC)
    return {__rdtsc(), 0};
#else
    return {};
#endif
}

} // namespace voltarix::app
