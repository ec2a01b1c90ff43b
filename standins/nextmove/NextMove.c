/* Stand-in for the interface card's kernel driver NEXTMOVE.SYS.
 *
 * At start it reads its port address from the value NextMove0 of its
 * Parameters key and makes it observable beside it: RunningAddress holds the
 * address it started with and StartCount counts its starts. Stopping the
 * driver removes RunningAddress. It touches no hardware. */
#include <ddk/ntddk.h>

static const WCHAR kParameters[] = L"\\Parameters";

static NTSTATUS OpenParameters(PUNICODE_STRING servicePath, HANDLE* key)
{
    WCHAR buffer[512];
    UNICODE_STRING path;
    OBJECT_ATTRIBUTES attributes;
    ULONG disposition;
    USHORT length = servicePath->Length;

    if (length + sizeof kParameters > sizeof buffer)
        return STATUS_NAME_TOO_LONG;
    RtlCopyMemory(buffer, servicePath->Buffer, length);
    RtlCopyMemory((PCHAR)buffer + length, kParameters, sizeof kParameters);
    RtlInitUnicodeString(&path, buffer);
    InitializeObjectAttributes(&attributes, &path, OBJ_CASE_INSENSITIVE | OBJ_KERNEL_HANDLE, NULL, NULL);
    return ZwCreateKey(key, KEY_ALL_ACCESS, &attributes, 0, NULL, REG_OPTION_NON_VOLATILE, &disposition);
}

static BOOLEAN ReadDword(HANDLE key, PCWSTR name, ULONG* value)
{
    UNICODE_STRING valueName;
    UCHAR buffer[sizeof(KEY_VALUE_PARTIAL_INFORMATION) + sizeof(ULONG)];
    PKEY_VALUE_PARTIAL_INFORMATION info = (PKEY_VALUE_PARTIAL_INFORMATION)buffer;
    ULONG size = 0;

    RtlInitUnicodeString(&valueName, name);
    if (!NT_SUCCESS(ZwQueryValueKey(key, &valueName, KeyValuePartialInformation, info, sizeof buffer, &size)))
        return FALSE;
    if (info->DataLength < sizeof(ULONG))
        return FALSE;
    RtlCopyMemory(value, info->Data, sizeof(ULONG));
    return TRUE;
}

static void WriteDword(HANDLE key, PCWSTR name, ULONG value)
{
    UNICODE_STRING valueName;
    RtlInitUnicodeString(&valueName, name);
    ZwSetValueKey(key, &valueName, 0, REG_DWORD, &value, sizeof value);
}

static UNICODE_STRING g_servicePath;
static WCHAR g_servicePathBuffer[256];

static VOID NTAPI NextMoveUnload(PDRIVER_OBJECT driver)
{
    HANDLE key;
    UNREFERENCED_PARAMETER(driver);
    if (NT_SUCCESS(OpenParameters(&g_servicePath, &key))) {
        UNICODE_STRING valueName;
        RtlInitUnicodeString(&valueName, L"RunningAddress");
        ZwDeleteValueKey(key, &valueName);
        ZwClose(key);
    }
}

NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath)
{
    HANDLE key;
    ULONG address = 0;
    ULONG starts = 0;
    NTSTATUS status;

    if (registryPath->Length >= sizeof g_servicePathBuffer)
        return STATUS_NAME_TOO_LONG;
    RtlCopyMemory(g_servicePathBuffer, registryPath->Buffer, registryPath->Length);
    g_servicePathBuffer[registryPath->Length / sizeof(WCHAR)] = 0;
    RtlInitUnicodeString(&g_servicePath, g_servicePathBuffer);

    status = OpenParameters(&g_servicePath, &key);
    if (!NT_SUCCESS(status))
        return status;
    if (!ReadDword(key, L"NextMove0", &address)) {
        ZwClose(key);
        return STATUS_DEVICE_CONFIGURATION_ERROR;
    }
    ReadDword(key, L"StartCount", &starts);
    WriteDword(key, L"StartCount", starts + 1);
    WriteDword(key, L"RunningAddress", address);
    ZwClose(key);

    driver->DriverUnload = NextMoveUnload;
    return STATUS_SUCCESS;
}
