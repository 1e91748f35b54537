/* Prints what an executable's resources say about it.
 *
 *   version_probe <exe path>
 *
 * Output, one item a line:
 *   file_version=a.b.c.d            (VS_FIXEDFILEINFO)
 *   product_version=a.b.c.d
 *   translation=llllcccc            (first entry of \VarFileInfo\Translation, 8 hex digits)
 *   FileVersion=<text>              (\StringFileInfo\<translation>\..., or "missing FileVersion")
 *   ProductVersion=<text>
 *   FileDescription=<text>
 *   manifest_length=<bytes>         (RT_MANIFEST resource 1, or "missing manifest")
 *   manifest_begin
 *   <the manifest text, verbatim>
 *   manifest_end
 *
 * Exit codes: 0 done, 1 bad usage, 2 no version resource, 3 no manifest. */
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

enum { kExitDone = 0, kExitUsage = 1, kExitNoVersion = 2, kExitNoManifest = 3 };

static void PrintVersion(const char *label, DWORD high, DWORD low) {
  printf("%s=%u.%u.%u.%u\n", label, (unsigned)HIWORD(high), (unsigned)LOWORD(high), (unsigned)HIWORD(low),
         (unsigned)LOWORD(low));
}

static void PrintString(void *info, const char *translation, const char *name) {
  char query[128];
  snprintf(query, sizeof query, "\\StringFileInfo\\%s\\%s", translation, name);
  char *value = NULL;
  UINT length = 0;
  if (VerQueryValueA(info, query, (void **)&value, &length) && value != NULL) {
    printf("%s=%s\n", name, value);
  } else {
    printf("missing %s\n", name);
  }
}

static int PrintVersionResource(const char *path) {
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(path, &handle);
  if (size == 0) {
    printf("missing version resource\n");
    return 0;
  }
  void *info = malloc(size);
  if (info == NULL || !GetFileVersionInfoA(path, 0, size, info)) {
    free(info);
    printf("missing version resource\n");
    return 0;
  }

  VS_FIXEDFILEINFO *fixed = NULL;
  UINT length = 0;
  if (VerQueryValueA(info, "\\", (void **)&fixed, &length) && fixed != NULL) {
    PrintVersion("file_version", fixed->dwFileVersionMS, fixed->dwFileVersionLS);
    PrintVersion("product_version", fixed->dwProductVersionMS, fixed->dwProductVersionLS);
  } else {
    printf("missing fixed file info\n");
  }

  WORD *translation = NULL;
  char translationText[16] = "";
  if (VerQueryValueA(info, "\\VarFileInfo\\Translation", (void **)&translation, &length) && translation != NULL &&
      length >= 4) {
    snprintf(translationText, sizeof translationText, "%04x%04x", translation[0], translation[1]);
    printf("translation=%s\n", translationText);
  } else {
    printf("missing translation\n");
  }

  PrintString(info, translationText, "FileVersion");
  PrintString(info, translationText, "ProductVersion");
  PrintString(info, translationText, "FileDescription");
  free(info);
  return 1;
}

static int PrintManifest(const char *path) {
  HMODULE module = LoadLibraryExA(path, NULL, LOAD_LIBRARY_AS_DATAFILE);
  if (module == NULL) {
    printf("missing manifest\n");
    return 0;
  }
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24) /* RT_MANIFEST */);
  HGLOBAL loaded = found != NULL ? LoadResource(module, found) : NULL;
  const char *text = loaded != NULL ? LockResource(loaded) : NULL;
  if (text == NULL) {
    FreeLibrary(module);
    printf("missing manifest\n");
    return 0;
  }
  DWORD size = SizeofResource(module, found);
  printf("manifest_length=%lu\nmanifest_begin\n", (unsigned long)size);
  fwrite(text, 1, size, stdout);
  if (size == 0 || text[size - 1] != '\n') putchar('\n');
  printf("manifest_end\n");
  FreeLibrary(module);
  return 1;
}

int main(int argc, char **argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: version_probe <exe path>\n");
    return kExitUsage;
  }
  int hasVersion = PrintVersionResource(argv[1]);
  int hasManifest = PrintManifest(argv[1]);
  if (!hasVersion) return kExitNoVersion;
  return hasManifest ? kExitDone : kExitNoManifest;
}
