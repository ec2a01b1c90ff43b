// Interface Card page: the card's port address.
#pragma once
#include "framework/PropertySheet.h"

namespace keld {

class CPropInterfaceCard : public fw::CPropertyPage {
public:
    CPropInterfaceCard();
};

}  // namespace keld
