/* Stands in for a game: appends to game_record.txt, in the directory of its own executable, one record of
 * how it was started, then exits. Has no window.
 *
 *   [run]
 *   command_line=<GetCommandLineA, verbatim>
 *   arguments=<the command line after the program name and the blanks that follow it, verbatim>
 *   current_directory=<GetCurrentDirectoryA>
 *
 * The file is rewritten through a temporary file and a rename, so a reader never sees half a record. */
#include <windows.h>

#include <stdio.h>
#include <string.h>

#define RECORD_NAME "game_record.txt"
#define RECORD_TEMP "game_record.tmp"

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
static void OwnDirectory(char *dir, DWORD capacity) {
  DWORD length = GetModuleFileNameA(NULL, dir, capacity);
  if (length == 0 || length >= capacity) {
    dir[0] = '\0';
    return;
  }
  char *slash = strrchr(dir, '\\');
  if (slash != NULL) {
    slash[1] = '\0';
  } else {
    dir[0] = '\0';
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

  char dir[MAX_PATH];
  OwnDirectory(dir, sizeof dir);
  char recordPath[MAX_PATH + 32];
  char tempPath[MAX_PATH + 32];
  snprintf(recordPath, sizeof recordPath, "%s" RECORD_NAME, dir);
  snprintf(tempPath, sizeof tempPath, "%s" RECORD_TEMP, dir);

  char currentDirectory[MAX_PATH + 1];
  DWORD length = GetCurrentDirectoryA(sizeof currentDirectory, currentDirectory);
  if (length == 0 || length >= sizeof currentDirectory) currentDirectory[0] = '\0';

  const char *fullCommandLine = GetCommandLineA();

  FILE *out = fopen(tempPath, "wb");
  if (out == NULL) return 1;
  FILE *previousRecord = fopen(recordPath, "rb");
  if (previousRecord != NULL) {
    CopyFileContent(previousRecord, out);
    fclose(previousRecord);
  }
  fprintf(out, "[run]\ncommand_line=%s\narguments=%s\ncurrent_directory=%s\n", fullCommandLine,
          ArgumentsOf(fullCommandLine), currentDirectory);
  if (fclose(out) != 0) return 1;
  return MoveFileExA(tempPath, recordPath, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
