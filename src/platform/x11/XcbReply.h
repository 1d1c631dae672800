// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace corvane {

// xcb hands out replies and errors allocated with malloc; these own them.
struct XcbFree {
    void operator()(void* p) const { std::free(p); }
};

template <typename T> using XcbReply = std::unique_ptr<T, XcbFree>;

using XcbError = XcbReply<xcb_generic_error_t>;

} // namespace corvane
