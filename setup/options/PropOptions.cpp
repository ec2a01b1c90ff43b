#include "setup/options/PropOptions.h"

#include "resources/resource.h"

namespace keld {

CPropOptions::CPropOptions() : fw::CPropertyPage(IDD_OPTIONS) {}

}  // namespace keld
