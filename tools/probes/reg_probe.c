/* Reads the registry the way the program running it sees it (a 32-bit build sees the 32-bit view).
 *
 *   reg_probe HKCU|HKLM <subkey> <valuename>
 *       prints "type=<n> length=<n> bytes=<hex bytes, space separated>" and exits 0,
 *       or prints "missing" and exits 2 when the key or the value is absent.
 *   reg_probe -key HKCU|HKLM <subkey>
 *       prints "present" and exits 0, or "missing" and exits 2.
 *   reg_probe -32 ...
 *       either of the above in the 32-bit view (KEY_WOW64_32KEY), as a 32-bit program sees the registry.
 *
 * Any other failure (bad usage, an unexpected error) exits 1. */
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

enum { kExitFound = 0, kExitFailure = 1, kExitMissing = 2 };

/* KEY_WOW64_32KEY with -32, else nothing: the view of the program's own bitness. */
static REGSAM view = 0;

static int Usage(void) {
  fprintf(stderr,
          "usage: reg_probe HKCU|HKLM <subkey> <valuename>\n"
          "       reg_probe -key HKCU|HKLM <subkey>\n"
          "       reg_probe -32 ...\n");
  return kExitFailure;
}

static int ParseRoot(const char *name, HKEY *root) {
  if (strcmp(name, "HKCU") == 0) {
    *root = HKEY_CURRENT_USER;
  } else if (strcmp(name, "HKLM") == 0) {
    *root = HKEY_LOCAL_MACHINE;
  } else {
    return 0;
  }
  return 1;
}

static int Missing(void) {
  printf("missing\n");
  return kExitMissing;
}

static int Failure(const char *what, LONG status) {
  fprintf(stderr, "reg_probe: %s failed with error %ld\n", what, (long)status);
  return kExitFailure;
}

static int ProbeKey(HKEY root, const char *subkey) {
  HKEY key;
  LONG status = RegOpenKeyExA(root, subkey, 0, KEY_READ | view, &key);
  if (status == ERROR_FILE_NOT_FOUND) return Missing();
  if (status != ERROR_SUCCESS) return Failure("RegOpenKeyExA", status);
  RegCloseKey(key);
  printf("present\n");
  return kExitFound;
}

static int ProbeValue(HKEY root, const char *subkey, const char *name) {
  HKEY key;
  LONG status = RegOpenKeyExA(root, subkey, 0, KEY_QUERY_VALUE | view, &key);
  if (status == ERROR_FILE_NOT_FOUND) return Missing();
  if (status != ERROR_SUCCESS) return Failure("RegOpenKeyExA", status);

  DWORD type = 0;
  DWORD length = 0;
  status = RegQueryValueExA(key, name, NULL, &type, NULL, &length);
  if (status == ERROR_FILE_NOT_FOUND) {
    RegCloseKey(key);
    return Missing();
  }
  if (status != ERROR_SUCCESS) {
    RegCloseKey(key);
    return Failure("RegQueryValueExA (size)", status);
  }
  BYTE *data = malloc(length + 1);
  if (data == NULL) {
    RegCloseKey(key);
    return Failure("malloc", 0);
  }
  DWORD capacity = length;
  status = RegQueryValueExA(key, name, NULL, &type, data, &capacity);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) {
    free(data);
    return Failure("RegQueryValueExA", status);
  }

  printf("type=%lu length=%lu bytes=", (unsigned long)type, (unsigned long)capacity);
  for (DWORD i = 0; i < capacity; ++i) printf(i == 0 ? "%02x" : " %02x", data[i]);
  printf("\n");
  free(data);
  return kExitFound;
}

int main(int argc, char **argv) {
  HKEY root;
  if (argc > 1 && strcmp(argv[1], "-32") == 0) {
    view = KEY_WOW64_32KEY;
    --argc;
    ++argv;
  }
  if (argc == 4 && strcmp(argv[1], "-key") == 0) {
    if (!ParseRoot(argv[2], &root)) return Usage();
    return ProbeKey(root, argv[3]);
  }
  if (argc == 4) {
    if (!ParseRoot(argv[1], &root)) return Usage();
    return ProbeValue(root, argv[2], argv[3]);
  }
  return Usage();
}
