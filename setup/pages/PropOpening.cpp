#include "setup/pages/PropOpening.h"

#include "resources/resource.h"

namespace keld {

CPropOpening::CPropOpening() : fw::CPropertyPage(IDD_WELCOME) {}

}  // namespace keld
