/* Prints the whole registry the way the program running it sees it, one line per key and per value, so
 * that two snapshots taken before and after an import tell what the import changed (scripts/fuzz-editor):
 *
 *   U <tab> <the current user's SID>          first: HKEY_USERS\<SID> is HKEY_CURRENT_USER
 *   K <tab> <root>\<path>                      a key
 *   V <tab> <root>\<path> <tab> <name> <tab> <type>:<FNV-1a hash of the data, hex>   a value
 *
 * Roots: HKEY_LOCAL_MACHINE, HKEY_USERS and, where there is one, HKEY_DYN_DATA (HKEY_CLASSES_ROOT and
 * HKEY_CURRENT_CONFIG are views of HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER). Names in UTF-8.
 * Exits 1 when the current user's SID cannot be read or memory is short. */
#include <windows.h>

#include <sddl.h>
#include <stdio.h>
#include <stdlib.h>

enum { kPathCapacity = 32768, kNameCapacity = 16384, kDataCapacity = 1 << 20, kMaxDepth = 512 };

static WCHAR *path;  /* kPathCapacity characters */
static WCHAR *name;  /* kNameCapacity characters */
static BYTE *data;   /* kDataCapacity bytes */
static char *utf8;   /* 4 * kPathCapacity bytes */

static void PrintUtf8(const WCHAR *text) {
  if (WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, 4 * kPathCapacity, NULL, NULL) > 0) fputs(utf8, stdout);
}

static unsigned long long Fnv1a(const BYTE *bytes, DWORD length, DWORD type) {
  unsigned long long hash = 14695981039346656037ull ^ type;
  for (DWORD i = 0; i < length; ++i) hash = (hash ^ bytes[i]) * 1099511628211ull;
  return hash;
}

/* The key open at `key`, whose full name is `path`, and its values. False for a key below which nothing
 * is read: Perflib\\009, which Wine makes from the performance counters on each read (and on which its
 * enumeration hangs). */
static int PrintKey(HKEY key, size_t length) {
  fputs("K\t", stdout);
  PrintUtf8(path);
  fputs("\n", stdout);
  const size_t perflib = (size_t)lstrlenW(L"\\Perflib\\009");
  if (length >= perflib && lstrcmpiW(path + length - perflib, L"\\Perflib\\009") == 0) return 0;
  for (DWORD index = 0;; ++index) {
    DWORD nameLength = kNameCapacity, type = 0, dataLength = kDataCapacity;
    LONG status = RegEnumValueW(key, index, name, &nameLength, NULL, &type, data, &dataLength);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS) continue;
    fputs("V\t", stdout);
    PrintUtf8(path);
    fputs("\t", stdout);
    PrintUtf8(name);
    printf("\t%lu:%016llx\n", (unsigned long)type, Fnv1a(data, dataLength, type));
  }
  return 1;
}

/* The key open at `root`, named `path`, and every key below it, depth first. A symbolic link is printed as
 * the link it is (its target is printed where it lies). */
static void PrintTree(HKEY root, size_t rootLength) {
  static HKEY keys[kMaxDepth];
  static DWORD nextIndex[kMaxDepth];
  static size_t lengths[kMaxDepth];
  int depth = 0;
  keys[0] = root;
  nextIndex[0] = 0;
  lengths[0] = rootLength;
  if (!PrintKey(root, rootLength)) return;
  while (depth >= 0) {
    DWORD nameLength = kNameCapacity;
    LONG status = RegEnumKeyExW(keys[depth], nextIndex[depth]++, name, &nameLength, NULL, NULL, NULL, NULL);
    if (status == ERROR_NO_MORE_ITEMS) {
      if (depth > 0) RegCloseKey(keys[depth]);
      --depth;
      if (depth >= 0) path[lengths[depth]] = 0;
      continue;
    }
    size_t length = lengths[depth];
    if (status != ERROR_SUCCESS || depth + 1 == kMaxDepth || length + 1 + nameLength + 1 > kPathCapacity) continue;
    HKEY subkey;
    if (RegOpenKeyExW(keys[depth], name, REG_OPTION_OPEN_LINK, KEY_READ, &subkey) != ERROR_SUCCESS) continue;
    path[length] = L'\\';
    lstrcpyW(path + length + 1, name);
    length += 1 + nameLength;
    if (!PrintKey(subkey, length)) {
      RegCloseKey(subkey);
      path[lengths[depth]] = 0;
      continue;
    }
    ++depth;
    keys[depth] = subkey;
    nextIndex[depth] = 0;
    lengths[depth] = length;
  }
}

static void PrintRoot(HKEY root, const WCHAR *rootName) {
  lstrcpyW(path, rootName);
  PrintTree(root, (size_t)lstrlenW(rootName));
}

int main(void) {
  path = malloc(kPathCapacity * sizeof *path);
  name = malloc(kNameCapacity * sizeof *name);
  data = malloc(kDataCapacity);
  utf8 = malloc(4 * kPathCapacity);
  if (path == NULL || name == NULL || data == NULL || utf8 == NULL) {
    fprintf(stderr, "reg_snapshot: out of memory\n");
    return 1;
  }
  HANDLE token;
  static BYTE user[256];
  DWORD userLength = 0;
  LPSTR sid = NULL;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token) ||
      !GetTokenInformation(token, TokenUser, user, sizeof user, &userLength) ||
      !ConvertSidToStringSidA(((TOKEN_USER *)user)->User.Sid, &sid)) {
    fprintf(stderr, "reg_snapshot: the current user's SID cannot be read\n");
    return 1;
  }
  printf("U\t%s\n", sid);
  LocalFree(sid);
  CloseHandle(token);
  PrintRoot(HKEY_LOCAL_MACHINE, L"HKEY_LOCAL_MACHINE");
  PrintRoot(HKEY_USERS, L"HKEY_USERS");
  HKEY dynamic;
  if (RegOpenKeyExW(HKEY_DYN_DATA, L"", 0, KEY_READ, &dynamic) == ERROR_SUCCESS) {
    PrintRoot(dynamic, L"HKEY_DYN_DATA");
    RegCloseKey(dynamic);
  }
  return 0;
}
