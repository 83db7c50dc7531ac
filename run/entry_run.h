// The whole run that the start button starts: set-up, the five input batches, the journal, the
// initial wait, every record, the completion message. Blocks the calling thread until it ends;
// errors leave it as exceptions.
#pragma once

#include "platform/win_types.h"
#include "run/run_setup.h"

void runEntry(HWND owner, const RecordedPositions& positions);
