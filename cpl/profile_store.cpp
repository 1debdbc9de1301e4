// The applet's side of the parameter store: loading its seven settings with
// the repair rules, saving them with the derived double-click metrics, and
// the registry error box. Every registry step that fails is reported with
// the routine's name and the step's name as the caption.
#include <windows.h>

#include "applet.h"
#include "double_click.h"
#include "error_box.h"
#include "parameter_store.h"
#include "runtime.h"
#include "shared_texts.h"
#include "store_values.h"

ProfileSettingsData ProfileSettings;

namespace {

// Where each of the seven stored values lives in ProfileSettings.
struct SettingField {
    store::ValueId id;
    DWORD ProfileSettingsData::*field;
};

const SettingField kSettingFields[] = {
    {store::kBeepMode, &ProfileSettingsData::BeepMode},
    {store::kBeepFreq, &ProfileSettingsData::BeepFreq},
    {store::kBeepTime, &ProfileSettingsData::BeepTime},
    {store::kMouseMode, &ProfileSettingsData::MouseMode},
    {store::kDragDelay, &ProfileSettingsData::DragDelay},
    {store::kDblClickRegion, &ProfileSettingsData::DblClickRegion},
    {store::kPort, &ProfileSettingsData::Port},
};

DWORD &SettingOf(store::ValueId id) {
    for (const SettingField &entry : kSettingFields) {
        if (entry.id == id) return ProfileSettings.*entry.field;
    }
    // Only the seven applet values are ever asked for; the table holds all.
    return ProfileSettings.Port;
}

// The two store keys, opened together and closed in reverse order.
struct StoreKeys {
    HKEY touch;
    HKEY param;
};

void ReportStep(const char *routine, const char *step, LONG error) {
    char caption[64];
    rt::Copy(caption, sizeof(caption), routine);
    rt::Append(caption, sizeof(caption), step);
    shelf::ShowSystemError(static_cast<DWORD>(error), caption, MB_ICONINFORMATION);
}

LONG CreateKey(HKEY parent, const char *path, HKEY *key) {
    DWORD disposition = 0;
    return RegCreateKeyExA(parent, path, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL,
                           key, &disposition);
}

BOOL OpenStore(const char *routine, StoreKeys *keys) {
    LONG error = CreateKey(HKEY_LOCAL_MACHINE, TOUCH_SERVICE_KEY, &keys->touch);
    if (error != ERROR_SUCCESS) {
        ReportStep(routine, "_CreateTouchKeyEx", error);
        return FALSE;
    }
    error = CreateKey(keys->touch, TOUCH_PARAM_SUBKEY, &keys->param);
    if (error != ERROR_SUCCESS) {
        ReportStep(routine, "_CreateParamKeyEx", error);
        RegCloseKey(keys->touch);
        return FALSE;
    }
    return TRUE;
}

// Both keys are closed even when the first close fails, so no handle is
// left behind; each failure gets its own box.
BOOL CloseStore(const char *routine, StoreKeys *keys) {
    BOOL ok = TRUE;
    LONG error = RegCloseKey(keys->param);
    if (error != ERROR_SUCCESS) {
        ReportStep(routine, "_CloseParamKey", error);
        ok = FALSE;
    }
    error = RegCloseKey(keys->touch);
    if (error != ERROR_SUCCESS) {
        ReportStep(routine, "_CloseTouchKey", error);
        ok = FALSE;
    }
    return ok;
}

void ReadSettings(HKEY param) {
    for (store::ValueId id : store::kAppletReadOrder) {
        uint32_t stored = 0;
        bool found = shelf::QueryStoredValue(param, id, &stored);
        SettingOf(id) = store::RepairValue(id, found, stored);
        if (id == store::kPort && !found) {
            MessageBoxA(NULL,
                        "We can not get COM port information from registry,use default values.",
                        "Warning!", MB_OK | MB_ICONINFORMATION);
        }
    }
}

// Returns false when any value could not be written; all are attempted.
bool WriteSettings(HKEY param) {
    bool allWritten = true;
    for (store::ValueId id : store::kAppletSaveOrder) {
        DWORD value = SettingOf(id);
        LONG error = RegSetValueExA(param, store::Rule(id).name, 0, REG_DWORD,
                                    reinterpret_cast<const BYTE *>(&value), sizeof(value));
        if (error != ERROR_SUCCESS) allWritten = false;
    }
    return allWritten;
}

}  // namespace

BOOL GetProfileSetting() {
    StoreKeys keys;
    if (!OpenStore("GetProfileSetting", &keys)) return FALSE;
    ReadSettings(keys.param);
    return CloseStore("GetProfileSetting", &keys);
}

BOOL SaveProfileSetting() {
    StoreKeys keys;
    if (!OpenStore("SaveProfileSetting", &keys)) return FALSE;
    bool allWritten = WriteSettings(keys.param);
    shelf::ApplyDoubleClickMetrics(ProfileSettings.DblClickRegion, ProfileSettings.MouseMode);
    if (!allWritten) {
        MessageBoxA(NULL, "Warning:Update parameters to registry error!", PRODUCT_NAME,
                    MB_OK | MB_ICONINFORMATION);
    }
    return CloseStore("SaveProfileSetting", &keys);
}
