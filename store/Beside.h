// SPDX-License-Identifier: GPL-3.0-or-later
// How the store runs work beside the caller: on a thread of its own, or,
// when no thread can be had, where its result is asked for.
#pragma once

#include <future>

namespace store {

inline constexpr std::launch kBeside = std::launch::async | std::launch::deferred;

}  // namespace store
