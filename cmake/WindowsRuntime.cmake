# What the Windows program needs beside it at run time, copied into the folder
# of the build tree's programs so that plinthar.exe runs from there as it is:
# GMP's DLL with its licence texts, and LCD.BMP. Every program of this build
# links the core, so the core waits for the copies.
find_package(PkgConfig REQUIRED)
pkg_check_modules(gmp_runtime REQUIRED QUIET gmp)
find_file(PLINTHAR_GMP_DLL libgmp-10.dll
  PATHS "${gmp_runtime_PREFIX}/bin" NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(gmp_licence_dir "${gmp_runtime_PREFIX}/share/licenses")
set(PLINTHAR_GMP_VERSION "${gmp_runtime_VERSION}")

set(runtime_dir "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
set(runtime_sources
  "${PLINTHAR_GMP_DLL}"
  "${gmp_licence_dir}/COPYING.LESSERv3"
  "${gmp_licence_dir}/COPYINGv3"
  "${gmp_licence_dir}/COPYINGv2"
  "${PROJECT_SOURCE_DIR}/assets/LCD.BMP")
set(runtime_files)
foreach(source IN LISTS runtime_sources)
  get_filename_component(name "${source}" NAME)
  add_custom_command(OUTPUT "${runtime_dir}/${name}"
    COMMAND "${CMAKE_COMMAND}" -E copy "${source}" "${runtime_dir}/${name}"
    DEPENDS "${source}"
    VERBATIM)
  list(APPEND runtime_files "${runtime_dir}/${name}")
endforeach()

configure_file("${PROJECT_SOURCE_DIR}/packaging/windows/THIRD-PARTY-NOTICES.txt.in"
  "${runtime_dir}/THIRD-PARTY-NOTICES.txt" @ONLY NEWLINE_STYLE CRLF)
list(APPEND runtime_files "${runtime_dir}/THIRD-PARTY-NOTICES.txt")

add_custom_target(plinthar_windows_runtime ALL DEPENDS ${runtime_files})
add_dependencies(plinthar_core plinthar_windows_runtime)
set(PLINTHAR_WINDOWS_RUNTIME_FILES ${runtime_files})
