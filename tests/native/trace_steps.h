// The trace of the simulated system after a run's set-up, compressed into the steps of the record
// sequence ("wait 500", "click first", "put A", "paste A", "tab", "down", ...), and the comparison
// of two step lists that shows where they part.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clipboard.h"
#include "platform/simulated_system.h"
#include "run/journal_record.h"
#include "run/run_setup.h"
#include "texts_cp932.h"

namespace trace_steps {

using Steps = std::vector<std::string>;

inline const HWND owner = reinterpret_cast<HWND>(std::uintptr_t{0x5a0});
// On the simulated 1920 x 1080 screen the first position is dx 3413, dy 12136 and the next one
// dx 10239, dy 24272.
inline constexpr RecordedPositions positions{100, 200, 300, 400};

inline std::string describeRecords(const std::vector<INPUT>& inputs) {
    std::string text;
    for (const INPUT& input : inputs) {
        if (!text.empty()) text += " ";
        if (input.type == INPUT_KEYBOARD) {
            text += "[key " + std::to_string(input.ki.wVk) + " scan " +
                    std::to_string(input.ki.wScan) + " flags " + std::to_string(input.ki.dwFlags) +
                    " time " + std::to_string(input.ki.time) + " extra " +
                    std::to_string(input.ki.dwExtraInfo) + "]";
        } else {
            text += "[mouse " + std::to_string(input.mi.dx) + "," + std::to_string(input.mi.dy) +
                    " data " + std::to_string(input.mi.mouseData) + " flags " +
                    std::to_string(input.mi.dwFlags) + " time " + std::to_string(input.mi.time) +
                    " extra " + std::to_string(input.mi.dwExtraInfo) + "]";
        }
    }
    return text;
}

// A send is named only when it carries exactly the records of one of the five batches;
// anything else shows its records.
inline std::string nameSend(const std::vector<INPUT>& inputs) {
    struct Batch {
        const char* name;
        const char* records;
    };
    static const Batch batches[] = {
        {"paste",
         "[key 17 scan 29 flags 0 time 0 extra 0] [key 86 scan 47 flags 0 time 0 extra 0] "
         "[key 17 scan 29 flags 2 time 0 extra 0] [key 86 scan 47 flags 2 time 0 extra 0]"},
        {"tab", "[key 9 scan 15 flags 0 time 0 extra 0] [key 9 scan 15 flags 2 time 0 extra 0]"},
        {"down", "[key 40 scan 80 flags 0 time 0 extra 0] [key 40 scan 80 flags 2 time 0 extra 0]"},
        {"click first",
         "[mouse 3413,12136 data 0 flags 32769 time 0 extra 0] "
         "[mouse 0,0 data 0 flags 2 time 0 extra 0] [mouse 0,0 data 0 flags 4 time 0 extra 0]"},
        {"click next",
         "[mouse 10239,24272 data 0 flags 32769 time 0 extra 0] "
         "[mouse 0,0 data 0 flags 2 time 0 extra 0] [mouse 0,0 data 0 flags 4 time 0 extra 0]"},
    };
    const std::string records = describeRecords(inputs);
    for (const Batch& batch : batches) {
        if (records == batch.records) return batch.name;
    }
    return "send " + records;
}

// The trace after set-up and the building of the batches, as the steps of the sequence:
// "wait 500", "click first", "clear", "put A", "paste A" (with what the clipboard holds at
// that moment), "tab", "down", "completion message". A clipboard that had to be retried shows
// "(after n retries)"; one that stayed held shows "clipboard refused after n tries". A failed
// call while the clipboard is open is added to its step ("clear + emptyClipboard -> failed"),
// and a clipboard that was opened and never closed shows "(left open)".
inline Steps runSteps() {
    Steps steps;
    const std::vector<sim::Event>& trace = sim::trace();
    std::size_t i = 0;
    while (i < trace.size() && trace[i].op != sim::Op::readFile) ++i;  // the settings file
    ++i;
    while (i < trace.size() && trace[i].op != sim::Op::readFile) ++i;  // the journal
    ++i;
    std::string clipboard = sim::clipboardText();  // unchanged by set-up
    while (i < trace.size()) {
        const sim::Event& event = trace[i];
        switch (event.op) {
        case sim::Op::sleep:
            steps.push_back("wait " + std::to_string(event.value));
            ++i;
            break;
        case sim::Op::sendInput: {
            std::string name = nameSend(event.inputs);
            if (name == "paste") name += " " + clipboard;
            steps.push_back(name);
            ++i;
            break;
        }
        case sim::Op::messageBox:
            if (event.owner == owner && event.text == texts::completion &&
                event.caption == texts::noticeCaption && event.value == MB_OK) {
                steps.push_back("completion message");
            } else {
                steps.push_back("message box " + event.describe());
            }
            ++i;
            break;
        case sim::Op::openClipboard: {
            int tries = 0;
            bool opened = false;
            while (i < trace.size() && !opened) {
                const sim::Event& attempt = trace[i];
                if (attempt.op == sim::Op::openClipboard) {
                    ++tries;
                    opened = attempt.succeeded;
                } else if (attempt.op != sim::Op::retryPause) {
                    break;
                } else if (attempt.value != TClipboard::retryPauseMs) {
                    steps.push_back("retry pause " + std::to_string(attempt.value));
                }
                ++i;
            }
            if (!opened) {
                steps.push_back("clipboard refused after " + std::to_string(tries) + " tries");
                break;
            }
            std::string step = "clear";
            for (; i < trace.size() && trace[i].op != sim::Op::closeClipboard; ++i) {
                const sim::Event& inside = trace[i];
                if (inside.op == sim::Op::emptyClipboard && inside.succeeded) {
                    clipboard.clear();
                } else if (inside.op == sim::Op::setClipboardData && inside.succeeded &&
                           inside.value == CF_TEXT && !inside.text.empty() &&
                           inside.text.back() == '\0') {
                    clipboard = inside.text.substr(0, inside.text.size() - 1);
                    step = "put " + clipboard;
                } else {
                    step += " + " + inside.describe();
                }
            }
            if (i == trace.size()) step += " (left open)";
            ++i;  // the close
            if (tries > 1) step += " (after " + std::to_string(tries - 1) + " retries)";
            steps.push_back(step);
            break;
        }
        default:
            steps.push_back(event.describe());
            ++i;
        }
    }
    return steps;
}

// Equal step lists, or the first place where they part, with what leads up to it.
inline ::testing::AssertionResult sameSteps(const Steps& actual, const Steps& expected) {
    std::size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
    if (at == actual.size() && at == expected.size()) return ::testing::AssertionSuccess();
    auto show = [](const Steps& steps, std::size_t i) {
        return i < steps.size() ? "\"" + steps[i] + "\"" : std::string("(the end)");
    };
    return ::testing::AssertionFailure()
           << "steps part at " << at << " (after " << show(expected, at - 1) << "): got "
           << show(actual, at) << ", expected " << show(expected, at) << "; " << actual.size()
           << " steps, expected " << expected.size();
}

inline Steps concat(std::initializer_list<Steps> parts) {
    Steps all;
    for (const Steps& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

// The steps of one whole record, as runSteps() shows them.
inline Steps recordSteps(std::string_view typeText, const JournalRecord& record) {
    const std::string type(typeText);
    const std::string partition(texts::partition);
    Steps steps = {"wait 500",    "click first",   "wait 500", "clear",
                   "put " + type, "paste " + type, "tab",      "wait 500"};
    steps.insert(steps.end(), std::max(record.firstDownCount, 0), "down");
    steps.insert(steps.end(), {"tab", "wait 500"});
    steps.insert(steps.end(), std::max(record.secondDownCount, 0), "down");
    steps.insert(steps.end(), {"tab",
                               "wait 500",
                               "put " + record.firstText,
                               "paste " + record.firstText,
                               "tab",
                               "wait 500",
                               "clear",
                               "put " + partition,
                               "paste " + partition,
                               "tab",
                               "wait 500",
                               "clear",
                               "put " + record.secondText,
                               "paste " + record.secondText,
                               "tab",
                               "wait 200",
                               "tab",
                               "wait 200",
                               "tab",
                               "wait 500",
                               "clear",
                               "put " + record.thirdText,
                               "paste " + record.thirdText,
                               "wait 500",
                               "click next"});
    return steps;
}

}  // namespace trace_steps
