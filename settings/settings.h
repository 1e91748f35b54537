/* The launcher's settings: the two INI files beside it, every key it reads, and the two accessors
 * through which every value is read. This table is the one place that names them. */
#ifndef LAUNCHER_SETTINGS_H
#define LAUNCHER_SETTINGS_H

#ifdef __cplusplus
extern "C" {
#endif

/* Relative on purpose: the profile functions resolve them against the current directory. */
#define GAME_SETTINGS_FILE ".\\KQgameset.ini"
#define PLAY_SETTINGS_FILE ".\\KQgameplay.ini"

/* Capacities of text values count the terminating zero. */
enum {
  kSubkeyCapacity = 400,
  kValueNameCapacity = 200,
  kGameTextCapacity = 400,
  kVendorIdCapacity = 10,
};

/* Integer settings:        file                 section   key              default */
#define CHECK1_SETTING        PLAY_SETTINGS_FILE, "ExtSet", "check1",        0
#define QNORES_SETTING        GAME_SETTINGS_FILE, "BV",     "qnores",        255
#define CUSTOMQUALITY_SETTING PLAY_SETTINGS_FILE, "ExtSet", "customquality", 255
#define QNORESX_SETTING       GAME_SETTINGS_FILE, "BV",     "qnoresX",       800
#define QNORESY_SETTING       GAME_SETTINGS_FILE, "BV",     "qnoresY",       800
#define ROOT_SETTING          GAME_SETTINGS_FILE, "REGSET", "ROOT",          0
#define VALUETYPE_SETTING     GAME_SETTINGS_FILE, "REGSET", "VALUETYPE",     0
#define RADIOSTATE_SETTING    PLAY_SETTINGS_FILE, "ExtSet", "radiostate",    3

/* Text settings (default empty): file                 section   key           capacity */
#define SUBKEY_SETTING                GAME_SETTINGS_FILE, "REGSET", "SUBKEY",     kSubkeyCapacity
#define VALUENAMEX_SETTING            GAME_SETTINGS_FILE, "REGSET", "VALUENAMEX", kValueNameCapacity
#define VALUENAMEY_SETTING            GAME_SETTINGS_FILE, "REGSET", "VALUENAMEY", kValueNameCapacity
#define GAMEEXEC_SETTING              GAME_SETTINGS_FILE, "game",   "GameExec",     kGameTextCapacity
#define GAMEEXECPATH_SETTING          GAME_SETTINGS_FILE, "game",   "GameExecPath", kGameTextCapacity
#define PARA_SETTING                  GAME_SETTINGS_FILE, "game",   "Para",         kGameTextCapacity
#define VENID_SETTING(detectionFile)  detectionFile,      "last",   "VENID",        kVendorIdCapacity

/* The key's integer value, or fallback when the file, the section or the key is absent. */
int ReadSettingInt(const char *file, const char *section, const char *key, int fallback);

/* Fills the field of `capacity` bytes with the key's text, cut to capacity - 1 characters, or with the
 * empty text when the file, the section or the key is absent. */
void ReadSettingString(const char *file, const char *section, const char *key, unsigned long capacity,
                       char *field);

#ifdef __cplusplus
}
#endif

#endif
