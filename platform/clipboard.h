// The clipboard object of the stand-in class library (TClipboard): ANSI text in CF_TEXT.
#pragma once

#include <string_view>

#include "platform/win_types.h"

class TClipboard {
public:
    explicit TClipboard(HWND owner = nullptr) : owner_(owner) {}

    // Opens, empties and closes the clipboard.
    void Clear();
    // Opens and empties the clipboard, stores the text's bytes and one NUL in CF_TEXT, closes it.
    void SetTextBuf(std::string_view text);

    // OpenClipboard is tried this often, with this pause between two tries, before the
    // clipboard counts as held by another program.
    static constexpr int openTries = 10;
    static constexpr unsigned retryPauseMs = 25;

private:
    // Throws Exception "クリップボードを開くことができません" when every try fails.
    void open();
    HWND owner_;
};
