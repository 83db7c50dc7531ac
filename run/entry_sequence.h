// The entering of journal records: the five input batches a run builds once, and the fixed
// sequence of clicks, keys, pastes and waits that enters one record into the target form.
#pragma once

#include <memory>
#include <string_view>

#include "input/Uicontroller.h"
#include "platform/clipboard.h"
#include "run/journal_record.h"
#include "run/run_setup.h"

struct EntryBatches {
    std::unique_ptr<TUIController> pasteKeys;  // Ctrl down, V down, Ctrl up, V up
    std::unique_ptr<TUIController> tabKey;
    std::unique_ptr<TUIController> downKey;
    std::unique_ptr<TUIController> clickFirst;  // to the type input field, and a left click
    std::unique_ptr<TUIController> clickNext;   // to the button for one more record, and a click
};

// Builds the batches in the order of their members; the positions and the screen size are fixed
// into the two click batches now. Throws Exception when the screen size is reported as 0.
EntryBatches buildEntryBatches(const RecordedPositions& positions);

// Enters one record. Blocks for the sequence's fixed waits (4900 ms); the target application is
// never consulted. A clipboard that stays held throws, leaving the record entered up to there.
void enterRecord(EntryBatches& batches, TClipboard& clipboard, std::string_view typeText,
                 const JournalRecord& record);
