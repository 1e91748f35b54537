/* Waits for a message box, reports it and dismisses it with OK.
 *
 *   msgbox_probe [-keep] [seconds]      (default 20)
 *
 * Polls for a visible top-level dialog window (class "#32770") of another process for up to the given
 * number of seconds. When one appears it prints
 *
 *   caption=<caption, escaped>
 *   text=<the message text, escaped>
 *   text_hex=<the message text's bytes in hex, space separated>
 *
 * where the escaped form writes a backslash as \\, a line feed as \n, a carriage return as \r, a tab as
 * \t and any other byte outside 0x20..0x7e as \xHH, so every byte, trailing spaces included, stays
 * visible on one line. Then it presses OK and waits for the box to go away; with -keep it leaves the box
 * up, so that the test can look at what the program did before it (another call dismisses it).
 *
 * Exit codes: 0 reported and dismissed, 1 bad usage, 2 no message box appeared, 3 it did not go away. */
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

enum { kExitDone = 0, kExitUsage = 1, kExitNone = 2, kExitStuck = 3 };
enum { kPollMilliseconds = 100, kTextCapacity = 8192 };

/* The static control that holds a message box's text. */
enum { kMessageTextId = 0xffff };

static BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  char className[64];
  if (!IsWindowVisible(window)) return TRUE;
  if (GetClassNameA(window, className, sizeof className) == 0) return TRUE;
  if (strcmp(className, "#32770") != 0) return TRUE;
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId()) return TRUE;
  *(HWND *)found = window;
  return FALSE;
}

/* Falls back on the static control with the longest text when there is none with the usual id. */
static BOOL CALLBACK FindLongestStatic(HWND child, LPARAM best) {
  char className[64];
  if (GetClassNameA(child, className, sizeof className) == 0) return TRUE;
  if (_stricmp(className, "Static") != 0) return TRUE;
  HWND *bestWindow = (HWND *)best;
  if (*bestWindow == NULL || GetWindowTextLengthA(child) > GetWindowTextLengthA(*bestWindow)) {
    *bestWindow = child;
  }
  return TRUE;
}

static void PrintEscaped(const char *label, const char *text) {
  printf("%s=", label);
  for (const unsigned char *p = (const unsigned char *)text; *p != '\0'; ++p) {
    switch (*p) {
      case '\\': fputs("\\\\", stdout); break;
      case '\n': fputs("\\n", stdout); break;
      case '\r': fputs("\\r", stdout); break;
      case '\t': fputs("\\t", stdout); break;
      default:
        if (*p < 0x20 || *p > 0x7e) {
          printf("\\x%02x", *p);
        } else {
          putchar(*p);
        }
    }
  }
  putchar('\n');
}

static void PrintHex(const char *label, const char *text) {
  printf("%s=", label);
  for (const unsigned char *p = (const unsigned char *)text; *p != '\0'; ++p) {
    printf(p == (const unsigned char *)text ? "%02x" : " %02x", *p);
  }
  putchar('\n');
}

int main(int argc, char **argv) {
  long seconds = 20;
  const int keep = argc > 1 && strcmp(argv[1], "-keep") == 0;
  if (argc > 2 + keep) return kExitUsage;
  if (argc == 2 + keep) {
    char *end;
    seconds = strtol(argv[1 + keep], &end, 10);
    if (*end != '\0' || seconds <= 0) return kExitUsage;
  }

  HWND dialog = NULL;
  for (DWORD waited = 0; dialog == NULL && waited < (DWORD)seconds * 1000; waited += kPollMilliseconds) {
    EnumWindows(FindDialog, (LPARAM)&dialog);
    if (dialog == NULL) Sleep(kPollMilliseconds);
  }
  if (dialog == NULL) {
    printf("none\n");
    return kExitNone;
  }
  /* Let the box finish laying itself out before reading it. */
  Sleep(200);

  static char caption[kTextCapacity];
  static char text[kTextCapacity];
  GetWindowTextA(dialog, caption, sizeof caption);
  HWND textControl = GetDlgItem(dialog, kMessageTextId);
  if (textControl == NULL) EnumChildWindows(dialog, FindLongestStatic, (LPARAM)&textControl);
  if (textControl != NULL) GetWindowTextA(textControl, text, sizeof text);

  PrintEscaped("caption", caption);
  PrintEscaped("text", text);
  PrintHex("text_hex", text);
  fflush(stdout);
  if (keep) return kExitDone;

  HWND ok = GetDlgItem(dialog, IDOK);
  if (ok != NULL) {
    SendMessageTimeoutA(ok, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, NULL);
  }
  for (int i = 0; i < 50 && IsWindow(dialog); ++i) {
    if (i % 10 == 0 && IsWindow(dialog)) {
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)ok);
    }
    Sleep(kPollMilliseconds);
  }
  return IsWindow(dialog) ? kExitStuck : kExitDone;
}
