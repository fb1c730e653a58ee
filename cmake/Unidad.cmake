# Unity builds: each target's .cpp files are compiled in batches, each batch
# as one translation unit, so the std, Qt and GoogleTest headers are parsed
# once per batch instead of once per file. A clean build spends most of its
# time there. It is off unless asked (-DCXP_UNIDAD=ON): changing one file
# recompiles its whole batch, which a developer's incremental build does not
# want; scripts/test, which builds a clean tree, turns it on.
#
# Files of one batch share a translation unit, so two helpers of the same
# name in anonymous namespaces of two files clash. Such a file is renamed
# out of the clash where that is cheap, or listed in CXP_UNIDAD_APARTE
# (paths from the source root) and compiled on its own.
option(CXP_UNIDAD "Unity builds (several .cpp files compiled as one)" OFF)
set(CXP_UNIDAD_LOTE 16 CACHE STRING "Files per unity batch")

set(CXP_UNIDAD_APARTE
  creditors/Tfbuscprove.cpp  # kNit, as FichaAcreedor.cpp
  comunes/Tftasacambiodia.cpp comunes/Tfautorizacion.cpp comunes/NuevaCuenta.cpp  # kProveedor, kDataset
  ledger/Tfmovimientos.cpp  # kColumnas
  accounting/interfaces/FichaInterfaz.cpp accounting/interfaces/FichaInterfazVista.cpp  # kId, kTamano
  accounting/contabilizacion/Tfcontabiliza.cpp accounting/contabilizacion/Tfedtmovimien.cpp  # kModulo, kItem
  documents/payments/CruceCartera.cpp documents/payments/LineasContablesEgreso.cpp  # kItem of other tables, Ocupado, editar
  documents/programacion/BusquedaProgramacion.cpp documents/service/Tfbuscaordenes.cpp  # kProveedor
  documents/payments/Tfegresos.cpp  # kId, kNumero, kProveedor, Bandera, editando, as EscrituraEgreso, FormasPago, Tfbuscegreso
  documents/applications/Tfaplicacionprv.cpp  # kProveedor, as Tfbuscaplicaciones
  documents/charges/EgresoContado.cpp  # kPrefijo, as DocumentoAjuste
  printing/formatos/EdicionFormatoVista.cpp  # kAncho, kAlto
  printing/reportes/InformesAcreedor.cpp printing/reportes/InformesComprobantes.cpp  # diseno, hastaRango
  tests/app/ComandosTest.cpp  # kNegado, another text than ActivacionTest's
  tests/data/ApplyUpdatesTest.cpp  # d, as DataSetTest
  tests/data/CxpagarTest.cpp  # pesos(int64_t) would overload ConsultasTest's pesos(const char*)
  tests/ledger/AnalisisTest.cpp tests/ledger/PivoteTest.cpp  # dinero, as ConsultasTest
)

if(CXP_UNIDAD)
  set(CMAKE_UNITY_BUILD ON)
  set(CMAKE_UNITY_BUILD_BATCH_SIZE ${CXP_UNIDAD_LOTE})
endif()

# Called once, after every folder was added.
function(cxp_unidad)
  if(NOT CXP_UNIDAD OR NOT CXP_UNIDAD_APARTE)
    return()
  endif()
  _cxp_objetivos(${CMAKE_SOURCE_DIR} objetivos)
  foreach(t ${objetivos})
    get_target_property(fuentes ${t} SOURCES)
    get_target_property(dir ${t} SOURCE_DIR)
    if(NOT fuentes)
      continue()
    endif()
    foreach(f ${fuentes})
      get_filename_component(ruta ${f} ABSOLUTE BASE_DIR ${dir})
      file(RELATIVE_PATH relativa ${CMAKE_SOURCE_DIR} ${ruta})
      if(relativa IN_LIST CXP_UNIDAD_APARTE)
        set_source_files_properties(${ruta} TARGET_DIRECTORY ${t} PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
      endif()
    endforeach()
  endforeach()
endfunction()
