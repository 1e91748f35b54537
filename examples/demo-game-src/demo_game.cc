/* A sample game for the launcher's demo and for the release archive's sample folder. It writes down what
 * it was given into demo_game_record.txt, beside its own executable, then shows the same in a window (the
 * parameters, its directory, the resolution the launcher recorded) and ends when that window is closed:
 * with code 0, or 1 when the record could not be written.
 *
 * What it writes:
 *
 *   [start]
 *   command_line=<the whole command line, verbatim>
 *   parameters=<the command line after the program's own name>
 *   own_folder=<the folder of its executable>
 *   current_directory=<the directory it was started in>
 *   [registry]
 *   settings_file=<the KQgameset.ini it found>
 *   key=<root>\<SUBKEY of its REGSET section>
 *   width=<VALUENAMEX>: <type> <value>
 *   height=<VALUENAMEY>: <type> <value>
 *
 * The settings file is looked for in its own folder, then in each folder above it, so the game finds the
 * launcher's KQgameset.ini wherever GameExecPath puts the game below it. A value is written as
 * "REG_DWORD <unsigned decimal>", "REG_SZ "<text>" (<n> bytes)", "type <n> (<n> bytes)" or "missing". */
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr char kRecordName[] = "demo_game_record.txt";
constexpr char kRecordTemp[] = "demo_game_record.tmp";
constexpr char kSettingsName[] = "KQgameset.ini";

constexpr DWORD kPathCapacity = 1024;
constexpr DWORD kTextCapacity = 400;
constexpr DWORD kValueCapacity = 256;
constexpr DWORD kDescriptionCapacity = 512;
constexpr DWORD kWindowTextCapacity = 8 * kPathCapacity;

constexpr char kWindowClass[] = "LauncherDemoGame";
constexpr char kWindowTitle[] = "Demo game";
constexpr int kMargin = 16;
constexpr int kLongestLine = 1200;
constexpr UINT kTextFormat = DT_NOPREFIX | DT_EXPANDTABS;

/* What the window shows, composed once before it opens. */
char windowText[kWindowTextCapacity];

