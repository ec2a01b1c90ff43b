// The interface that KELDSetup.exe exports to option extension modules:
// the COption base class, the profile and option-registry services and the
// input/output button functions.
//
// An extension module is a DLL built against this header and KELDSetup's
// import library alone. It exports a factory function that takes no
// arguments and returns a new object of a class derived from COption, or
// null. COption is a C++ class, so a module is built with the compiler
// family of the program: MinGW-w64 g++, for the same architecture (i686).
#pragma once

#include <windows.h>

#include <stddef.h>
#include <stdint.h>

#if !defined(__cplusplus) || !defined(__GNUC__) || !defined(__MINGW32__)
#error "KELDSetup extension modules are C++ built with MinGW-w64 g++: COption is a C++ class of that compiler's ABI"
#endif

#ifdef KELDSETUP_EXPORTS
#define KELDSETUP_API __declspec(dllexport)
#else
#define KELDSETUP_API __declspec(dllimport)
#endif

// Every exported C function uses the C calling convention.
#define KELDSETUP_CALL __cdecl

// ---- Profile files and option registry ---------------------------------

// Profile selectors: which file a profile function works on.
#define SETUP_PROFILE_CURRENT 0  // the current profile file; no switch
#define SETUP_PROFILE_PROGRAM 1  // KELD4K.INI in the program folder
#define SETUP_PROFILE_TOOLS 2    // NVXTOOLS.INI in the program folder

// Each option has a registry key below HKEY_LOCAL_MACHINE named after its
// GetOptionName text: "Software\Brindlecraft\PXR2000\Options\<name>".
// It holds "Installed" and "Enabled" (REG_DWORD 0 or 1) and the
// input/output button values.

extern "C" {

// The version of this interface: 100.
KELDSETUP_API int KELDSETUP_CALL SetupGetVersion(void);

// The selected profile file's name: at most maxLength characters and a
// NUL, so `buffer` holds maxLength + 1 bytes. Empty for an unknown
// selector. Returns `buffer`.
KELDSETUP_API char* KELDSETUP_CALL SetupGetProfileName(int profile, char* buffer, int maxLength);

// The integer of `key`, or defaultValue when it is missing.
KELDSETUP_API unsigned int KELDSETUP_CALL SetupGetProfileInt(int profile, const char* section, const char* key,
                                                             int defaultValue);
// Writes `value` as signed decimal text. Non-zero on success.
KELDSETUP_API int KELDSETUP_CALL SetupWriteProfileInt(int profile, const char* section, const char* key, int value);

// The text of `key` (defaultValue, or empty for null, when it is missing):
// at most maxLength characters and a NUL into `buffer` (maxLength + 1
// bytes). Returns `buffer`.
KELDSETUP_API char* KELDSETUP_CALL SetupGetProfileString(int profile, const char* section, const char* key,
                                                         const char* defaultValue, char* buffer, int maxLength);
// Writes `value` as the text of `key`; a null value deletes the key, a null
// key the whole section. Non-zero on success.
KELDSETUP_API int KELDSETUP_CALL SetupWriteProfileString(int profile, const char* section, const char* key,
                                                         const char* value);

// "Installed" (installed non-zero) or "Enabled" (0) of the option's key; 0
// when the key or value is missing.
KELDSETUP_API int KELDSETUP_CALL GetOptionInstalledOrEnabled(const char* optionName, int installed);
// Stores "Installed" or "Enabled" as 1 (value non-zero) or 0, creating the
// key when needed. Non-zero when stored.
KELDSETUP_API int KELDSETUP_CALL SetOptionInstalledOrEnabled(const char* optionName, int installed, int value);

}  // extern "C"

// ---- Input/output buttons ----------------------------------------------

// Bits of InOutButtonParms::flags and ::flagsMask.
#define IOBF_RESET 0x01
#define IOBF_INVERT 0x02

// Bits of InOutButtonParms::present: which members hold a value.
#define IOB_DESC 0x01
#define IOB_OFFDESC 0x02
#define IOB_ONDESC 0x04
#define IOB_MAPTO 0x08
#define IOB_TBBTN 0x10

// Modes of ShowInOutButton. With SIOB_DESCRIBE or SIOB_BUTTON the button
// is published, with neither it is withdrawn.
#define SIOB_DESCRIBE 0x01  // write the texts and Reset/Invert, delete "Ignore"
#define SIOB_IGNORE 0x02    // withdrawing: set "Ignore" = 1, keep "TBBtn"
#define SIOB_BUTTON 0x10    // write "TBBtn"
#define SIOB_HIDDEN 0x20    // with SIOB_BUTTON: "TBBtn" negative (hidden)

// One input's or output's toolbar button. Clear it before reading into it.
struct InOutButtonParms {
    int32_t isOutput;   // 0 an input, else an output
    char desc[65];      // "Desc", NUL-terminated
    char offDesc[65];   // "OffDesc"
    char onDesc[65];    // "OnDesc"
    uint16_t mapTo;     // channel number ("MapTo")
    uint16_t tbBtn;     // toolbar button number ("TBBtn")
    uint16_t flags;     // IOBF_ bits
    uint16_t flagsMask; // which IOBF_ bits carry a value
    uint16_t present;   // IOB_ bits
};

