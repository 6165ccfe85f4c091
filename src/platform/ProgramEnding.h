// SPDX-License-Identifier: MIT
#pragma once

namespace tervalo {

// Thrown out of a network wait when the program is ending: the transfer was stopped, and what
// waited for it is left where it stands. It is no error, so no handler of failures catches it
// (it is not a std::exception); it unwinds to the event loop's guard, which lets it go.
struct ProgramEnding {};

} // namespace tervalo
