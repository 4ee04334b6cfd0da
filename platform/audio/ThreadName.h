#pragma once
// Names the calling thread (shown by ps and debuggers); at most 15 characters.
namespace vd::audio {
void SetThreadName(const char* name);
}
