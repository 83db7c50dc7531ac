// The seam over the real Win32 API: each operation is the one system call it names, with only the
// buffer handling and the resource cleanup that the call needs around it.
#include <cstring>

#include "platform/system.h"

namespace {

// Closes a kernel handle when it goes out of scope.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() {
        if (valid()) CloseHandle(handle_);
    }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

// Frees a global memory block unless ownership has passed to the clipboard. The error of the
// call that failed is kept, so that lastError() still reports it after the block is freed.
class GlobalBlock {
public:
    explicit GlobalBlock(HGLOBAL block) : block_(block) {}
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;
    ~GlobalBlock() {
        if (block_ == nullptr) return;
        DWORD error = GetLastError();
        GlobalFree(block_);
        SetLastError(error);
    }
    HGLOBAL get() const { return block_; }
    void release() { block_ = nullptr; }

private:
    HGLOBAL block_;
};

// Frees a buffer that FormatMessageA allocated.
class LocalText {
public:
    LocalText() = default;
    LocalText(const LocalText&) = delete;
    LocalText& operator=(const LocalText&) = delete;
    ~LocalText() {
        if (text_ != nullptr) LocalFree(text_);
    }
    char** receiver() { return &text_; }
    const char* get() const { return text_; }

private:
    char* text_ = nullptr;
};

}  // namespace

namespace sys {

std::string moduleFileName() {
    // A path longer than MAX_PATH is cut to the buffer's size; try again with a larger buffer.
    constexpr DWORD longestPath = 32768;
    for (DWORD size = MAX_PATH; size <= longestPath; size *= 2) {
        std::string path(size, '\0');
        DWORD length = GetModuleFileNameA(nullptr, path.data(), size);
        if (length == 0) return {};
        if (length < size) {
            path.resize(length);
            return path;
        }
    }
    return {};
}

bool fileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool readFileDenyingWriters(const std::string& path, std::string& content) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;

    std::string data;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file.get(), &size) && size.QuadPart > 0 &&
        static_cast<unsigned long long>(size.QuadPart) < data.max_size()) {
        data.reserve(static_cast<std::size_t>(size.QuadPart));
    }
    // Read until the end, whatever the size said: ReadFile takes at most a DWORD per call.
    constexpr DWORD chunkSize = 1 << 16;
    char chunk[chunkSize];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.get(), chunk, chunkSize, &read, nullptr)) return false;
        if (read == 0) break;
        data.append(chunk, read);
    }
    content = std::move(data);
    return true;
}

int messageBox(HWND owner, std::string_view text, std::string_view caption, UINT style) {
    return MessageBoxA(owner, std::string(text).c_str(), std::string(caption).c_str(), style);
}

UINT sendInput(UINT count, INPUT* inputs, int recordSize) {
    return SendInput(count, inputs, recordSize);
}

UINT mapVirtualKey(UINT code, UINT mapType) { return MapVirtualKeyA(code, mapType); }

int systemMetrics(int index) { return GetSystemMetrics(index); }

bool openClipboard(HWND owner) { return OpenClipboard(owner) != 0; }

bool emptyClipboard() { return EmptyClipboard() != 0; }

bool setClipboardData(UINT format, std::string_view bytes) {
    GlobalBlock block(GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
    if (block.get() == nullptr) return false;
    void* target = GlobalLock(block.get());
    if (target == nullptr) return false;
    std::memcpy(target, bytes.data(), bytes.size());
    GlobalUnlock(block.get());
    // On success the clipboard owns the block; only a refused block is ours to free.
    if (SetClipboardData(format, block.get()) == nullptr) return false;
    block.release();
    return true;
}

bool closeClipboard() { return CloseClipboard() != 0; }

void sleep(DWORD milliseconds) { Sleep(milliseconds); }

void retryPause(DWORD milliseconds) { Sleep(milliseconds); }

bool cursorPos(POINT& position) { return GetCursorPos(&position) != 0; }

DWORD lastError() { return GetLastError(); }

std::string errorText(DWORD code) {
    LocalText buffer;
    DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(buffer.receiver()), 0, nullptr);
    if (length == 0 || buffer.get() == nullptr) return {};
    std::string text(buffer.get(), length);
    // System messages end in CR LF; the text goes into a message of its own.
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
    return text;
}

}  // namespace sys
