/* A DLL planted beside a program under a system DLL's name: when any program loads it, it appends one line
 * to planted_loads.txt beside itself, "<its own file name> <the host program's path>", and does nothing
 * else. The tests copy it under many names; an empty or missing planted_loads.txt means none was loaded. */
#include <windows.h>

#include <string.h>

static void WriteText(HANDLE file, const char *text, DWORD length) {
  DWORD written;
  WriteFile(file, text, length, &written, NULL);
}

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
  (void)reserved;
  if (reason != DLL_PROCESS_ATTACH) return TRUE;

  static const char kRecordName[] = "planted_loads.txt";
  char own[MAX_PATH], host[MAX_PATH], record[MAX_PATH + sizeof kRecordName];
  DWORD ownLength = GetModuleFileNameA(self, own, MAX_PATH);
  DWORD hostLength = GetModuleFileNameA(NULL, host, MAX_PATH);
  if (ownLength == 0 || ownLength >= MAX_PATH || hostLength >= MAX_PATH) return TRUE;

  const char *name = strrchr(own, '\\');
  name = name ? name + 1 : own;
  const size_t folderLength = (size_t)(name - own);
  memcpy(record, own, folderLength);
  memcpy(record + folderLength, kRecordName, sizeof kRecordName);

  HANDLE log = CreateFileA(record, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, NULL);
  if (log == INVALID_HANDLE_VALUE) return TRUE;
  WriteText(log, name, (DWORD)strlen(name));
  WriteText(log, " ", 1);
  WriteText(log, host, hostLength);
  WriteText(log, "\r\n", 2);
  CloseHandle(log);
  return TRUE;
}
