#include "run/entry_sequence.h"

#include "platform/system.h"
#include "texts_cp932.h"

namespace {

constexpr std::uint16_t vkTab = 9;
constexpr std::uint16_t vkControl = 17;
constexpr std::uint16_t vkDown = 40;
constexpr std::uint16_t vkV = 86;
constexpr std::int32_t press = 1;
constexpr std::int32_t release = 0;

// The target form gets this long to react to what came before; nothing else paces the two.
constexpr DWORD settleMs = 500;
constexpr DWORD shortSettleMs = 200;

std::unique_ptr<TUIController> keyStroke(std::uint16_t virtualKey) {
    auto batch = std::make_unique<TUIController>();
    batch->addKey(virtualKey, press);
    batch->addKey(virtualKey, release);
    return batch;
}

std::unique_ptr<TUIController> clickAt(std::int32_t x, std::int32_t y) {
    auto batch = std::make_unique<TUIController>();
    batch->addMoveTo(x, y);
    batch->addLeftClick();
    return batch;
}

std::unique_ptr<TUIController> pasteKeys() {
    auto batch = std::make_unique<TUIController>();
    batch->addKey(vkControl, press);
    batch->addKey(vkV, press);
    batch->addKey(vkControl, release);
    batch->addKey(vkV, release);
    return batch;
}

void pressDown(TUIController& downKey, std::int32_t times) {
    for (std::int32_t i = 0; i < times; ++i) downKey.send();
}

}  // namespace

EntryBatches buildEntryBatches(const RecordedPositions& positions) {
    EntryBatches batches;
    batches.pasteKeys = pasteKeys();
    batches.tabKey = keyStroke(vkTab);
    batches.downKey = keyStroke(vkDown);
    batches.clickFirst = clickAt(positions.firstPosX, positions.firstPosY);
    batches.clickNext = clickAt(positions.nextPosX, positions.nextPosY);
    return batches;
}

void enterRecord(EntryBatches& batches, TClipboard& clipboard, std::string_view typeText,
                 const JournalRecord& record) {
    TUIController& paste = *batches.pasteKeys;
    TUIController& tab = *batches.tabKey;

    // Tab stop 0, the type input field.
    sys::sleep(settleMs);
    batches.clickFirst->send();
    sys::sleep(settleMs);
    clipboard.Clear();
    clipboard.SetTextBuf(typeText);
    paste.send();
    tab.send();

    // Tab stops 1 and 2, the two choice lists.
    sys::sleep(settleMs);
    pressDown(*batches.downKey, record.firstDownCount);
    tab.send();
    sys::sleep(settleMs);
    pressDown(*batches.downKey, record.secondDownCount);
    tab.send();

    // Tab stops 3 to 5. The first text goes on without an empty clipboard in between.
    sys::sleep(settleMs);
    clipboard.SetTextBuf(record.firstText);
    paste.send();
    tab.send();
    sys::sleep(settleMs);
    clipboard.Clear();
    clipboard.SetTextBuf(texts::partition);
    paste.send();
    tab.send();
    sys::sleep(settleMs);
    clipboard.Clear();
    clipboard.SetTextBuf(record.secondText);
    paste.send();
    tab.send();

    // Tab stops 6 and 7 stay as they are; tab stop 8 takes the third text.
    sys::sleep(shortSettleMs);
    tab.send();
    sys::sleep(shortSettleMs);
    tab.send();
    sys::sleep(settleMs);
    clipboard.Clear();
    clipboard.SetTextBuf(record.thirdText);
    paste.send();

    sys::sleep(settleMs);
    batches.clickNext->send();
}
