#pragma once
// Form resources: a text format of our own that describes a component tree.
//
//   object MainForm: TForm
//     Caption = 'Vendrill'
//     Width = 640
//     BorderIcons = [biSystemMenu, biMinimize]
//     OnClose = FormClose
//     object OkButton: TButton
//       Left = 8
//       Data = {0A0B0C}
//       Widths = (64 80 120)
//     end
//   end
//
// Strings are quoted with ' ('' for a quote) and may be joined with #nn character codes and +.
// The reader creates each component (by registered class name) owned by the root, puts it
// into its enclosing object (a control into its parent, a menu item into its menu), sets the
// properties by name and calls Loaded depth-first at the end. Malformed text raises EReadError
// with the line number and leaves no half-built components behind.
#include "platform/vcl/Component.h"

#include <functional>

namespace vd {

class TFormReader {
public:
    using Factory = std::function<TComponent*(TComponent* owner)>;
    // Binds an event property to a handler by the handler's name; false when unknown.
    using EventBinder =
        std::function<bool(TComponent* component, const String& event, const String& handler)>;

    static void RegisterClass(const String& className, Factory factory);
    static bool IsRegistered(const String& className);

    // Reads the text into an existing root (a form made in code); its class name must match.
    static void ReadRoot(const String& text, TComponent* root, const EventBinder& binder = {});
    // Creates the root from the text.
    static TComponent* ReadComponent(const String& text, TComponent* owner, const EventBinder& binder = {});
};

// Writes the root and everything under it in the same format; events are written by the
// names that namer gives (none when it returns an empty text).
String WriteComponentText(TComponent* root);

} // namespace vd
