/* Reads a shortcut (.lnk) through the shell's own link object, as Explorer does before it starts one, and
 * prints what it holds, in UTF-8:
 *
 *   target=<the program it starts>
 *   arguments=<its arguments>
 *   working_directory=<its "Start in">
 *
 *   shortcut_probe <file.lnk>
 *
 * Exit codes: 0 read, 1 bad usage, 2 the shortcut could not be loaded. */
#define COBJMACROS
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <stdio.h>

enum { kExitRead = 0, kExitUsage = 1, kExitUnreadable = 2 };

static void PrintUtf8(const char *label, const wchar_t *text) {
  char utf8[4 * MAX_PATH * 2];
  if (WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, NULL, NULL) == 0) utf8[0] = '\0';
  printf("%s=%s\n", label, utf8);
}

int main(void) {
  int argc = 0;
  wchar_t **argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argv == NULL || argc != 2) {
    fprintf(stderr, "usage: shortcut_probe <file.lnk>\n");
    return kExitUsage;
  }
  if (FAILED(CoInitialize(NULL))) return kExitUnreadable;
  IShellLinkW *link = NULL;
  IPersistFile *file = NULL;
  int status = kExitUnreadable;
  if (SUCCEEDED(CoCreateInstance(&CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, &IID_IShellLinkW, (void **)&link)) &&
      SUCCEEDED(IShellLinkW_QueryInterface(link, &IID_IPersistFile, (void **)&file)) &&
      /* 0 is STGM_READ, whose definition the static checks refuse (a lower-case "l" suffix). */
      SUCCEEDED(IPersistFile_Load(file, argv[1], 0))) {
    wchar_t target[MAX_PATH * 2] = L"";
    wchar_t arguments[MAX_PATH * 2] = L"";
    wchar_t directory[MAX_PATH * 2] = L"";
    IShellLinkW_GetPath(link, target, MAX_PATH * 2, NULL, SLGP_RAWPATH);
    IShellLinkW_GetArguments(link, arguments, MAX_PATH * 2);
    IShellLinkW_GetWorkingDirectory(link, directory, MAX_PATH * 2);
    PrintUtf8("target", target);
    PrintUtf8("arguments", arguments);
    PrintUtf8("working_directory", directory);
    status = kExitRead;
  }
  if (file != NULL) IPersistFile_Release(file);
  if (link != NULL) IShellLinkW_Release(link);
  CoUninitialize();
  return status;
}
