/* The bench game: reads the high-resolution counter first thing, writes it in decimal to bench_stamp.txt
 * in the directory of its own executable, and exits. No window.
 *
 * The file is written under another name and renamed into place, so a reader never sees half a number. */
#include <windows.h>

#define STAMP_NAME "bench_stamp.txt"
#define STAMP_TEMP "bench_stamp.tmp"

/* Writes the directory of this executable, with its trailing backslash, then name. Returns 0 if it does
 * not fit. */
static int PathBesideSelf(char *path, DWORD capacity, const char *name) {
  DWORD length = GetModuleFileNameA(NULL, path, capacity);
  if (length == 0 || length >= capacity) return 0;
  DWORD cut = length;
  while (cut > 0 && path[cut - 1] != '\\') --cut;
  DWORD nameLength = lstrlenA(name);
  if (cut + nameLength + 1 > capacity) return 0;
  lstrcpyA(path + cut, name);
  return 1;
}

/* The decimal digits of value, then a line end; returns their number. */
static DWORD FormatDecimal(unsigned long long value, char text[24]) {
  char reversed[24];
  DWORD n = 0;
  do {
    reversed[n++] = (char)('0' + value % 10);
    value /= 10;
  } while (value != 0);
  DWORD length = 0;
  while (n > 0) text[length++] = reversed[--n];
  text[length++] = '\n';
  return length;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  LARGE_INTEGER started;
  QueryPerformanceCounter(&started);
  (void)instance;
  (void)previous;
  (void)commandLine;
  (void)show;

  char stampPath[MAX_PATH + 32];
  char tempPath[MAX_PATH + 32];
  if (!PathBesideSelf(stampPath, sizeof stampPath, STAMP_NAME)) return 1;
  if (!PathBesideSelf(tempPath, sizeof tempPath, STAMP_TEMP)) return 1;

  char text[24];
  DWORD length = FormatDecimal((unsigned long long)started.QuadPart, text);
  HANDLE file = CreateFileA(tempPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  BOOL ok = WriteFile(file, text, length, &written, NULL) && written == length;
  ok = CloseHandle(file) && ok;
  if (!ok) return 1;
  return MoveFileExA(tempPath, stampPath, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
