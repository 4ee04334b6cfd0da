#pragma once
// The console's windows are form resources embedded in the program (resources/forms/<Name>.form,
// type "FORM"): read into a form made in code, with its events bound by handler name.
#include "platform/rtl/String.h"
#include "platform/vcl/FormReader.h"
#include "platform/vcl/Forward.h"

namespace vd {

// Every class a form resource of the program may name; safe to call more than once.
void RegisterConsoleClasses();

// Reads the embedded form resource `name` into form. A missing resource or malformed text
// raises EReadError naming the resource.
void ReadFormResource(TComponent* form, const String& name, const TFormReader::EventBinder& binder = {});

} // namespace vd
