// Options page: the option extensions.
#pragma once
#include "framework/PropertySheet.h"

namespace keld {

class CPropOptions : public fw::CPropertyPage {
public:
    CPropOptions();
};

}  // namespace keld
