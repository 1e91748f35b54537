/* Reads INI keys with the ANSI profile functions, as a program running in this environment sees them.
 *
 *   profile_probe <file> <section> <key> <default> <capacity> [<section> <key> <default> <capacity>]...
 *
 * Prints "acp=<GetACP()>", then one line for each key:
 *   <section>/<key> int=<GetPrivateProfileIntA with the default, as a signed 32-bit number>
 *       length=<GetPrivateProfileStringA's count, with "" as default and a field of <capacity> bytes>
 *       text=<the field's bytes up to that count, hex, space separated>
 * (on one line). Exits 0; bad usage exits 1. */
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

int main(int argc, char **argv) {
  if (argc < 6 || (argc - 2) % 4 != 0) {
    fprintf(stderr, "usage: profile_probe <file> <section> <key> <default> <capacity>...\n");
    return 1;
  }
  const char *file = argv[1];
  printf("acp=%u\n", GetACP());
  for (int i = 2; i < argc; i += 4) {
    const char *section = argv[i];
    const char *key = argv[i + 1];
    int fallback = (int)strtol(argv[i + 2], NULL, 10);
    DWORD capacity = (DWORD)strtoul(argv[i + 3], NULL, 10);
    if (capacity == 0 || capacity > 1 << 20) return 1;
    char *field = calloc(capacity, 1);
    if (field == NULL) return 1;
    int number = (int)GetPrivateProfileIntA(section, key, fallback, file);
    DWORD length = GetPrivateProfileStringA(section, key, "", field, capacity, file);
    printf("%s/%s int=%d length=%lu text=", section, key, number, (unsigned long)length);
    for (DWORD j = 0; j < length && j < capacity; ++j) printf(j == 0 ? "%02x" : " %02x", (unsigned char)field[j]);
    printf("\n");
    free(field);
  }
  return 0;
}
