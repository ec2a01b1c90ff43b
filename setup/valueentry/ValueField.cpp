#include "setup/valueentry/ValueField.h"

#include "framework/MessageBox.h"
#include "setup/valueentry/ExpressionEvaluator.h"

namespace keld {

int InchUnits = 1;

CValueFieldSet::~CValueFieldSet() = default;

double CValueFieldSet::GetMaxValue(UINT)
{
    return 1000000.0;
}

double CValueFieldSet::GetMinValue(UINT)
{
    return -1000000.0;
}

int CValueFieldSet::GetDecimalPlaces(UINT) const
{
    return decimalPlaces;
}

BOOL CValueFieldSet::AddField(unsigned int id, unsigned short kind, double initialValue)
{
    auto field = std::make_unique<CValueField>();
    field->id = id;
    field->kind = kind;
    field->value = initialValue;
    fields[static_cast<uint16_t>(id)] = std::move(field);
    return TRUE;
}

CValueField* CValueFieldSet::FindField(unsigned int id)
{
    auto found = fields.find(static_cast<uint16_t>(id));
    return found == fields.end() ? nullptr : found->second.get();
}

void CValueFieldSet::ShowField(CValueField& field)
{
    std::string text = FormatFieldValue(field.value, field.kind, InchUnits != 0, GetDecimalPlaces(field.id));
    page->SetDlgItemText(static_cast<int>(field.id), text);
    field.modified = false;  // our own write raised EN_CHANGE
}

int CValueFieldSet::ReadField(CValueField& field)
{
    std::string text = page->GetDlgItemText(static_cast<int>(field.id));
    FieldReading reading = ReadFieldText(text, field.kind, InchUnits != 0, field.value,
                                         GetMinValue(field.id), GetMaxValue(field.id));
    if (reading.errorCode != 0)
        return reading.errorCode;
    field.value = reading.value;
    return 0;
}

void CValueFieldSet::ShowAllFields()
{
    for (auto& [key, field] : fields)
        ShowField(*field);
}

void CValueFieldSet::ProcessModifiedField(CValueField& field)
{
    int code = ReadField(field);
    field.modified = false;
    if (code == 0)
        ShowField(field);
    else
        fw::AppMessageBox(ExpressionErrorText(code), MB_OK | MB_ICONEXCLAMATION);
}

BOOL CValueFieldSet::OnFieldNotify(WPARAM wParam, LPARAM)
{
    UINT code = HIWORD(wParam);
    CValueField* field = FindField(LOWORD(wParam));
    if (!field)
        return FALSE;
    if (code == EN_CHANGE)
        field->modified = true;
    else if (code == EN_KILLFOCUS && field->modified && ChecksFocusLoss())
        ProcessModifiedField(*field);
    return FALSE;
}

CPropertyPageBase::CPropertyPageBase(UINT templateId, UINT captionId)
    : fw::CPropertyPage(templateId, captionId), CValueFieldSet(this)
{
}

CPropertyPageBase::CPropertyPageBase() : CPropertyPageBase(0, 0) {}

BOOL CPropertyPageBase::OnCommand(WPARAM wParam, LPARAM lParam)
{
    OnFieldNotify(wParam, lParam);
    return fw::CPropertyPage::OnCommand(wParam, lParam);
}

// A Cancel checks nothing: the click on Cancel takes the focus before the
// sheet ends, Escape and the close box end it and the destruction takes the
// focus. The text stays marked modified, so an OK still checks it.
bool CPropertyPageBase::ChecksFocusLoss() const
{
    const fw::CPropertySheet* sheet = GetSheet();
    if (!sheet)
        return true;
    if (sheet->IsClosing())
        return false;
    HWND focus = ::GetFocus();
    return !focus || focus != ::GetDlgItem(*sheet, IDCANCEL);
}

void DDX_ValueField(CValueFieldSet* set, fw::CDataExchange* dx, int id, double& member)
{
    CValueField* field = set->FindField(static_cast<unsigned int>(id));
    if (!field) {
        fw::DDX_Text(dx, id, member);
        return;
    }
    if (dx->Failed())
        return;
    dx->PrepareEditCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        field->value = member;
        set->ShowField(*field);
        return;
    }
    if (field->modified)
        set->ProcessModifiedField(*field);
    member = field->value;
}

}  // namespace keld
