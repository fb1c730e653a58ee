# Precompiled headers: the std, Qt and GoogleTest headers nearly every
# translation unit includes are compiled once per kind of target and reused
# by every target of that kind (REUSE_FROM), instead of being parsed again
# in each of the some four hundred .cpp files.
#
# Three kinds, so that a target never sees headers it does not link:
#   core     targets without Qt Widgets (the logic layers)
#   widgets  targets that link Qt Widgets, directly or through a library
#   pruebas  test executables that link Qt Widgets: widgets plus GoogleTest
# The owner of each set has the flags of the targets that reuse it (-fPIE
# or -fPIC, the Qt definitions): GCC would otherwise ignore the compiled
# header and parse the text again (-Winvalid-pch says so).
#
# ccache caches these compilations only with
#   sloppiness = pch_defines,time_macros
# which the launcher passes through CCACHE_SLOPPINESS when it is ccache
# (ccache 4.7 takes no settings on its command line); CMake's -include of
# the header is what ccache needs besides.
# Off unless asked (-DCXP_PRECOMPILADOS=ON): it saves about 12-15 % of the
# compile time of a clean build, but GCC writes a different header file on
# every build, so ccache no longer shares objects between build folders,
# which costs the developers' incremental builds more than it saves.
option(CXP_PRECOMPILADOS "Precompiled headers for the Qt-heavy targets" OFF)

set(CXP_PCH_STD <algorithm> <array> <chrono> <cstdint> <functional> <map> <memory> <optional> <stdexcept>
    <string> <utility> <vector>)
set(CXP_PCH_CORE <QByteArray> <QCoreApplication> <QDate> <QDateTime> <QDir> <QFile> <QFileInfo> <QHash>
    <QList> <QLocale> <QObject> <QRegularExpression> <QSet> <QString> <QStringList> <QTemporaryDir> <QTimer>
    <QVariant> <QVariantMap>)
set(CXP_PCH_WIDGETS <QApplication> <QCheckBox> <QComboBox> <QDateEdit> <QDialog> <QFrame> <QGridLayout>
    <QGroupBox> <QHBoxLayout> <QHeaderView> <QKeyEvent> <QLabel> <QLineEdit> <QPainter> <QPlainTextEdit>
    <QPushButton> <QTableView> <QVBoxLayout> <QWidget>)

# Does the target link that Qt module, itself or through the libraries it links?
function(_cxp_enlaza objetivo modulo salida)
  set(pendientes ${objetivo})
  set(vistos)
  while(pendientes)
    list(POP_FRONT pendientes t)
    if(t IN_LIST vistos OR NOT TARGET ${t})
      continue()
    endif()
    list(APPEND vistos ${t})
    get_target_property(alias ${t} ALIASED_TARGET)
    if(alias)
      set(t ${alias})
    endif()
    if(t STREQUAL "Qt6::${modulo}")
      set(${salida} TRUE PARENT_SCOPE)
      return()
    endif()
    get_target_property(tipo ${t} TYPE)
    set(enlaces)
    if(NOT tipo STREQUAL "INTERFACE_LIBRARY")
      get_target_property(directos ${t} LINK_LIBRARIES)
      if(directos)
        list(APPEND enlaces ${directos})
      endif()
    endif()
    get_target_property(interfaz ${t} INTERFACE_LINK_LIBRARIES)
    if(interfaz)
      list(APPEND enlaces ${interfaz})
    endif()
    foreach(e ${enlaces})
      if(e STREQUAL "Qt6::${modulo}" OR e STREQUAL "Qt::${modulo}")
        set(${salida} TRUE PARENT_SCOPE)
        return()
      endif()
      if(NOT e MATCHES "^\\$<")
        list(APPEND pendientes ${e})
      endif()
    endforeach()
  endwhile()
  set(${salida} FALSE PARENT_SCOPE)
endfunction()

function(_cxp_objetivos carpeta salida)
  get_property(objetivos DIRECTORY ${carpeta} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subcarpetas DIRECTORY ${carpeta} PROPERTY SUBDIRECTORIES)
  foreach(s ${subcarpetas})
    _cxp_objetivos(${s} mas)
    list(APPEND objetivos ${mas})
  endforeach()
  set(${salida} ${objetivos} PARENT_SCOPE)
endfunction()

# The owner of one set of headers for one kind of target, made when first
# asked for: an executable for executables (-fPIE), a static library for the
# libraries (-fPIC).
function(_cxp_dueno clase ejecutable salida)
  if(ejecutable)
    set(nombre cxp_pch_${clase}_exe)
  else()
    set(nombre cxp_pch_${clase}_lib)
  endif()
  set(${salida} ${nombre} PARENT_SCOPE)
  if(TARGET ${nombre})
    return()
  endif()
  set(fuente ${CMAKE_SOURCE_DIR}/cmake/pch/vacio.cpp)
  if(ejecutable)
    add_executable(${nombre} EXCLUDE_FROM_ALL ${fuente})
  else()
    add_library(${nombre} STATIC EXCLUDE_FROM_ALL ${fuente})
  endif()
  set(cabeceras ${CXP_PCH_STD} ${CXP_PCH_CORE})
  set(enlaces Qt6::Core)
  if(clase STREQUAL "widgets" OR clase STREQUAL "pruebas")
    list(APPEND cabeceras ${CXP_PCH_WIDGETS})
    set(enlaces Qt6::Widgets)
  endif()
  if(clase STREQUAL "pruebas")
    list(APPEND cabeceras <gtest/gtest.h>)
    list(APPEND enlaces GTest::gtest)
  endif()
  target_link_libraries(${nombre} PRIVATE ${enlaces})
  target_precompile_headers(${nombre} PRIVATE ${cabeceras})
endfunction()

# Called once, after every folder was added.
function(cxp_precompilados)
  if(NOT CXP_PRECOMPILADOS)
    return()
  endif()
  _cxp_objetivos(${CMAKE_SOURCE_DIR} objetivos)
  foreach(t ${objetivos})
    get_target_property(tipo ${t} TYPE)
    if(NOT tipo MATCHES "^(STATIC_LIBRARY|EXECUTABLE)$")
      continue()
    endif()
    get_target_property(fuentes ${t} SOURCES)
    if(NOT fuentes MATCHES "\\.cpp")
      continue()
    endif()
    _cxp_enlaza(${t} Widgets widgets)
    _cxp_enlaza(${t} Core core)
    get_target_property(enlaces ${t} LINK_LIBRARIES)
    if(widgets AND enlaces MATCHES "GTest::")
      set(clase pruebas)
    elseif(widgets)
      set(clase widgets)
    elseif(core)
      set(clase core)
    else()
      continue()
    endif()
    set(ejecutable FALSE)
    if(tipo STREQUAL "EXECUTABLE")
      set(ejecutable TRUE)
    endif()
    _cxp_dueno(${clase} ${ejecutable} dueno)
    target_precompile_headers(${t} REUSE_FROM ${dueno})
  endforeach()
endfunction()
