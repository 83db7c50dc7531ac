// The opening of a run: the preconditions, the two files beside the executable, typeText.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/win_types.h"

// The main window's four recorded coordinates; (0, 0) is a position not recorded.
struct RecordedPositions {
    std::int32_t firstPosX = 0;
    std::int32_t firstPosY = 0;
    std::int32_t nextPosX = 0;
    std::int32_t nextPosY = 0;
};

struct PreparedRun {
    std::string journalPath;
    std::string typeText;
};

// Tests the preconditions in their order and loads the settings file. When a precondition fails
// it shows its message (owned by `owner`, MB_OK, caption "エラー") and returns nothing. A file that
// exists but cannot be opened throws EFOpenError.
std::optional<PreparedRun> prepareRun(HWND owner, const RecordedPositions& positions);
