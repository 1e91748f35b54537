/* The benchmark's driver: times a program from its start to the start of the game it starts.
 *
 *   bench_driver <runs> <game folder> <launcher.exe> <reference.exe>
 *
 * The game folder holds the bench game as bin\bench_game.exe, which writes the counter value it read at its
 * entry to bin\bench_stamp.txt. Each run starts the launcher and the reference once each (alternating which
 * goes first), with the game folder as their current directory; the reference is told to start the same
 * game the launcher's settings name (bin\bench_game.exe, "-window", in bin). For each start one line:
 *
 *   <launcher|reference> run=<n> own_ms=<ms> peak_working_set=<bytes> working_set_from=<exit|samples> exit=<code>
 *
 * own_ms is the time from just before CreateProcess to the game's entry, less the 2000 ms of fixed pauses.
 * The peak working set is read from the process handle after the program has ended; where the system no
 * longer reports it then (Wine reports zero), the highest value read while it ran (every 10 ms) stands in.
 * A start that fails outright is tried again, up to three times, with a note on standard error.
 * Exit code 0 when every start reached the game, 1 otherwise, 2 on bad usage. */
#include <windows.h>
#include <psapi.h>

#include <stdio.h>
#include <stdlib.h>

enum {
  kFixedPauses = 2000,
  kSampleInterval = 10,
  kStampPoll = 2,
  kStampTimeout = 30000,
  kProgramTimeout = 60000,
  kSettle = 500, /* lets the previous start's game and registry editor finish before the next one */
  kStartAttempts = 3,
};

typedef struct {
  double ownMilliseconds;
  SIZE_T peakWorkingSet;
  int workingSetAtExit;
  DWORD exitCode;
} Measure;

static LARGE_INTEGER frequency;
static char stampPath[MAX_PATH];

/* The counter value in the game's stamp file, or 0 while there is none. */
static unsigned long long ReadStamp(void) {
  HANDLE file = CreateFileA(stampPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return 0;
  char text[32];
  DWORD length = 0;
  BOOL ok = ReadFile(file, text, sizeof text - 1, &length, NULL);
  CloseHandle(file);
  if (!ok) return 0;
  text[length] = '\0';
  return _strtoui64(text, NULL, 10);
}

static SIZE_T PeakWorkingSet(HANDLE process, int *ok) {
  PROCESS_MEMORY_COUNTERS counters;
  counters.cb = sizeof counters;
  *ok = GetProcessMemoryInfo(process, &counters, sizeof counters) != 0;
  return *ok ? counters.PeakWorkingSetSize : 0;
}

/* Starts commandLine in folder and measures it. Returns 1 when measured, 0 when the game did not start in
 * time, -1 when the program could not be started at all (Wine now and then fails a start when busy). */
static int MeasureStart(char *commandLine, const char *folder, Measure *measure) {
  DeleteFileA(stampPath);
  Sleep(kSettle);

  STARTUPINFOA startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  LARGE_INTEGER before;
  QueryPerformanceCounter(&before);
  if (!CreateProcessA(NULL, commandLine, NULL, NULL, FALSE, 0, NULL, folder, &startup, &process)) {
    fprintf(stderr, "bench_driver: cannot start %s (error %lu)\n", commandLine, GetLastError());
    return -1;
  }
  CloseHandle(process.hThread);

  SIZE_T sampled = 0;
  DWORD waited = 0;
  while (WaitForSingleObject(process.hProcess, kSampleInterval) == WAIT_TIMEOUT) {
    int ok;
    SIZE_T peak = PeakWorkingSet(process.hProcess, &ok);
    if (ok && peak > sampled) sampled = peak;
    waited += kSampleInterval;
    if (waited > kProgramTimeout) {
      fprintf(stderr, "bench_driver: %s still running after %d ms\n", commandLine, kProgramTimeout);
      TerminateProcess(process.hProcess, 1);
      CloseHandle(process.hProcess);
      return 0;
    }
  }
  int ok;
  SIZE_T atExit = PeakWorkingSet(process.hProcess, &ok);
  measure->workingSetAtExit = ok && atExit != 0 && atExit >= sampled;
  measure->peakWorkingSet = measure->workingSetAtExit ? atExit : sampled;
  GetExitCodeProcess(process.hProcess, &measure->exitCode);
  CloseHandle(process.hProcess);

  unsigned long long gameStarted = 0;
  for (DWORD polled = 0; (gameStarted = ReadStamp()) == 0; polled += kStampPoll) {
    if (polled > kStampTimeout) {
      fprintf(stderr, "bench_driver: the game did not start within %d ms of %s\n", kStampTimeout, commandLine);
      return 0;
    }
    Sleep(kStampPoll);
  }
  measure->ownMilliseconds =
      (double)((long long)gameStarted - before.QuadPart) * 1000.0 / (double)frequency.QuadPart - kFixedPauses;
  return 1;
}

static void Report(const char *label, int run, const Measure *measure) {
  printf("%s run=%d own_ms=%.3f peak_working_set=%lu working_set_from=%s exit=%lu\n", label, run,
         measure->ownMilliseconds, (unsigned long)measure->peakWorkingSet,
         measure->workingSetAtExit ? "exit" : "samples", measure->exitCode);
  fflush(stdout);
}

int main(int argc, char **argv) {
  char *end = NULL;
  long runs = argc == 5 ? strtol(argv[1], &end, 10) : 0;
  if (argc != 5 || end == argv[1] || *end != '\0' || runs < 1 || runs > 100000) {
    fprintf(stderr, "usage: bench_driver <runs> <game folder> <launcher.exe> <reference.exe>\n");
    return 2;
  }
  const char *folder = argv[2];
  QueryPerformanceFrequency(&frequency);

  char gameFile[MAX_PATH], gameDirectory[MAX_PATH];
  snprintf(gameDirectory, sizeof gameDirectory, "%s\\bin", folder);
  snprintf(gameFile, sizeof gameFile, "%s\\bench_game.exe", gameDirectory);
  snprintf(stampPath, sizeof stampPath, "%s\\bench_stamp.txt", gameDirectory);

  /* CreateProcessA may write to its command line, so each gets a buffer of its own. */
  static char launcherLine[4 * MAX_PATH], referenceLine[4 * MAX_PATH];
  snprintf(launcherLine, sizeof launcherLine, "\"%s\"", argv[3]);
  snprintf(referenceLine, sizeof referenceLine, "\"%s\" \"%s\" \"-window\" \"%s\"", argv[4], gameFile,
           gameDirectory);

  int failed = 0;
  for (int run = 1; run <= runs && !failed; ++run) {
    for (int turn = 0; turn < 2 && !failed; ++turn) {
      int launcherTurn = (turn == 0) == (run % 2 == 1);
      Measure measure;
      int measured = -1;
      for (int attempt = 1; attempt <= kStartAttempts && measured < 0; ++attempt) {
        measured = MeasureStart(launcherTurn ? launcherLine : referenceLine, folder, &measure);
      }
      if (measured != 1) {
        failed = 1;
      } else {
        Report(launcherTurn ? "launcher" : "reference", run, &measure);
      }
    }
  }
  return failed ? 1 : 0;
}
