#pragma once
// Errors on a connection registered here are expected (another program's window may vanish
// while we talk to it) and ignored; errors on other connections go to the handler that was
// installed before. Registrations nest; safe from any thread.
struct _XDisplay;

namespace vd::x11 {

void IgnoreErrorsOn(_XDisplay* dpy);
void StopIgnoringErrorsOn(_XDisplay* dpy); // ends one registration

} // namespace vd::x11
