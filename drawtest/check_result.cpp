// The end of an accuracy check: the touches are judged against the
// calibration in the parameter store, the service report goes next to the
// program, and the bar comes back with the verdict. Apply hands the fitted
// record to the driver and, after the user's Yes, saves it as the
// calibration program does; a No puts the stored record back in force.
#include "brokasta.h"
#include "calibration_save.h"
#include "driver_device.h"
#include "parameter_store.h"
#include "resource.h"
#include "runtime.h"
#include "shared_texts.h"
#include "store_values.h"
#include "timed_question.h"

static const char kReportName[] = "Brokasta.txt";
static const char kCaption[] = PRODUCT_NAME;
static const char kTransferFailed[] = "Could not transfer calibration parameters to device driver!";
// A report is about 1400 characters.
static const int kReportSize = 2048;

bool CheckRunning() {
    return g_board.mode == MODE_CHECK && !drawtest::CheckDone(g_board.check);
}

// The report lives in the program's own folder, where a technician finds it.
static bool ReportPath(char *path, DWORD size) {
    char program[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, program, sizeof(program));
    if (length == 0 || length >= sizeof(program)) return false;
    return rt::FolderOf(program, path, size) && rt::Append(path, size, kReportName);
}

static bool WriteReportFile(const char *text) {
    char path[MAX_PATH];
    if (!ReportPath(path, sizeof(path))) return false;
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              NULL);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD length = static_cast<DWORD>(lstrlenA(text)), written = 0;
    bool complete = WriteFile(file, text, length, &written, NULL) && written == length;
    // A report whose close failed may not be on the disk.
    return CloseHandle(file) && complete;
}

static bool SaveReport(const CalibrationRecord *stored) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    const drawtest::ReportTime time = {now.wYear, now.wMonth,  now.wDay,
                                       now.wHour, now.wMinute, now.wSecond};
    char text[kReportSize];
    return drawtest::FormatReport(text, sizeof(text), g_board.check, g_board.judgement, stored,
                                  g_board.applyState, time) &&
           WriteReportFile(text);
}

static void SetStatus(const char *text) { SetWindowTextA(g_board.status, text); }

// The calibration program's own boxes for the same failures.
static void Warn(const char *text) { MessageBoxA(NULL, text, kCaption, MB_OK); }

static void ShowOutcome(bool reportWritten) {
    char text[160] = "Check done: ";
    rt::Append(text, sizeof(text), drawtest::VerdictName(g_board.judgement.verdict));
    rt::Append(text, sizeof(text), reportWritten
                                       ? ". The report is in Brokasta.txt in the program's folder."
                                       : ". The report could not be written.");
    SetStatus(text);
}

void FinishCheck() {
    // Read as the applet reads the store, so both judge the same record.
    const CalibrationRecord *stored =
        shelf::LoadCalibration(&g_board.stored) ? &g_board.stored : NULL;
    g_board.judgement = drawtest::JudgeCheck(g_board.check, stored);
    g_board.applyState = drawtest::ApplyStateFor(g_board.judgement, shelf::DriverPresent());
    ShowOutcome(SaveReport(stored));
    ShowBar(true);
}

static bool Transfer(const CalibrationRecord &record) {
    CalibrationRecord copy = record;
    return shelf::RequestOnce(IOCTL_TOUCH_SET_CALIBRATION, &copy, sizeof(copy), NULL, 0)
               .outcome == shelf::kDone;
}

static bool ReloadParameters() {
    return shelf::RequestOnce(IOCTL_TOUCH_RELOAD_PARAMETERS, NULL, 0, NULL, 0).outcome ==
           shelf::kDone;
}

// The same question the calibration program asks, while the driver already
// works with the new record, so the user can try it; with the same time
// limit, since the new record may leave a touch-only user no way to answer.
static bool UserKeepsIt() {
    return shelf::AskTimedQuestion(
               g_board.window, CHECK_QUESTION_TEXT, CHECK_QUESTION_CAPTION,
               "With no answer the stored calibration comes back in %d s.") == IDYES;
}

// The user saw the pointer go wrong, or did not answer: the stored record
// goes back. A driver that refuses it is asked to read its stored
// parameters again, as the calibration program does.
static void PutStoredRecordBack() {
    if (Transfer(g_board.stored)) {
        SetStatus("The fitted calibration was not kept.");
    } else if (ReloadParameters()) {
        SetStatus("The fitted calibration was not kept; the driver read the stored one again.");
    } else {
        Warn(kTransferFailed);
        SetStatus("The fitted calibration was not kept, but the driver still uses it.");
    }
}

static void SaveFittedRecord() {
    BOOL allWritten = FALSE;
    if (!shelf::SaveCalibration(g_board.judgement.record, &allWritten)) {
        Warn("Cannot update touchscreen parameters to registry!");
        SetStatus("The fitted calibration is in force but not saved.");
        return;
    }
    // The save has shown its own box for values it could not write.
    SetStatus(allWritten ? "The fitted calibration is in force and saved."
                         : "The fitted calibration is in force but not saved.");
}

void ApplyFittedRecord() {
    if (g_board.applyState != drawtest::APPLY_OFFERED) return;
    if (!Transfer(g_board.judgement.record)) {
        Warn(kTransferFailed);
        return;
    }
    if (!UserKeepsIt()) {
        PutStoredRecordBack();
        return;
    }
    ShowWindow(g_board.apply, SW_HIDE);
    SaveFittedRecord();
}