/* The command line after the program's name (quoted or not) and the blanks that follow it. */
const char *ParametersOf(const char *commandLine) {
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

/* The folder of this executable, without a trailing backslash; empty when it cannot be read. */
void OwnFolder(char folder[kPathCapacity]) {
  DWORD length = GetModuleFileNameA(nullptr, folder, kPathCapacity);
  if (length == 0 || length >= kPathCapacity) {
    folder[0] = '\0';
    return;
  }
  char *slash = std::strrchr(folder, '\\');
  if (slash != nullptr) {
    *slash = '\0';
  } else {
    folder[0] = '\0';
  }
}

/* The first KQgameset.ini in the folder or a folder above it; false when there is none. */
bool FindSettings(const char *start, char path[kPathCapacity]) {
  char folder[kPathCapacity];
  std::snprintf(folder, sizeof folder, "%s", start);
  for (;;) {
    std::snprintf(path, kPathCapacity, "%s\\%s", folder, kSettingsName);
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
    char *slash = std::strrchr(folder, '\\');
    if (slash == nullptr) break;
    *slash = '\0';
  }
  path[0] = '\0';
  return false;
}

/* What the key holds under the name, as one line of text. */
void DescribeValue(HKEY key, const char *name, char description[kDescriptionCapacity]) {
  BYTE data[kValueCapacity + 1];
  DWORD type = 0;
  DWORD length = kValueCapacity;
  std::memset(data, 0, sizeof data);
  LONG status = key == nullptr ? ERROR_FILE_NOT_FOUND : RegQueryValueExA(key, name, nullptr, &type, data, &length);
  if (status != ERROR_SUCCESS) {
    std::snprintf(description, kDescriptionCapacity, "%s: missing", name);
  } else if (type == REG_DWORD && length == 4) {
    DWORD number = static_cast<DWORD>(data[0]) | (static_cast<DWORD>(data[1]) << 8) |
                   (static_cast<DWORD>(data[2]) << 16) | (static_cast<DWORD>(data[3]) << 24);
    std::snprintf(description, kDescriptionCapacity, "%s: REG_DWORD %lu", name, static_cast<unsigned long>(number));
  } else if (type == REG_SZ) {
    std::snprintf(description, kDescriptionCapacity, "%s: REG_SZ \"%s\" (%lu bytes)", name,
                  reinterpret_cast<const char *>(data), static_cast<unsigned long>(length));
  } else {
    std::snprintf(description, kDescriptionCapacity, "%s: type %lu (%lu bytes)", name, static_cast<unsigned long>(type),
                  static_cast<unsigned long>(length));
  }
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
      SetBkMode(dc, TRANSPARENT);
      RECT area;
      GetClientRect(window, &area);
      InflateRect(&area, -kMargin, -kMargin);
      DrawTextA(dc, windowText, -1, &area, kTextFormat);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

/* Opens the window, sized to its text, and returns once it has been closed. */
void ShowWindowText(HINSTANCE instance, int show) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = WindowProcedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kWindowClass;
  if (RegisterClassA(&windowClass) == 0) return;

  RECT text = {0, 0, kLongestLine, 0};
  HDC screen = GetDC(nullptr);
  HGDIOBJ previousFont = SelectObject(screen, GetStockObject(DEFAULT_GUI_FONT));
  DrawTextA(screen, windowText, -1, &text, kTextFormat | DT_CALCRECT);
  SelectObject(screen, previousFont);
  ReleaseDC(nullptr, screen);

  constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame = {0, 0, text.right + 2 * kMargin, text.bottom + 2 * kMargin};
  AdjustWindowRect(&frame, style, FALSE);
  HWND window = CreateWindowA(kWindowClass, kWindowTitle, style, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                              frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return;
  ShowWindow(window, show);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int show) {
  static char ownFolder[kPathCapacity];
  static char currentDirectory[kPathCapacity];
  static char settingsFile[kPathCapacity];
  static char subkey[kTextCapacity];
  static char nameX[kTextCapacity];
  static char nameY[kTextCapacity];
  static char width[kDescriptionCapacity];
  static char height[kDescriptionCapacity];

  OwnFolder(ownFolder);
  DWORD length = GetCurrentDirectoryA(sizeof currentDirectory, currentDirectory);
  if (length == 0 || length >= sizeof currentDirectory) currentDirectory[0] = '\0';
  const char *fullCommandLine = GetCommandLineA();

  /* The resolution record the launcher was told to write: where REGSET says. */
  const char *rootName = "none";
  HKEY root = nullptr;
  if (FindSettings(ownFolder, settingsFile)) {
    UINT rootCode = GetPrivateProfileIntA("REGSET", "ROOT", 0, settingsFile) & 0xffffu;
    GetPrivateProfileStringA("REGSET", "SUBKEY", "", subkey, sizeof subkey, settingsFile);
    GetPrivateProfileStringA("REGSET", "VALUENAMEX", "", nameX, sizeof nameX, settingsFile);
    GetPrivateProfileStringA("REGSET", "VALUENAMEY", "", nameY, sizeof nameY, settingsFile);
    if (rootCode == 1) {
      root = HKEY_LOCAL_MACHINE;
      rootName = "HKEY_LOCAL_MACHINE";
    } else if (rootCode == 2) {
      root = HKEY_CURRENT_USER;
      rootName = "HKEY_CURRENT_USER";
    }
  }
  HKEY key = nullptr;
  if (root != nullptr && RegOpenKeyExA(root, subkey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) key = nullptr;
  DescribeValue(key, nameX, width);
  DescribeValue(key, nameY, height);
  if (key != nullptr) RegCloseKey(key);

  /* Written whole to a temporary file, then renamed, so a reader never sees half a record. */
  char recordPath[kPathCapacity + 32];
  char tempPath[kPathCapacity + 32];
  std::snprintf(recordPath, sizeof recordPath, "%s\\%s", ownFolder, kRecordName);
  std::snprintf(tempPath, sizeof tempPath, "%s\\%s", ownFolder, kRecordTemp);
  bool recorded = false;
  FILE *out = std::fopen(tempPath, "wb");
  if (out != nullptr) {
    std::fprintf(out, "[start]\r\ncommand_line=%s\r\nparameters=%s\r\nown_folder=%s\r\ncurrent_directory=%s\r\n",
                 fullCommandLine, ParametersOf(fullCommandLine), ownFolder, currentDirectory);
    std::fprintf(out, "[registry]\r\nsettings_file=%s\r\nkey=%s\\%s\r\nwidth=%s\r\nheight=%s\r\n",
                 settingsFile[0] != '\0' ? settingsFile : "none", rootName, subkey, width, height);
    recorded = std::fclose(out) == 0 && MoveFileExA(tempPath, recordPath, MOVEFILE_REPLACE_EXISTING);
  }

  const char *parameters = ParametersOf(fullCommandLine);
  std::snprintf(windowText, sizeof windowText,
                "The demo game was started.\n\n"
                "Parameters:\t%s\nDirectory:\t%s\nIts own folder:\t%s\nSettings file:\t%s\n\n"
                "The resolution recorded in %s\\%s:\n\t\t%s\n\t\t%s\n\n"
                "Close this window to end the demo game.",
                parameters[0] != '\0' ? parameters : "(none)", currentDirectory, ownFolder,
                settingsFile[0] != '\0' ? settingsFile : "none found", rootName, subkey, width, height);
  ShowWindowText(instance, show);
  return recorded ? 0 : 1;
}
