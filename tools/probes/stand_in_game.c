/* Stands in for a game: appends to game_record.txt, in the directory of its own executable, one record of
 * how it was started, then exits. Has no window.
 *
 *   [run]
 *   command_line=<GetCommandLineA, verbatim>
 *   arguments=<the command line after the program name and the blanks that follow it, verbatim>
 *   current_directory=<GetCurrentDirectoryA>
 *
 * The file is rewritten through a temporary file and a rename, so a reader never sees half a record. It is
 * found through the wide-character functions, so that it is written also in a folder whose name the ANSI
 * code page cannot spell; what it records is what the ANSI functions give the game. */
#include <windows.h>

#include <stdio.h>
#include <string.h>

#define RECORD_NAME L"game_record.txt"
#define RECORD_TEMP L"game_record.tmp"

/* The arguments as the program received them: skip the program name (quoted or not), then blanks. */
static const char *ArgumentsOf(const char *commandLine) {
  const char *p = commandLine;
  if (*p == '"') {
    ++p;
    while (*p != '\0' && *p != '"') ++p;
    if (*p == '"') ++p;
  } else {
    while (*p != '\0' && *p != ' ' && *p != '\t') ++p;
  }
  while (*p == ' ' || *p == '\t') ++p;
  return p;
}

/* Fills dir with the directory of this executable, with its trailing backslash. */
static void OwnDirectory(wchar_t *dir, DWORD capacity) {
  DWORD length = GetModuleFileNameW(NULL, dir, capacity);
  if (length == 0 || length >= capacity) {
    dir[0] = L'\0';
    return;
  }
  wchar_t *slash = wcsrchr(dir, L'\\');
  if (slash != NULL) {
    slash[1] = L'\0';
  } else {
    dir[0] = L'\0';
  }
}

static void CopyFileContent(FILE *from, FILE *to) {
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, from)) > 0) fwrite(buffer, 1, n, to);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  (void)instance;
  (void)previous;
  (void)commandLine;
  (void)show;

  wchar_t dir[MAX_PATH];
  OwnDirectory(dir, MAX_PATH);
  wchar_t recordPath[MAX_PATH + 32];
  wchar_t tempPath[MAX_PATH + 32];
  _snwprintf(recordPath, MAX_PATH + 32, L"%ls" RECORD_NAME, dir);
  _snwprintf(tempPath, MAX_PATH + 32, L"%ls" RECORD_TEMP, dir);

  char currentDirectory[MAX_PATH + 1];
  DWORD length = GetCurrentDirectoryA(sizeof currentDirectory, currentDirectory);
  if (length == 0 || length >= sizeof currentDirectory) currentDirectory[0] = '\0';

  const char *fullCommandLine = GetCommandLineA();

  FILE *out = _wfopen(tempPath, L"wb");
  if (out == NULL) return 1;
  FILE *previousRecord = _wfopen(recordPath, L"rb");
  if (previousRecord != NULL) {
    CopyFileContent(previousRecord, out);
    fclose(previousRecord);
  }
  fprintf(out, "[run]\ncommand_line=%s\narguments=%s\ncurrent_directory=%s\n", fullCommandLine,
          ArgumentsOf(fullCommandLine), currentDirectory);
  if (fclose(out) != 0) return 1;
  return MoveFileExW(tempPath, recordPath, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
