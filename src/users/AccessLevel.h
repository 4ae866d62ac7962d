#pragma once

#include <cstdint>

// What the user in force may do: everything, edit presentations but not administer, or only
// view. The numbers are the ones the command line (/A, /E, /L) and the users list store.
enum class AccessLevel : std::uint8_t { ViewOnly = 0, Editing = 1, Full = 2 };
