/* Records the __COMPAT_LAYER variable it was started with: appends to environment_record.txt, in the
 * directory of its own executable,
 *
 *   compat_layer=<the value, or (none)>
 *   command_line=<GetCommandLineW after the program name, in UTF-8>
 *
 * It stands in for a game, and, copied over the system's REGEDIT.EXE in a throwaway Wine prefix, for the
 * registry editor: named regedit.exe it then runs real-regedit.exe beside it (the editor, moved aside)
 * with the same arguments and waits for it, so that the import still happens. */
#include <windows.h>

#include <stdio.h>
#include <wchar.h>

static const wchar_t *ArgumentsOf(const wchar_t *commandLine) {
  const wchar_t *p = commandLine;
  if (*p == L'"') {
    ++p;
    while (*p != L'\0' && *p != L'"') ++p;
    if (*p == L'"') ++p;
  } else {
    while (*p != L'\0' && *p != L' ' && *p != L'\t') ++p;
  }
  while (*p == L' ' || *p == L'\t') ++p;
  return p;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR ansiCommandLine, int show) {
  (void)instance;
  (void)previous;
  (void)ansiCommandLine;
  (void)show;
  wchar_t self[MAX_PATH];
  DWORD length = GetModuleFileNameW(NULL, self, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 1;
  wchar_t *slash = wcsrchr(self, L'\\');
  if (slash == NULL) return 1;
  const int isEditor = _wcsicmp(slash + 1, L"regedit.exe") == 0;

  wchar_t record[MAX_PATH + 32];
  _snwprintf(record, MAX_PATH + 32, L"%.*ls\\environment_record.txt", (int)(slash - self), self);
  wchar_t layer[32768];
  const DWORD layerLength = GetEnvironmentVariableW(L"__COMPAT_LAYER", layer, 32768);
  const wchar_t *arguments = ArgumentsOf(GetCommandLineW());

  FILE *out = _wfopen(record, L"ab");
  if (out == NULL) return 1;
  char utf8[65536];
  if (layerLength == 0 || layerLength >= 32768) {
    fputs("compat_layer=(none)\n", out);
  } else {
    WideCharToMultiByte(CP_UTF8, 0, layer, -1, utf8, sizeof utf8, NULL, NULL);
    fprintf(out, "compat_layer=%s\n", utf8);
  }
  WideCharToMultiByte(CP_UTF8, 0, arguments, -1, utf8, sizeof utf8, NULL, NULL);
  fprintf(out, "command_line=%s\n", utf8);
  fclose(out);
  if (!isEditor) return 0;

  wchar_t editor[MAX_PATH + 32];
  _snwprintf(editor, MAX_PATH + 32, L"%.*ls\\real-regedit.exe", (int)(slash - self), self);
  static wchar_t commandLine[32768];
  _snwprintf(commandLine, 32768, L"\"%ls\" %ls", editor, arguments);
  STARTUPINFOW startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  if (!CreateProcessW(editor, commandLine, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) return 1;
  WaitForSingleObject(process.hProcess, 60000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 0;
}
