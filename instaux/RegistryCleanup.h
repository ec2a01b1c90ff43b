// The registry clean-up of an installation: the option registrations of
// an old installation before the copy, old uninstall entries after it.
#pragma once

namespace instaux {

// Deletes the product's SetupExtensions, Options and KELDOPT keys with all
// their subkeys.
void RemoveOptionRegistry();
// Deletes the uninstall entries that earlier versions left.
void RemoveOldUninstallKeys();

}  // namespace instaux
