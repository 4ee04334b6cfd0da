#pragma once
// Every listener of the own-port server and every encoder pipe takes a descriptor: the program
// raises its soft limit to the hard one at start, so that only the system's limit counts.
namespace vd::audio {

// Returns the soft limit in force afterwards.
unsigned long RaiseOpenFileLimit();

} // namespace vd::audio
