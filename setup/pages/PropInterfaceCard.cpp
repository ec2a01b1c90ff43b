#include "setup/pages/PropInterfaceCard.h"

#include "resources/resource.h"

namespace keld {

CPropInterfaceCard::CPropInterfaceCard() : fw::CPropertyPage(IDD_INTERFACE_CARD) {}

}  // namespace keld
