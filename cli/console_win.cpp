// The console edges of morvane-config on Windows. The command code writes UTF-8 through the C
// library; a console shows bytes in its own code page, so where a stream is a console its bytes
// go through a pipe to a thread that writes them with WriteConsoleW.
#include "cli/console_win.h"

#include <conio.h>
#include <fcntl.h>
#include <io.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <windows.h>

namespace {

constexpr DWORD pumpChunkBytes = 4096;

HANDLE console = nullptr;
HANDLE pipeOut = nullptr;
HANDLE pump = nullptr;
bool stdoutPumped = false;
bool stderrPumped = false;

bool isConsole(HANDLE handle) {
  DWORD mode = 0;
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

// The length of `bytes` up to the last UTF-8 sequence that is complete; the rest waits for the
// next read.
DWORD completeUtf8Length(const char* bytes, DWORD length) {
  for (DWORD back = 1; back <= 3 && back <= length; ++back) {
    const unsigned char byte = static_cast<unsigned char>(bytes[length - back]);
    if ((byte & 0xC0) == 0x80) continue;
    const DWORD needed = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    return needed > back ? length - back : length;
  }
  return length;
}

void writeAsUtf16(const char* bytes, DWORD length) {
  if (length == 0) return;
  wchar_t wide[pumpChunkBytes + 4];
  const int units = MultiByteToWideChar(CP_UTF8, 0, bytes, static_cast<int>(length), wide,
                                        static_cast<int>(pumpChunkBytes + 4));
  DWORD written = 0;
  if (units > 0) WriteConsoleW(console, wide, static_cast<DWORD>(units), &written, nullptr);
}

DWORD WINAPI pumpToConsole(void*) {
  char bytes[pumpChunkBytes + 4];
  DWORD kept = 0;
  DWORD got = 0;
  while (ReadFile(pipeOut, bytes + kept, pumpChunkBytes, &got, nullptr) && got > 0) {
    const DWORD total = kept + got;
    const DWORD complete = completeUtf8Length(bytes, total);
    writeAsUtf16(bytes, complete);
    kept = total - complete;
    memmove(bytes, bytes + complete, kept);
  }
  writeAsUtf16(bytes, kept);
  return 0;
}

char* utf8Of(const wchar_t* text) {
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  char* out =
      static_cast<char*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes > 0 ? bytes : 1));
  if (out != nullptr && bytes > 0)
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out, bytes, nullptr, nullptr);
  return out;
}

}  // namespace

char** utf8Arguments(int argc, wchar_t** argv) {
  char** out = static_cast<char**>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY,
                                             sizeof(char*) * (static_cast<size_t>(argc) + 1)));
  if (out == nullptr) return nullptr;
  static char empty[] = "";
  for (int i = 0; i < argc; ++i) {
    out[i] = utf8Of(argv[i]);
    if (out[i] == nullptr) out[i] = empty;
  }
  return out;
}

void writeConsoleOutputAsUtf16() {
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  const HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
  const bool outIsConsole = isConsole(out);
  const bool errIsConsole = isConsole(err);
  if (!outIsConsole && !errIsConsole) return;
  HANDLE pipeIn = nullptr;
  if (!CreatePipe(&pipeOut, &pipeIn, nullptr, 0)) return;
  // A copy of its own: moving a descriptor onto the pipe closes the handle it had.
  if (!DuplicateHandle(GetCurrentProcess(), outIsConsole ? out : err, GetCurrentProcess(), &console,
                       0, FALSE, DUPLICATE_SAME_ACCESS)) {
    CloseHandle(pipeIn);
    CloseHandle(pipeOut);
    return;
  }
  pump = CreateThread(nullptr, 0, pumpToConsole, nullptr, 0, nullptr);
  const int descriptor =
      pump == nullptr ? -1 : _open_osfhandle(reinterpret_cast<intptr_t>(pipeIn), _O_TEXT);
  if (descriptor < 0) {
    CloseHandle(pipeIn);
    CloseHandle(pipeOut);
    if (pump != nullptr) WaitForSingleObject(pump, INFINITE);
    pump = nullptr;
    return;
  }
  // Unbuffered, as on a console, so standard output and standard error keep their order.
  stdoutPumped = outIsConsole && _dup2(descriptor, 1) == 0;
  if (stdoutPumped) setvbuf(stdout, nullptr, _IONBF, 0);
  stderrPumped = errIsConsole && _dup2(descriptor, 2) == 0;
  _close(descriptor);
}

void finishConsoleOutput() {
  if (pump == nullptr) return;
  fflush(stdout);
  fflush(stderr);
  // The pump ends when the last writer of the pipe is gone.
  if (stdoutPumped) _close(1);
  if (stderrPumped) _close(2);
  WaitForSingleObject(pump, INFINITE);
  CloseHandle(pump);
  CloseHandle(pipeOut);
  pump = nullptr;
}

bool ownsItsConsole() {
  DWORD mode = 0;
  if (!GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode)) return false;
  DWORD processes[2] = {};
  return GetConsoleProcessList(processes, 2) == 1;
}

void waitForAKey() {
  static const wchar_t prompt[] = L"\r\nPress a key to close this window.";
  const HANDLE out = console != nullptr ? console : GetStdHandle(STD_OUTPUT_HANDLE);
  // Keys pressed while the help came up do not count.
  FlushConsoleInputBuffer(GetStdHandle(STD_INPUT_HANDLE));
  DWORD written = 0;
  WriteConsoleW(out, prompt, static_cast<DWORD>(sizeof prompt / sizeof prompt[0] - 1), &written,
                nullptr);
  _getch();
}