static_assert(offsetof(InOutButtonParms, desc) == 4 && offsetof(InOutButtonParms, offDesc) == 69 &&
                  offsetof(InOutButtonParms, onDesc) == 134 && offsetof(InOutButtonParms, mapTo) == 200 &&
                  offsetof(InOutButtonParms, tbBtn) == 202 && offsetof(InOutButtonParms, flags) == 204 &&
                  offsetof(InOutButtonParms, flagsMask) == 206 && offsetof(InOutButtonParms, present) == 208 &&
                  sizeof(InOutButtonParms) == 212,
              "InOutButtonParms must keep the program's layout: check the packing in force");

extern "C" {

// Fills `parms` from the option's registry key (only adding bits to
// `present`). Returns IOB_MAPTO when a channel number was read, else 0.
KELDSETUP_API int KELDSETUP_CALL GetInOutButtonParms(const char* optionName, InOutButtonParms* parms);
// Stores the present members in the option's key. Non-zero on success.
KELDSETUP_API int KELDSETUP_CALL SetInOutButtonParms(const char* optionName, const InOutButtonParms* parms);
// Publishes or withdraws the button in KELD4K.INI (SIOB_ modes). 1 when it
// acted, 0 when there was nothing to withdraw.
KELDSETUP_API int KELDSETUP_CALL ShowInOutButton(const InOutButtonParms* parms, int mode);
// 1 when a published button for the channel is visible on the toolbar.
// `found` (may be null) tells whether the channel is published at all.
KELDSETUP_API int KELDSETUP_CALL IsButtonVisible(int mapTo, int isOutput, int* found);

}  // extern "C"

// ---- Options -----------------------------------------------------------

// Bits of COption::flags.
#define OPT_HASOPTIONS 0x0001     // has a settings window
#define OPT_ENABLED 0x0002        // enabled (checked)
#define OPT_VISIBLE 0x0004        // its settings are shown (set by Show)
#define OPT_PERMANENT 0x1000      // cannot be removed
#define OPT_ALWAYSENABLED 0x2000  // counts as enabled whatever OPT_ENABLED says

// One piece of optional machine equipment. The Options page drives every
// option through this class only; an extension derives from it, sets its
// flags in its constructor or factory and, with OPT_HASOPTIONS, creates its
// settings window in CreateOptWindow and stores it in `window`.
class KELDSETUP_API COption {
public:
    COption();
    COption(const COption& other);
    COption& operator=(const COption& other);
    virtual ~COption();

    // The display name, at most 127 characters (buffers hold 128 bytes).
    virtual void GetName(char* buffer) const;
    // The name of the option's registry key, at most 127 characters.
    virtual void GetOptionName(char* buffer) const;
    // Creates the settings window as a child of `parent` and stores it in
    // `window`; 0 on failure. Show places it afterwards.
    virtual int CreateOptWindow(HWND parent);
    // Loads the stored settings, just before the window is created; 0
    // refuses to show.
    virtual int LoadSettings();
    // Puts the default settings into the window.
    virtual int LoadDefaults();
    // On closing: save non-zero stores the user's settings, 0 discards them.
    virtual int SaveSettings(int save);
    // Marks the option installed or removed; the default stores
    // "Installed" in the option's registry key.
    virtual int Install(int install);

    // Stores where the settings window goes (client coordinates of
    // `parentWindow`); 1.
    int Initialize(void* parentWindow, const RECT* area);
    // The flag tests return masked bits, not 1.
    int HasOptions() const;
    int IsEnabled() const;
    int IsVisible() const;
    int IsPermanent() const;
    int IsAlwaysEnabled() const;
    void SetEnabled(int enable);
    // Shows (creating the window first when needed) or hides the settings;
    // 0 when LoadSettings or CreateOptWindow refused.
    int Show(int show);
    // SaveSettings(save), then destroys the window; 1.
    int SaveAndClose(int save);

protected:
    // Enables or disables every window inside `window`, at all depths.
    void EnableAll(int enable);

    RECT rect;          // where the settings window goes
    uint16_t flags;     // OPT_ bits
    void* parent;       // the parent window given to Initialize
    HWND window;        // the settings window, or null

private:
    friend struct COptionLayout;
};

// The layout that the program and its extension modules share.
struct COptionLayout {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
#if defined(_WIN64)
    static_assert(offsetof(COption, rect) == 8 && offsetof(COption, flags) == 24 &&
                      offsetof(COption, parent) == 32 && offsetof(COption, window) == 40 && sizeof(COption) == 48,
                  "COption must keep the program's layout: check the compiler and the packing in force");
#else
    static_assert(offsetof(COption, rect) == 4 && offsetof(COption, flags) == 20 &&
                      offsetof(COption, parent) == 24 && offsetof(COption, window) == 28 && sizeof(COption) == 32,
                  "COption must keep the program's layout: check the compiler and the packing in force");
#endif
#pragma GCC diagnostic pop
};

// The factory an extension module exports (its name is registered with
// the module), for example:
//   extern "C" __declspec(dllexport) COption* MakeOption() { return new CMyOption; }
// Each call returns a new object, which the program owns and deletes; a
// factory that cannot make one returns null.
//
// No exception may leave the factory or any COption function: catch what
// your code throws (std::bad_alloc of new included: use new (std::nothrow)
// or a try block) and return the failure result. A module has its own
// statically linked C++ runtime, and on i686 (DWARF unwinding) an exception
// cannot pass from it into the program: the module's runtime calls
// std::terminate and abort(). The program survives that only in the
// factory, where the module is then passed over, and in SaveSettings,
// SaveAndClose and the destructor when the page closes; anywhere else it
// ends the program and the operator's unsaved settings with it.
typedef COption* (*OptionFactory)(void);
