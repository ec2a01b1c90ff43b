#include "setup/pages/PropGeneral.h"

#include "resources/resource.h"

namespace keld {

CPropGeneral::CPropGeneral() : fw::CPropertyPage(IDD_GENERAL) {}

}  // namespace keld
