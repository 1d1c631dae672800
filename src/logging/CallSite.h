// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <source_location>

namespace corvane {

// Where a logging call was made. std::source_location where the standard library offers it;
// clang 14 with libstdc++ (the compiler of the fuzzing build on Debian 12) lacks it, and there
// the compiler builtins behind it give the same file and line (the function without its
// signature).
#ifdef __cpp_lib_source_location
using CallSite = std::source_location;
#else
class CallSite {
public:
    static constexpr CallSite current(const char* file = __builtin_FILE(),
                                      const char* function = __builtin_FUNCTION(),
                                      unsigned line = __builtin_LINE()) noexcept
    {
        return CallSite(file, function, line);
    }
    constexpr const char* file_name() const noexcept { return file_; }
    constexpr const char* function_name() const noexcept { return function_; }
    constexpr unsigned line() const noexcept { return line_; }

private:
    constexpr CallSite(const char* file, const char* function, unsigned line) noexcept
        : file_(file), function_(function), line_(line)
    {}
    const char* file_;
    const char* function_;
    unsigned line_;
};
#endif

} // namespace corvane
