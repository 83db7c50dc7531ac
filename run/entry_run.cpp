#include "run/entry_run.h"

#include "platform/clipboard.h"
#include "platform/string_list.h"
#include "platform/system.h"
#include "run/entry_sequence.h"
#include "run/journal_record.h"
#include "texts_cp932.h"

namespace {

// Time for the user to bring the target form to the front after pressing the start button.
constexpr DWORD initialWaitMs = 2000;

}  // namespace

void runEntry(HWND owner, const RecordedPositions& positions) {
    const std::optional<PreparedRun> run = prepareRun(owner, positions);
    if (!run) return;

    // Built before the journal is read; owned here, so they go however the run ends.
    EntryBatches batches = buildEntryBatches(positions);

    TStringList journalLines;
    journalLines.LoadFromFile(run->journalPath);

    sys::sleep(initialWaitMs);
    TClipboard clipboard(owner);
    JournalRecord record;
    for (std::size_t index = 0; index < journalLines.Count(); ++index) {
        // Every field is cut and converted before anything of the record is sent.
        readJournalRecord(journalLines.Strings(index), record);
        enterRecord(batches, clipboard, run->typeText, record);
    }

    sys::messageBox(owner, texts::completion, texts::noticeCaption, MB_OK);
}
