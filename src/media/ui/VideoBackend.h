#pragma once

#include <optional>

// Whether the multimedia backend that plays videos and movies is there. Decided once, at the
// first question: a backend that can decode some file format.
namespace VideoBackend {

bool available();
// Pretends the backend is there or not (std::nullopt: ask the system again). For tests.
void setAvailableForTesting(std::optional<bool> available);

} // namespace VideoBackend
