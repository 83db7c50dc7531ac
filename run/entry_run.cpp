#include "run/entry_run.h"

#include "platform/string_list.h"

void runEntry(HWND owner, const RecordedPositions& positions) {
    const std::optional<PreparedRun> run = prepareRun(owner, positions);
    if (!run) return;

    // The input batches are built here, before the journal is read.

    TStringList journalLines;
    journalLines.LoadFromFile(run->journalPath);
}
