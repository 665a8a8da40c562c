# The parts of the build that differ on Windows (cross-built with MinGW-w64).

# QCoro's coroutine task and signal awaiting are header-only templates and its headers do not
# depend on the machine: Debian's (qcoro-qt6-dev) serve the Windows build too, with no QCoro
# library linked.
find_path(TARVOS_QCORO_INCLUDE_DIR qcoro/qcorotask.h PATHS /usr/include/qcoro6
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
add_library(QCoro6::Coro INTERFACE IMPORTED)
set_target_properties(QCoro6::Coro PROPERTIES INTERFACE_INCLUDE_DIRECTORIES
    "${TARVOS_QCORO_INCLUDE_DIR};${TARVOS_QCORO_INCLUDE_DIR}/qcoro;${TARVOS_QCORO_INCLUDE_DIR}/QCoro")
