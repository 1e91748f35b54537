# The Windows programs: the launcher, its companion and the probes their end-to-end tests use.
enable_language(RC)

# Small, self-contained executables: only Windows system DLLs are imported.
add_compile_options(-Wall -Wextra -Oz -ffunction-sections -fdata-sections
                    "$<$<COMPILE_LANGUAGE:CXX>:${LAUNCHER_CXX_FLAGS}>")
# No link time in the PE header, so that a build of one commit gives the same bytes (scripts/release).
add_link_options(-static -s -Wl,--gc-sections -Wl,--no-insert-timestamp)
# Hardened images, stated here rather than left to the linker's defaults: a random base address (the
# relocations kept for it, and a table in every shipped image: keep_relocation_table in
# cmake/own_entry.cmake) and no execution from data pages; on 64 bits, addresses from the whole range.
# Terminal-server aware: on a Remote Desktop session host Windows would otherwise give each user a virtual
# Windows folder of their own from GetWindowsDirectory, where the system's registry editor is not.
# The 32-bit images are marked as registering no SEH handler, which is true of everything linked into
# them (nothing writes the handler chain at fs:0; tests/e2e/program_binary.sh checks it), so that a
# handler planted on the stack is never dispatched to.
# No -fstack-protector-strong: its guard is set up before the entry runs (libssp's constructor calls
# CryptAcquireContextA, which loads the cryptographic provider's DLLs before the DLL search is limited),
# and it takes 2 KiB, the 32-bit launcher to its size limit.
add_link_options(-Wl,--dynamicbase -Wl,--nxcompat -Wl,--tsaware)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  add_link_options(-Wl,--high-entropy-va)
else()
  add_link_options(-Wl,--no-seh)
  # DWARF unwind tables serve only GCC's own unwinder, for exceptions, which the programs do not have
  # (Windows itself does not read them on 32 bits); leaving them out keeps the launcher within its size.
  add_compile_options("$<$<COMPILE_LANGUAGE:CXX>:-fno-asynchronous-unwind-tables>")
endif()

include(cmake/own_entry.cmake)

# The file description carries the build's date and time; SOURCE_DATE_EPOCH pins it for a rebuild.
set(GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
set(BUILD_STAMP_HEADER ${GENERATED_DIR}/build_stamp.h)
add_custom_target(build_stamp
  COMMAND ${CMAKE_COMMAND} -DOUTPUT=${BUILD_STAMP_HEADER} -P ${CMAKE_SOURCE_DIR}/cmake/write_build_stamp.cmake
  BYPRODUCTS ${BUILD_STAMP_HEADER}
  COMMENT "Stamping the build date and time")

# The project's version, written once in project(), for both programs' resources and manifests.
configure_file(cmake/version.h.in ${GENERATED_DIR}/version.h @ONLY)
configure_file(launcher/launcher.manifest.in ${GENERATED_DIR}/launcher.manifest @ONLY)
configure_file(companion/companion.manifest.in ${GENERATED_DIR}/companion.manifest @ONLY)

add_executable(launcher WIN32
  ${LAUNCHER_CORE_SOURCES}
  launcher/main_win32.cc
  launcher/launcher.rc
  platform/platform_effects_win32.cc
  platform/platform_reads_win32.cc)
target_include_directories(launcher PRIVATE ${CMAKE_SOURCE_DIR} ${GENERATED_DIR})
# Its one variable goes to .bss, which takes no room in the file, only without -fdata-sections (see there).
set_source_files_properties(platform/platform_effects_win32.cc PROPERTIES COMPILE_OPTIONS -fno-data-sections)
target_link_libraries(launcher PRIVATE advapi32 gdi32 user32)
use_own_entry(launcher LauncherEntry)
add_dependencies(launcher build_stamp)
set_source_files_properties(launcher/launcher.rc PROPERTIES
  OBJECT_DEPENDS "${BUILD_STAMP_HEADER};${GENERATED_DIR}/version.h;${GENERATED_DIR}/launcher.manifest")

add_subdirectory(companion)
add_subdirectory(preview)
add_subdirectory(tools/probes)
# The benchmark's helpers, for bench/run.
add_subdirectory(bench)
# The sample game of examples/demo-game, for scripts/demo.
add_subdirectory(examples/demo-game-src)
