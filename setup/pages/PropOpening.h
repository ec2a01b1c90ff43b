// Welcome page: display units and the machine picture.
#pragma once
#include "framework/PropertySheet.h"

namespace keld {

class CPropOpening : public fw::CPropertyPage {
public:
    CPropOpening();
};

}  // namespace keld
