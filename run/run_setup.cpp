#include "run/run_setup.h"

#include <string_view>

#include "platform/file_paths.h"
#include "platform/string_list.h"
#include "platform/system.h"
#include "texts_cp932.h"

namespace {

bool isRecorded(std::int32_t x, std::int32_t y) { return x != 0 || y != 0; }

// The folder is joined as it is: at the root of a drive it already ends in its backslash, and
// the path then holds two in a row.
std::string besideExecutable(std::string_view fileName) {
    return ExtractFileDir(ExecutablePath()) + "\\" + std::string(fileName);
}

void showError(HWND owner, std::string_view text) {
    sys::messageBox(owner, text, texts::errorCaption, MB_OK);
}

}  // namespace

std::optional<PreparedRun> prepareRun(HWND owner, const RecordedPositions& positions) {
    if (!isRecorded(positions.firstPosX, positions.firstPosY)) {
        showError(owner, texts::stepOneNotDone);
        return std::nullopt;
    }
    if (!isRecorded(positions.nextPosX, positions.nextPosY)) {
        showError(owner, texts::stepTwoNotDone);
        return std::nullopt;
    }

    PreparedRun run;
    run.journalPath = besideExecutable("journal.txt");
    if (!FileExists(run.journalPath)) {
        showError(owner, texts::journalMissing);
        return std::nullopt;
    }

    const std::string settingsPath = besideExecutable("conf.txt");
    if (!FileExists(settingsPath)) {
        showError(owner, texts::settingsMissing);
        return std::nullopt;
    }
    TStringList settingsLines;
    settingsLines.LoadFromFile(settingsPath);
    if (settingsLines.Count() == 0) {
        showError(owner, texts::settingsInvalid);
        return std::nullopt;
    }
    run.typeText = std::string(settingsLines.Strings(0));
    return run;
}
