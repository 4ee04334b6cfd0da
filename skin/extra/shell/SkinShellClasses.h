#pragma once

namespace vd {

// Makes the shell views, the file controls, the path edits and the file dialogs known to the form
// reader.
void RegisterSkinShellClasses();

} // namespace vd
