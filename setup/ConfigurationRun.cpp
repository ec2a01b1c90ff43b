// The configuration run: the sheet's modal operation.
#include "setup/ConfigureSheet.h"
#include "setup/options/PropOptions.h"
#include "setup/pages/PropGeneral.h"
#include "setup/pages/PropInterfaceCard.h"
#include "setup/pages/PropOpening.h"

namespace keld {

INT_PTR CConfigureSheet::DoModal()
{
    CPropOpening welcome;
    CPropGeneral general;
    CPropOptions options;
    CPropInterfaceCard interfaceCard;
    AddPage(&welcome);
    AddPage(&general);
    AddPage(&options);
    AddPage(&interfaceCard);

    return RunModalLoop();
}

}  // namespace keld
