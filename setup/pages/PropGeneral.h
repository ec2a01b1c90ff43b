// General page: general machining settings.
#pragma once
#include "framework/PropertySheet.h"

namespace keld {

class CPropGeneral : public fw::CPropertyPage {
public:
    CPropGeneral();
};

}  // namespace keld
