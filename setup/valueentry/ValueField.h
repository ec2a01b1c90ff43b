// Value fields: edit controls that show a number in inch or metric units,
// accept expressions and keep the value within limits.
#pragma once
#include "framework/PropertySheet.h"
#include "setup/valueentry/ValueText.h"

#include <cstdint>
#include <map>
#include <memory>

namespace keld {

// Display units of the whole program: non-zero inch (the initial value),
// zero metric.
extern int InchUnits;

struct CValueField {
    uint32_t id = 0;             // control id; its low 16 bits key the map
    unsigned short kind = 0;     // VF_EXPRESSION, VF_LENGTH
    bool modified = false;       // text changed since last written or processed
    double value = 0;            // storage units (inches for a length)
};

class CValueFieldSet {
public:
    explicit CValueFieldSet(fw::CWnd* page) : page(page) {}
    virtual ~CValueFieldSet();
    CValueFieldSet(const CValueFieldSet&) = delete;
    CValueFieldSet& operator=(const CValueFieldSet&) = delete;

    virtual double GetMaxValue(UINT id);
    virtual double GetMinValue(UINT id);
    virtual int GetDecimalPlaces(UINT id) const;

    BOOL AddField(unsigned int id, unsigned short kind, double initialValue);
    CValueField* FindField(unsigned int id);

    void ShowField(CValueField& field);
    int ReadField(CValueField& field);
    void ShowAllFields();
    BOOL OnFieldNotify(WPARAM wParam, LPARAM lParam);

    // Focus-loss processing: read, then show the result or the error message.
    void ProcessModifiedField(CValueField& field);

protected:
    // Whether a field that loses the focus now is checked; not while the
    // sheet closes or the focus goes to its Cancel button.
    virtual bool ChecksFocusLoss() const { return true; }

    fw::CWnd* page;
    int decimalPlaces = 6;
    std::map<uint16_t, std::unique_ptr<CValueField>> fields;
};

// Base of the pages that have value fields.
class CPropertyPageBase : public fw::CPropertyPage, public CValueFieldSet {
public:
    CPropertyPageBase(UINT templateId, UINT captionId);
    CPropertyPageBase();

protected:
    // Every command notification goes to OnFieldNotify first, then on to
    // the page's own command handling.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool ChecksFocusLoss() const override;
    void DoDataExchange(fw::CDataExchange*) override {}
};

// Exchanges a registered value field with a page member (storage units);
// an unregistered id is exchanged as a plain double.
void DDX_ValueField(CValueFieldSet* set, fw::CDataExchange* dx, int id, double& member);

}  // namespace keld
