#pragma once
// Qt's own texts (standard buttons, the colour and file dialogs) in Polish, like the rest of
// the program.

namespace vt {

// Installs Qt's Polish translation into the running application; false when it is not
// installed on this system, and the standard texts stay English.
bool installQtPolish();

} // namespace vt
