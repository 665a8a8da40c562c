# The parts of the build that differ on Windows (cross-built with MinGW-w64).

# QCoro's coroutine task and signal awaiting are header-only templates and its headers do not
# depend on the machine: Debian's (qcoro-qt6-dev) serve the Windows build too, with no QCoro
# library linked.
find_path(TARVOS_QCORO_INCLUDE_DIR qcoro/qcorotask.h PATHS /usr/include/qcoro6
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
# Awaiting a QNetworkReply without QCoro's compiled network module: a header of our own
# (qcoro-headers-only/QCoroNetworkReply), which waits for the reply's finished signal, comes
# before QCoro's.
add_library(QCoro6::Core INTERFACE IMPORTED)
set_target_properties(QCoro6::Core PROPERTIES INTERFACE_INCLUDE_DIRECTORIES
    "${CMAKE_CURRENT_LIST_DIR}/qcoro-headers-only;${TARVOS_QCORO_INCLUDE_DIR};${TARVOS_QCORO_INCLUDE_DIR}/qcoro;${TARVOS_QCORO_INCLUDE_DIR}/QCoro")
add_library(QCoro6::Network INTERFACE IMPORTED)
