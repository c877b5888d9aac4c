// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Lets a test run out of memory on purpose: while alive, the process may take only a little
// more address space than it holds now, so a large allocation fails with std::bad_alloc.
// The sanitizers' allocators end the process instead of throwing, and other systems lack the
// limit: Available() says whether a test can use it.

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define VELMARO_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define VELMARO_ADDRESS_SANITIZER 1
#endif
#endif

#ifdef __linux__
#include <sys/resource.h>
#include <unistd.h>

#include <fstream>
#endif

class AddressSpaceLimit {
public:
    static constexpr bool Available() {
#if defined(__linux__) && !defined(VELMARO_ADDRESS_SANITIZER)
        return true;
#else
        return false;
#endif
    }

    explicit AddressSpaceLimit(long spareBytes) {
#ifdef __linux__
        long pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        if (pages <= 0 || getrlimit(RLIMIT_AS, &saved_) != 0)
            return;
        rlimit tight = saved_;
        tight.rlim_cur = static_cast<rlim_t>(pages) * sysconf(_SC_PAGESIZE) + spareBytes;
        set_ = setrlimit(RLIMIT_AS, &tight) == 0;
#else
        (void)spareBytes;
#endif
    }
    ~AddressSpaceLimit() {
#ifdef __linux__
        if (set_)
            setrlimit(RLIMIT_AS, &saved_);
#endif
    }
    AddressSpaceLimit(const AddressSpaceLimit&) = delete;
    AddressSpaceLimit& operator=(const AddressSpaceLimit&) = delete;

    bool IsSet() const { return set_; }

private:
#ifdef __linux__
    rlimit saved_{};
#endif
    bool set_ = false;
};
